#include "datafiles/umt_init.h"

#include <algorithm>

#include "core/result_codes.h"
#include "core/ui.h"
#include "datafiles/data_groups.h"
#include "modeldb/mpu_tables.h"
#include "platform/clock.h"

namespace datafiles {

const char* const kUmtValuesMissing = " The model's MPU data lacks values of the UMT group: they were not written. ";

bool umtInitAvailable(const modeldb::ModelImage& image) {
    return image.umtNumber >= kFirstUmtNumber && image.umtNumber <= kLastUmtNumber;
}

std::optional<size_t> umtGroup(const modeldb::StandardBlock& standard, int umtNumber) {
    int moded = 0;
    const size_t groups = walkedGroupCount(standard);
    for (size_t g = 0; g < groups; ++g)
        if (standard.groups[g].modeCount != 0 && ++moded == umtNumber) return g;
    return std::nullopt;
}

bool UmtInit::chassisRegister(int16_t code, int32_t value) {
    return code == 0 || selector(static_cast<uint16_t>(code), value);
}

bool UmtInit::writeGroup(const modeldb::DataGroup& group, size_t record, int presets) {
    const modeldb::MpuTables tables(context_.model.image);
    bool missing = false;
    for (int k = 0; k < presets; ++k) {
        for (size_t l = 0; l < group.itemCount; ++l) {
            context_.registers.selectMode(k);
            const std::optional<int16_t> v = tables.mode(record, static_cast<size_t>(k), l);
            if (!v) {
                missing = true;
                continue;
            }
            last_ = *v;
            if (write(itemCode(group, l), *v, 0) == core::ECS_ERR_LINK) return linkLost();
        }
    }
    if (missing) context_.ui.message(kUmtValuesMissing);
    return true;
}

RunResult UmtInit::run() {
    const modeldb::ModelData& model = context_.model;
    ecs::RegisterAccess& regs = context_.registers;
    last_ = 0;
    progress_.start();
    // The sequence tells of a lost link itself.
    if (regs.standardPreSequence(model.standard.startList) == core::ECS_ERR_LINK) return RunResult::Stopped;
    if (!chassisRegister(model.chassis.eUmtRegister(), 0)) return RunResult::Stopped;

    const int umt = model.image.umtNumber;
    const int presets = std::clamp<int>(model.image.presetCount, 0, static_cast<int>(modeldb::kMaxPresets));
    const std::optional<size_t> found = umtGroup(model.standard, umt);
    const size_t visited = found ? *found + 1 : walkedGroupCount(model.standard);
    for (size_t g = 0; g < visited; ++g) progress_.group();
    if (found && !writeGroup(model.standard.groups[*found], static_cast<size_t>(umt - 1), presets))
        return RunResult::Stopped;

    if (regs.ecsType() == 2 && !chassisRegister(model.chassis.restoreRegister(), 0)) return RunResult::Stopped;
    if (found && model.standard.groups[*found].commitRegister != 0) {
        if (!selector(static_cast<uint16_t>(model.standard.groups[*found].commitRegister), 0)) return RunResult::Stopped;
        context_.clock.sleepMs(kCommitMs, kWaitCommit);
    }
    if (!selector(kFinalRegister, last_)) return RunResult::Stopped;
    if (!chassisRegister(model.chassis.nFactRegister(), presets)) return RunResult::Stopped;
    if (!chassisRegister(model.chassis.nUserRegister(), presets)) return RunResult::Stopped;
    progress_.set(100);
    context_.ui.refresh();
    regs.standardPostSequence(model.standard.endList);
    return RunResult::Completed;
}

} // namespace datafiles
