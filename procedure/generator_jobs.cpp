// Kinds that set the signal generator: the special-white IRE level and box,
// and the appliance kind's internal-pattern switch registers.
#include "core/result_codes.h"
#include "core/text_format.h"
#include "procedure/jobs.h"
#include "siggen/manual_parameters.h"
#include "siggen/signal_generator.h"

namespace procedure::jobs {

namespace {
const char* const kIreBox = " IRE data is NG  -> can't set .\n Set KovEdit data [IRE]";
bool percent(int32_t v) { return v >= 0 && v <= 100; }
} // namespace

void ireSet(JobContext& c, const PrcStep& step) {
    const int32_t ire = step.value(prc::Operand::IreLevel);
    const int32_t box = step.value(prc::Operand::BoxSize);
    c.line(core::strf("Set IRE = %3d", ire));
    c.line(core::strf("Set BOX = %3d", box));
    if (!percent(ire)) c.box(kIreBox);
    if (!percent(box)) c.box(kIreBox);
    siggen::SignalGenerator& sg = c.screen.generator;
    sg.setSpecialWhite(ire, box);
    sg.selection().pattern = siggen::kPatternSpecialWhite;
    sg.setPatternOnly(true);
    sg.setPatternChanged(1);
    c.run.generator.lastPattern = siggen::kPatternSpecialWhite;
    sg.SgApply();
    if (sg.kind() == siggen::kSgKindManual)
        siggen::ShowManualParameters(c.screen.ui, sg, siggen::ireInformation(ire, box));
}

void sgSet(JobContext& c, const PrcStep& step) {
    const int32_t reg = step.value(prc::Operand::SwitchRegister);
    if (reg != -1 && c.registers().writeRegister(static_cast<uint16_t>(reg), 1, ecs::kSendNow) != core::ECS_OK) {
        c.line(core::strf("%02d:%-10s :Write access NG !", 1, c.registerName(reg).c_str()));
        c.box(" REG write is NG -> can't access .\n Check condition ! ");
    }
    const std::vector<int32_t>& patterns = step.values(prc::Operand::PatternRegisters);
    GeneratorMemory& g = c.run.generator;
    for (size_t i = 0; i < g.patternRegisters.size() && i < patterns.size(); ++i) {
        if (patterns[i] == -1) continue;
        g.patternRegisters[i] = static_cast<int16_t>(patterns[i]);
        g.patternOn[i] = true;
    }
}

} // namespace procedure::jobs
