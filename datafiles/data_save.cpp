#include "datafiles/data_save.h"

#include "core/result_codes.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"

namespace datafiles {

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

unsigned hex16(int32_t v) { return static_cast<unsigned>(v) & 0xFFFFu; }

} // namespace

RunResult DataSave::run(const std::string& path) {
    progress_.start();
    last_ = 0;
    writeFailed_ = false;
    writer_ = kit::DatWriter{};
    // What a killed save left in this folder goes first.
    platform::removeAbandonedTemporaries(folderOf(path));
    if (!file_.open(path)) {
        showAndList(kSaveNotWritten);
        return RunResult::Failed;
    }

    ecs::RegisterAccess& regs = context_.registers;
    regs.standardPreSequence(context_.model.standard.startList);
    regs.resetTransfer();
    writer_.header(context_.modelName, context_.model.modelFile, standardName());
    bool going = emit();
    const size_t groups = walkedGroupCount(context_.model.standard);
    for (size_t g = 0; going && g < groups; ++g) going = group(context_.model.standard.groups[g]);
    if (!going) {
        file_.abandon();
        if (writeFailed_) {
            showAndList(kSaveNotWritten);
            return RunResult::Failed;
        }
        list(kSaveStopped);
        return RunResult::Stopped;
    }

    bool written = true;
    finish(last_, [&] { written = file_.commit(); });
    if (!written) {
        showAndList(kSaveNotWritten);
        return RunResult::Failed;
    }
    return RunResult::Completed;
}

bool DataSave::emit() {
    const kit::Bytes bytes = writer_.take();
    if (file_.write(bytes.data(), bytes.size())) return true;
    writeFailed_ = true;
    return false;
}

bool DataSave::linkLost() {
    context_.ui.message(kCheckLine);
    return false;
}

bool DataSave::group(const modeldb::DataGroup& group) {
    list(core::strf("LABEL = %-15s", group.name.c_str()));
    progress_.group();
    const GroupKind kind = groupKind(group);
    if (kind == GroupKind::SpecialUnknown) return true;
    writer_.label(group.name);
    if (!emit()) return false;
    return kind == GroupKind::Ordinary ? ordinary(group) : special(group, kind);
}

bool DataSave::ordinary(const modeldb::DataGroup& group) {
    ecs::RegisterAccess& regs = context_.registers;
    const int n = group.itemCount;
    if (group.modeCount == 0) {
        for (int j = 0; j < n; ++j) {
            const size_t item = static_cast<size_t>(j);
            const uint16_t code = itemCode(group, item);
            const std::string reg = name(code);
            const uint8_t flag = group.itemFlag[item];
            if (flag == kSkippedItem) {
                last_ = 0;
                writer_.value(0);
                list(core::strf("%3d:%-15s:SKIP", j + 1, reg.c_str()));
            } else if (flag == kConstantItem) {
                last_ = 1;
                writer_.value(1);
                list(core::strf("%3d:%-15s:%-5d ", j + 1, reg.c_str(), 1));
            } else {
                int32_t v = 0;
                const uint32_t r = regs.readRegister(code, v, 0);
                if (r == core::ECS_ERR_LINK) return linkLost();
                if (r == core::ECS_OK) {
                    last_ = v;
                    writer_.value(v);
                    list(core::strf("%3d:%-15s:%-5d :%4xH", j + 1, reg.c_str(), v, hex16(v)));
                } else {
                    writer_.error();
                    list(core::strf("%3d:%-15s:Read =err= ", j + 1, reg.c_str()));
                }
            }
            if (!emit()) return false;
        }
        return true;
    }
    for (int k = 0; k < group.modeCount; ++k) {
        list(core::strf("Mode = %-5d", k));
        progress_.mode();
        writer_.mode(k);
        if (!emit()) return false;
        regs.selectMode(k);
        for (int j = 0; j < n; ++j) {
            const size_t item = static_cast<size_t>(j);
            const uint16_t code = itemCode(group, item);
            const std::string reg = name(code);
            if (group.itemFlag[item] == kSkippedItem) {
                last_ = 0;
                writer_.value(0);
                list(core::strf("%3d:%-15s:SKIP", j + 1, reg.c_str()));
            } else {
                int32_t v = 0;
                const uint32_t r = regs.readRegister(code, v, 0);
                if (r == core::ECS_ERR_LINK) return linkLost();
                if (r == core::ECS_OK) {
                    last_ = v;
                    writer_.value(v);
                    list(core::strf("%-15s:%-5d :%4xH", reg.c_str(), v, hex16(v)));
                } else {
                    writer_.error();
                    list(core::strf("%-15s:Read =err= ", reg.c_str()));
                }
            }
            if (!emit()) return false;
        }
    }
    return true;
}

