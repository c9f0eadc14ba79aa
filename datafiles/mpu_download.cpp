#include "datafiles/mpu_download.h"

#include <algorithm>

#include "core/result_codes.h"
#include "core/text_format.h"
#include "platform/clock.h"

namespace datafiles {

const char* const kNoMpuData = "No MPU data";

namespace {
unsigned hex16(int32_t v) { return static_cast<unsigned>(v) & 0xFFFFu; }
} // namespace

MpuDownload::MpuDownload(appstate::ScreenContext& context, core::OperationLog& log)
    : DataRun(context, log), tables_(context.model.image) {}

RunResult MpuDownload::run() {
    ecs::RegisterAccess& regs = context_.registers;
    progress_.start();
    k_ = m_ = 0;
    last_ = 0;
    regs.resetTransfer();
    // The sequence tells of a lost link itself.
    if (regs.standardPreSequence(context_.model.standard.startList) == core::ECS_ERR_LINK) return RunResult::Stopped;
    if (!chassisRegister(context_.model.chassis.eUmtRegister(), 0)) return RunResult::Stopped;
    const size_t groups = walkedGroupCount(context_.model.standard);
    for (size_t g = 0; g < groups; ++g)
        if (!group(context_.model.standard.groups[g])) return RunResult::Stopped;
    finish(last_, [] {});
    return RunResult::Completed;
}

bool MpuDownload::chassisRegister(int16_t code, int32_t value) {
    return code == 0 || selector(static_cast<uint16_t>(code), value);
}

bool MpuDownload::group(const modeldb::DataGroup& group) {
    list(core::strf("LABEL = %-15s", group.name.c_str()));
    progress_.group();
    switch (groupKind(group)) {
    case GroupKind::Special2:
        if (!special2(group)) return false;
        ++k_;
        return true;
    case GroupKind::Special3:
        if (!special3(group)) return false;
        ++m_;
        return true;
    case GroupKind::Special4:
        if (!special4(group)) return false;
        ++m_;
        return true;
    case GroupKind::Special1:
    case GroupKind::SpecialUnknown:
        return true;  // nothing is written and no record taken
    case GroupKind::Ordinary:
        break;
    }
    if (group.modeCount > 0) {
        if (!perMode(group)) return false;
        ++m_;
    } else {
        if (!once(group)) return false;
        ++k_;
    }
    return commit(group, kCommitMs);
}

bool MpuDownload::value(int number, uint16_t code, std::optional<int16_t> v) {
    const std::string reg = name(code);
    const std::string prefix = number > 0 ? core::strf("%3d:", number) : std::string();
    if (!v) {
        list(prefix + core::strf("%-15s:%s", reg.c_str(), kNoMpuData));
        return true;
    }
    last_ = *v;
    const uint32_t r = write(code, *v, 0);
    if (r == core::ECS_ERR_LINK) return linkLost();
    if (r == core::ECS_OK)
        list(prefix + core::strf("%-15s:%-5d :%4xH", reg.c_str(), static_cast<int>(*v), hex16(*v)));
    else
        list(prefix + core::strf("%-15s:Write =err= ", reg.c_str()));
    return true;
}

bool MpuDownload::once(const modeldb::DataGroup& group) {
    for (size_t i = 0; i < group.itemCount; ++i) {
        const uint16_t code = itemCode(group, i);
        const int number = static_cast<int>(i) + 1;
        const uint8_t flag = group.itemFlag[i];
        if (flag == kSkippedItem) {
            list(core::strf("%3d:%-15s:SKIP", number, name(code).c_str()));
        } else if (flag == kConstantItem) {
            list(core::strf("%3d:%-15s:%-5d", number, name(code).c_str(), 1));
        } else if (!value(number, code, tables_.data(k_, i))) {
            return false;
        }
    }
    return true;
}

bool MpuDownload::modeLimit(const modeldb::DataGroup& group, int32_t& limit) {
    limit = 0;
    if (group.modeLimitRegister != 0) {
        const uint32_t r = context_.registers.readRegister(static_cast<uint16_t>(group.modeLimitRegister), limit,
                                                           ecs::kAskMonitor);
        if (r == core::ECS_ERR_LINK) return linkLost();
        if (r != core::ECS_OK) limit = 0;  // an unknown limit limits nothing
    }
    if (limit == 0) limit = kNoModeLimit;
    return true;
}

bool MpuDownload::perMode(const modeldb::DataGroup& group) {
    int32_t limit = 0;
    if (!modeLimit(group, limit)) return false;
    const int modes = std::min<int32_t>(group.modeCount, limit);
    for (int j = 0; j < modes; ++j) {
        progress_.mode();
        list(core::strf("Mode = %-5d", j));
        context_.registers.selectMode(j);
        for (size_t i = 0; i < group.itemCount; ++i) {
            const uint16_t code = itemCode(group, i);
            const int number = static_cast<int>(i) + 1;
            const uint8_t flag = group.itemFlag[i];
            if (flag == kSkippedItem) {
                list(core::strf("%3d:%-15s:SKIP", number, name(code).c_str()));
            } else if (flag == kConstantItem) {
                list(core::strf("%3d:%-15s:%-5d", number, name(code).c_str(), 1));
            } else if (!value(0, code, tables_.mode(m_, static_cast<size_t>(j), i))) {
                return false;
            }
        }
    }
    return true;
}

bool MpuDownload::special2(const modeldb::DataGroup& group) {
    ecs::RegisterAccess& regs = context_.registers;
    const uint16_t first = itemCode(group, 0);
    bool have = false;
    int32_t saved = 0;
    if (!remember(first, have, saved)) return false;
    if (!selector(first, selectorA(group))) return false;
    regs.powerOn(context_.model.chassis.sequences);
    context_.clock.sleepMs(kPowerMs, kWaitPower);
    regs.powerOff(context_.model.chassis.sequences);
    context_.clock.sleepMs(kPowerMs, kWaitPower);
    regs.resetTransfer();
    for (size_t i = 1; i < group.itemCount; ++i)
        if (!value(static_cast<int>(i) + 1, itemCode(group, i), tables_.data(k_, i))) return false;
    if (!selector(kFinalRegister, last_)) return false;
    if (!commit(group, kCommitMs)) return false;
    return !have || selector(first, saved);
}

bool MpuDownload::special3(const modeldb::DataGroup& group) {
    const uint16_t first = itemCode(group, 0);
    const uint16_t second = itemCode(group, 1);
    bool have = false;
    int32_t saved = 0;
    if (!remember(first, have, saved)) return false;
    context_.registers.resetTransfer();
    for (int j = 1; j <= group.modeCount; ++j) {
        if (!selector(first, j)) return false;
        for (size_t i = 2; i < group.itemCount; ++i)
            if (!value(static_cast<int>(i) + 1, itemCode(group, i), tables_.mode(m_, static_cast<size_t>(j - 1), i)))
                return false;
        if (!selector(kFinalRegister, last_)) return false;
        if (group.commitRegister != 0) {
            if (!commit(group, kCommitMs)) return false;
            context_.clock.sleepMs(kMpuSettleMs, kWaitMpuSettle);
            if (!selector(second, 0)) return false;
            context_.clock.sleepMs(kMpuSelectorResetMs, kWaitSelectorReset);
            list(core::strf("===== %s =====", name(second).c_str()));
        }
    }
    return !have || selector(first, saved);
}

bool MpuDownload::special4(const modeldb::DataGroup& group) {
    const uint16_t first = itemCode(group, 0);
    bool have = false;
    int32_t saved = 0;
    if (!remember(first, have, saved)) return false;
    context_.registers.resetTransfer();
    for (int j = 0; j < group.modeCount; ++j) {
        if (!selector(first, j)) return false;
        for (size_t i = 1; i < group.itemCount; ++i)
            if (!value(static_cast<int>(i) + 1, itemCode(group, i), tables_.mode(m_, static_cast<size_t>(j), i)))
                return false;
        if (!selector(kFinalRegister, last_)) return false;
        if (!commit(group, kCommitMs)) return false;
    }
    return !have || selector(first, saved);
}

} // namespace datafiles
