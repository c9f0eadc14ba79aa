// JOB_POLARITY_INVERT and JOB_POLARITY_READ: the data group named by the
// chassis's polarity-group number holds the horizontal polarity of every
// mode in its second register. Both read the group for every mode between
// the standard pre- and post-sequences; the invert kind writes each mode's
// polarity back inverted. Then, as panel kinds, they show buttons and messages.
#include <algorithm>
#include <optional>
#include <vector>

#include "core/result_codes.h"
#include "core/text_format.h"
#include "platform/clock.h"
#include "procedure/job_kinds.h"
#include "procedure/jobs.h"

namespace procedure {

const char* const kPolarityStoreWait = "polarity store";

namespace jobs {

namespace {

constexpr uint32_t kPolarityStoreMs = 2000;
constexpr int32_t kMaxModes = 256;              // modes are addressed by a device byte
constexpr uint16_t kPolarityApplyRegister = 1;  // receives the last polarity written
constexpr size_t kPolarityItem = 1;             // the group's second register

const modeldb::DataGroup* polarityGroup(const modeldb::ModelData& model) {
    const int groups = std::clamp<int>(model.standard.groupCount, 0, static_cast<int>(modeldb::kMaxDataGroups));
    const int n = model.chassis.polarityGroup;
    if (n < 1 || n > groups) return nullptr;
    const modeldb::DataGroup& g = model.standard.groups[static_cast<size_t>(n - 1)];
    return g.itemCount > kPolarityItem ? &g : nullptr;
}

bool ok(uint32_t result) { return result == core::ECS_OK; }

// A failed access ends the job; the link error and the format error get their boxes.
void report(JobContext& c, uint32_t result) {
    if (result == core::ECS_ERR_LINK) c.box("Check RS232C line");
    else if (result == core::ECS_ERR_FORMAT) c.box(" ECS syntax Error ");
}

void walkModes(JobContext& c, const modeldb::DataGroup& g, bool invert) {
    ecs::RegisterAccess& regs = c.registers();
    int32_t modes = 0;
    const uint32_t counted =
        regs.readRegister(static_cast<uint16_t>(c.screen.model.chassis.nUserRegister()), modes, ecs::kAskMonitor);
    if (!ok(counted)) return report(c, counted);
    modes = std::clamp(modes, 0, kMaxModes);

    std::optional<int32_t> last;
    std::vector<int32_t> values(g.itemCount, 0);
    const uint16_t polarity = static_cast<uint16_t>(g.registerCode(kPolarityItem));
    for (int32_t k = 0; k < modes; ++k) {
        regs.selectMode(k);
        for (size_t item = 0; item < g.itemCount; ++item) {
            regs.resetTransfer();
            const uint32_t r = regs.readRegister(static_cast<uint16_t>(g.registerCode(item)), values[item], 0);
            if (!ok(r)) return report(c, r);
        }
        if (!invert) {
            if (k == 0) c.line(core::strf("Mode1 Polality(H) : %-5d", values[kPolarityItem]));
            continue;
        }
        const int32_t inverted = values[kPolarityItem] == 0 ? 1 : 0;
        // Sent at once: the next mode's reads reset the transfer state.
        const uint32_t w = regs.writeRegister(polarity, inverted, ecs::kSendNow);
        if (!ok(w)) return report(c, w);
        last = inverted;
    }
    if (!invert) return;
    if (g.commitRegister != 0) {
        regs.writeRegister(static_cast<uint16_t>(g.commitRegister), 0, ecs::kSendNow);
        c.screen.clock.sleepMs(kPolarityStoreMs, kPolarityStoreWait);
    }
    if (last) regs.writeRegister(kPolarityApplyRegister, *last, ecs::kSendNow);
}

void polarity(JobContext& c, const PrcStep& step, bool invert) {
    copyPanelControls(c, step);
    c.run.panel.clearSliders();
    c.run.panel.clearDisplays();
    const modeldb::ModelData& model = c.screen.model;
    const modeldb::DataGroup* group = polarityGroup(model);
    if (!group || model.chassis.nUserRegister() == 0) {
        c.line("Polarity data is not registered .");
        c.box(" Polarity data is not registered .\n Check KovEdit data! ");
    } else {
        c.registers().resetTransfer();
        c.registers().standardPreSequence(model.standard.startList);
        walkModes(c, *group, invert);
        c.registers().standardPostSequence(model.standard.endList);
    }
    c.stepScreen.buildButtons();
    showStepMessages(c);
}

} // namespace

void polarityInvert(JobContext& c, const PrcStep& step) { polarity(c, step, true); }
void polarityRead(JobContext& c, const PrcStep& step) { polarity(c, step, false); }

} // namespace jobs
} // namespace procedure