bool DataSave::items(const modeldb::DataGroup& group, size_t first, int flags) {
    for (size_t i = first; i < group.itemCount; ++i) {
        const uint16_t code = itemCode(group, i);
        const std::string reg = name(code);
        const int number = static_cast<int>(i) + 1;
        int32_t v = 0;
        const uint32_t r = context_.registers.readRegister(code, v, flags);
        if (r == core::ECS_ERR_LINK) return linkLost();
        if (r == core::ECS_OK) {
            last_ = v;
            writer_.value(v);
            list(core::strf("%3d:%-15s:%-5d :%4xH", number, reg.c_str(), v, hex16(v)));
        } else {
            writer_.error();
            list(core::strf("%3d:%-15s:Read =err= ", number, reg.c_str()));
        }
        if (!emit()) return false;
    }
    return true;
}

bool DataSave::selector(uint16_t code, int32_t value) {
    return context_.registers.writeRegister(code, value, ecs::kSendNow) != core::ECS_ERR_LINK || linkLost();
}

bool DataSave::remember(uint16_t code, bool& have, int32_t& value) {
    const uint32_t r = context_.registers.readRegister(code, value, ecs::kAskMonitor);
    if (r == core::ECS_ERR_LINK) return linkLost();
    have = r == core::ECS_OK;  // an unknown setting is not restored
    return true;
}

bool DataSave::special(const modeldb::DataGroup& group, GroupKind kind) {
    ecs::RegisterAccess& regs = context_.registers;
    platform::Clock& clock = context_.clock;
    const uint16_t first = itemCode(group, 0);
    const uint16_t second = itemCode(group, 1);
    bool have = false;
    int32_t saved = 0;
    switch (kind) {
    case GroupKind::Special1:
        for (int a = 0; a <= selectorA(group); ++a) {
            if (!selector(first, a)) return false;
            clock.sleepMs(kSelectorMs, kWaitSelector);
            for (int b = 0; b <= selectorB(group); ++b) {
                if (!selector(second, b)) return false;
                // The read cache still holds what the former selection showed.
                regs.resetTransfer();
                if (!items(group, firstDataItem(kind), 0)) return false;
            }
        }
        return true;
    case GroupKind::Special2:
        if (!remember(first, have, saved)) return false;
        if (!selector(first, selectorA(group))) return false;
        clock.sleepMs(kSelectorMs, kWaitSelector);
        regs.powerOn(context_.model.chassis.sequences);
        clock.sleepMs(kPowerMs, kWaitPower);
        regs.powerOff(context_.model.chassis.sequences);
        clock.sleepMs(kPowerMs, kWaitPower);
        if (!items(group, firstDataItem(kind), ecs::kAskMonitor)) return false;
        return !have || selector(first, saved);
    case GroupKind::Special3:
    case GroupKind::Special4: {
        if (!remember(first, have, saved)) return false;
        const int from = kind == GroupKind::Special3 ? 1 : 0;
        for (int j = from; j < from + group.modeCount; ++j) {
            if (!selector(first, j)) return false;
            clock.sleepMs(kModeSelectorSaveMs, kWaitModeSelector);
            if (!items(group, firstDataItem(kind), ecs::kAskMonitor)) return false;
        }
        return !have || selector(first, saved);
    }
    case GroupKind::Ordinary:
    case GroupKind::SpecialUnknown:
        break;
    }
    return true;
}

} // namespace datafiles
