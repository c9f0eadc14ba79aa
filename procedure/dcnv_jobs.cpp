// DCnv kinds: the point grid's condition, the reset of register runs, and
// the adjustment of one point.
#include "core/result_codes.h"
#include "core/text_format.h"
#include "procedure/jobs.h"

namespace procedure::jobs {

namespace {
constexpr int kDcnvRuns = 11;
constexpr int kMaxRunLength = 256;  // a count of 0 writes 256 registers
constexpr int kDcnvKeys = 4;        // the fifth key of a point step is not used
constexpr size_t kDcnvSliders = 4;
} // namespace

void dcnvCondition(JobContext& c, const PrcStep& step) {
    DcnvState& d = c.run.dcnv;
    d.conditionSet = true;
    d.columns = static_cast<uint8_t>(step.value(prc::Operand::GridColumns));
    d.rows = static_cast<uint8_t>(step.value(prc::Operand::GridRows));
    d.conditionWord = static_cast<int16_t>(step.value(prc::Operand::ConditionWord));
    d.pointColumn = 0;
    d.pointRow = 0;
    const std::vector<int32_t>& bypass = step.values(prc::Operand::BypassTable);
    for (size_t i = 0; i < d.bypass.size(); ++i) d.bypass[i] = static_cast<uint8_t>(i < bypass.size() ? bypass[i] : 0);
    c.stepScreen.showDcnvPointWindow();
}

void dcnvReset(JobContext& c, const PrcStep& step) {
    const std::vector<int32_t>& firsts = step.values(prc::Operand::RunRegisters);
    for (size_t r = 0; r < static_cast<size_t>(kDcnvRuns) && r < firsts.size() && firsts[r] != 0; ++r) {
        const int32_t value = step.value(prc::Operand::RunValues, r);
        const int32_t count = step.value(prc::Operand::RunCounts, r);
        // The count is checked after each write, so a count of 0 runs all 256.
        for (int j = 0; j < kMaxRunLength; ++j) {
            const uint16_t reg = static_cast<uint16_t>(firsts[r] + j);
            const std::string name = c.registerName(reg);
            const bool written = c.registers().writeRegister(reg, value, ecs::kSendNow) == core::ECS_OK;
            c.line(core::strf("INIT REG = %-10s :Value = %-6d ", name.c_str(), value));
            if (!written) c.line(core::strf("%-10s :Write access NG !", name.c_str()));
            if (j + 1 == count) break;
        }
    }
}

void dcnvAdjust(JobContext& c, const PrcStep& step) {
    StepPanel& p = c.run.panel;
    p.keys.fill(0);
    p.jumps.fill(0);
    if (!c.run.dcnv.conditionSet) {
        c.line("Dcnv Condtion (JOB) is not set .");
        c.box("Dcnv Condtion (JOB) is not set .\n Check KovEdit data !!! ");
        for (size_t i = 0; i < 2; ++i) {
            p.keys[i] = static_cast<uint8_t>(step.value(prc::Operand::Keys, i));
            p.jumps[i] = static_cast<int16_t>(step.value(prc::Operand::Jumps, i));
        }
        c.stepScreen.buildButtons();
        return;
    }
    c.run.dcnv.pointColumn = step.value(prc::Operand::PointColumn);
    c.run.dcnv.pointRow = step.value(prc::Operand::PointRow);
    c.stepScreen.markDcnvPoint();
    for (size_t i = 0; i < static_cast<size_t>(kPanelKeys); ++i) {
        p.keys[i] = i < static_cast<size_t>(kDcnvKeys) ? static_cast<uint8_t>(step.value(prc::Operand::Keys, i)) : 0;
        p.jumps[i] = static_cast<int16_t>(step.value(prc::Operand::Jumps, i));
    }
    p.clearSliders();
    for (size_t i = 0; i < kDcnvSliders; ++i) p.sliderRegs[i] = static_cast<int16_t>(step.value(prc::Operand::Sliders, i));
    p.clearDisplays();
    p.messageCodes.fill(-1);
    const std::vector<int32_t>& messages = step.values(prc::Operand::Messages);
    for (size_t i = 0; i < messages.size() && i < p.messageCodes.size(); ++i)
        p.messageCodes[i] = static_cast<int16_t>(messages[i]);
    c.stepScreen.buildButtons();
    c.stepScreen.setupSliders(SliderSpacing::Normal);
    showStepMessages(c);
}

} // namespace procedure::jobs
