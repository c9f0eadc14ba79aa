#include "datafiles/data_load.h"

#include "core/result_codes.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"

namespace datafiles {

namespace {
unsigned hex16(int32_t v) { return static_cast<unsigned>(v) & 0xFFFFu; }
} // namespace

RunResult DataLoad::run(const std::string& path) {
    progress_.start();
    last_ = 0;
    if (!readDatFile(path, context_.model.standard, contents_)) {
        showAndList(kFileUnreadable);
        return RunResult::Failed;
    }

    ecs::RegisterAccess& regs = context_.registers;
    regs.standardPreSequence(context_.model.standard.startList);
    regs.resetTransfer();
    if (!headerAccepted()) return RunResult::Stopped;
    const size_t groups = walkedGroupCount(context_.model.standard);
    for (size_t g = 0; g < groups; ++g)
        if (!group(g, context_.model.standard.groups[g])) return RunResult::Stopped;
    if (!sendPending()) return RunResult::Stopped;
    finish(last_, [] {});
    return RunResult::Completed;
}

bool DataLoad::headerAccepted() {
    if (contents_.fault.at(DatFault::Field::Header)) return fault();
    const DatHeader& h = contents_.header;
    if (!sameHeaderText(h.modelName, context_.modelName)) {
        const std::string saved = fieldText(h.modelName);
        if (!context_.ui.askYesNo(core::strf("Now  model = %-15s\nSave model = %-15s\n\nLoad OK?",
                                             context_.modelName.c_str(), saved.c_str())))
            return false;
    }
    if (!sameHeaderText(h.standardName, standardName())) {
        const std::string saved = fieldText(h.standardName);
        context_.ui.message(core::strf("Now using std = %-15s\nSave data std = %-15s\n\nSave format is different !",
                                       standardName().c_str(), saved.c_str()));
        return false;
    }
    return true;
}

uint32_t DataLoad::sendKeptBack() {
    const Pending p = *pending_;
    pending_.reset();
    // A read that asks the monitor sends the block kept back before it.
    int32_t value = 0;
    const uint32_t r = context_.registers.readRegister(p.code, value, ecs::kAskMonitor);
    if (r != core::ECS_OK && r != core::ECS_ERR_LINK) {
        list(p.failLine);
        context_.registers.resetTransfer();
    }
    return r;
}

bool DataLoad::pendingRefused(uint32_t result) {
    if (result == core::ECS_OK || result == core::ECS_ERR_LINK || !pending_) return false;
    const uint32_t r = sendKeptBack();
    return r != core::ECS_OK && r != core::ECS_ERR_LINK;
}

uint32_t DataLoad::write(uint16_t code, int32_t value, int flags, std::string failLine) {
    uint32_t r = context_.registers.writeRegister(code, value, flags);
    if (pendingRefused(r)) r = context_.registers.writeRegister(code, value, flags);
    if ((flags & ecs::kSendNow) == 0 && r == core::ECS_OK)
        pending_ = Pending{code, std::move(failLine)};
    else if (r == core::ECS_OK)
        pending_.reset();  // a write sent now sends what was kept back first
    return r;
}

uint32_t DataLoad::read(uint16_t code, int32_t& value, int flags) {
    uint32_t r = context_.registers.readRegister(code, value, flags);
    if (pendingRefused(r)) r = context_.registers.readRegister(code, value, flags);
    if ((flags & ecs::kAskMonitor) != 0 && r == core::ECS_OK) pending_.reset();
    return r;
}

bool DataLoad::sendPending() {
    if (!pending_) return true;
    return sendKeptBack() != core::ECS_ERR_LINK || linkLost();
}

bool DataLoad::fault() {
    sendPending();  // what was written so far reaches the monitor
    switch (contents_.fault.kind) {
    case DatFault::Kind::LabelDifferent: showAndList(kLabelDifferent); break;
    case DatFault::Kind::ModeDifferent: showAndList(kModeDifferent); break;
    case DatFault::Kind::ValueDifferent: showAndList(kValueDifferent); break;
    case DatFault::Kind::Short:
    case DatFault::Kind::None: showAndList(kFileShort); break;
    }
    return false;
}

bool DataLoad::linkLost() {
    context_.ui.message(kCheckLine);
    return false;
}

const DatValue* DataLoad::stored(size_t g, size_t b, size_t v) {
    const DatValue* value = contents_.value(g, b, v);
    if (!value) fault();
    return value;
}

bool DataLoad::group(size_t g, const modeldb::DataGroup& group) {
    list(core::strf("LABEL = %-15s", group.name.c_str()));
    progress_.group();
    const GroupKind kind = groupKind(group);
    if (kind == GroupKind::SpecialUnknown) return true;
    if (contents_.fault.at(DatFault::Field::Label, g)) return fault();
    return kind == GroupKind::Ordinary ? ordinary(g, group) : special(g, group, kind);
}

bool DataLoad::ordinary(size_t g, const modeldb::DataGroup& group) {
    ecs::RegisterAccess& regs = context_.registers;
    const int n = group.itemCount;
    if (group.modeCount == 0) {
        for (int j = 0; j < n; ++j) {
            const size_t item = static_cast<size_t>(j);
            const DatValue* v = stored(g, 0, item);
            if (!v) return false;
            const uint16_t code = itemCode(group, item);
            const std::string reg = name(code);
            const uint8_t flag = group.itemFlag[item];
            if (flag == kSkippedItem) {
                list(core::strf("%3d:%-15s:SKIP", j + 1, reg.c_str()));
            } else if (flag == kConstantItem) {
                list(core::strf("%3d:%-15s:%-5d", j + 1, reg.c_str(), 1));
            } else if (v->isError()) {
                list(core::strf("%3d:%-15s:=err= Pass", j + 1, reg.c_str()));
            } else {
                last_ = v->number;
                const std::string failed = core::strf("%3d:%-15s:Write =err= ", j + 1, reg.c_str());
                const uint32_t r = write(code, v->number, 0, failed);
                if (r == core::ECS_ERR_LINK) return linkLost();
                if (r == core::ECS_OK)
                    list(core::strf("%3d:%-15s:%-5d :%4xH", j + 1, reg.c_str(), v->number, hex16(v->number)));
                else
                    list(failed);
            }
        }
    } else {
        for (int k = 0; k < group.modeCount; ++k) {
            const size_t block = static_cast<size_t>(k);
            list(core::strf("Mode = %-5d", k));
            progress_.mode();
            if (contents_.fault.at(DatFault::Field::Mode, g, block)) return fault();
            regs.selectMode(k);
            for (int j = 0; j < n; ++j) {
                const size_t item = static_cast<size_t>(j);
                const DatValue* v = stored(g, block, item);
                if (!v) return false;
                const uint16_t code = itemCode(group, item);
                const std::string reg = name(code);
                if (v->isError()) {
                    list(core::strf("%-15s:=err= Pass", reg.c_str()));
                } else if (group.itemFlag[item] == kSkippedItem) {
                    list(core::strf("%-15s:SKIP", reg.c_str()));
                } else {
                    last_ = v->number;
                    const std::string failed = core::strf("%-15s:Write =err= ", reg.c_str());
                    const uint32_t r = write(code, v->number, 0, failed);
                    if (r == core::ECS_ERR_LINK) return linkLost();
                    if (r == core::ECS_OK)
                        list(core::strf("%-15s:%-5d :%4xH", reg.c_str(), v->number, hex16(v->number)));
                    else
                        list(failed);
                }
            }
        }
    }
    return commit(group, kCommitMs);
}

bool DataLoad::items(size_t g, size_t b, const modeldb::DataGroup& group, size_t first, int flags) {
    for (size_t i = first; i < group.itemCount; ++i) {
        const DatValue* v = stored(g, b, i - first);
        if (!v) return false;
        const uint16_t code = itemCode(group, i);
        const std::string reg = name(code);
        const int number = static_cast<int>(i) + 1;
        if (v->isError()) {
            list(core::strf("%3d:%-15s:=err= Pass", number, reg.c_str()));
            continue;
        }
        last_ = v->number;
        const uint32_t r = write(code, v->number, flags);
        if (r == core::ECS_ERR_LINK) return linkLost();
        if (r == core::ECS_OK)
            list(core::strf("%3d:%-15s:%-5d :%4xH", number, reg.c_str(), v->number, hex16(v->number)));
        else
            list(core::strf("%3d:%-15s:Write =err= ", number, reg.c_str()));
    }
    return true;
}

bool DataLoad::selector(uint16_t code, int32_t value) {
    return write(code, value, ecs::kSendNow) != core::ECS_ERR_LINK || linkLost();
}

bool DataLoad::remember(uint16_t code, bool& have, int32_t& value) {
    const uint32_t r = read(code, value, ecs::kAskMonitor);
    if (r == core::ECS_ERR_LINK) return linkLost();
    have = r == core::ECS_OK;  // an unknown setting is not restored
    return true;
}

bool DataLoad::commit(const modeldb::DataGroup& group, uint32_t waitMs) {
    if (group.commitRegister == 0) return true;
    const uint16_t code = static_cast<uint16_t>(group.commitRegister);
    if (!selector(code, 0)) return false;
    context_.clock.sleepMs(waitMs, kWaitCommit);
    list(core::strf("===== %s =====", name(code).c_str()));
    return true;
}

bool DataLoad::special(size_t g, const modeldb::DataGroup& group, GroupKind kind) {
    ecs::RegisterAccess& regs = context_.registers;
    platform::Clock& clock = context_.clock;
    const uint16_t first = itemCode(group, 0);
    const uint16_t second = itemCode(group, 1);
    const size_t from = firstDataItem(kind);
    bool have = false;
    int32_t saved = 0;
    size_t block = 0;
    switch (kind) {
    case GroupKind::Special1:
        for (int a = 0; a <= selectorA(group); ++a) {
            if (!selector(first, a)) return false;
            clock.sleepMs(kSelectorMs, kWaitSelector);
            for (int b = 0; b <= selectorB(group); ++b) {
                if (!selector(second, b)) return false;
                if (!items(g, block++, group, from, ecs::kSendNow)) return false;
            }
        }
        return commit(group, kCommitMs);
    case GroupKind::Special2:
        if (!remember(first, have, saved)) return false;
        if (!selector(first, selectorA(group))) return false;
        clock.sleepMs(kSelectorMs, kWaitSelector);
        regs.powerOn(context_.model.chassis.sequences);
        clock.sleepMs(kPowerMs, kWaitPower);
        regs.powerOff(context_.model.chassis.sequences);
        clock.sleepMs(kPowerMs, kWaitPower);
        if (!items(g, 0, group, from, ecs::kSendNow)) return false;
        if (!commit(group, kCommitMs)) return false;
        return !have || selector(first, saved);
    case GroupKind::Special3:
    case GroupKind::Special4: {
        if (!remember(first, have, saved)) return false;
        const int start = kind == GroupKind::Special3 ? 1 : 0;
        for (int j = start; j < start + group.modeCount; ++j) {
            if (!selector(first, j)) return false;
            clock.sleepMs(kModeSelectorLoadMs, kWaitModeSelector);
            if (!items(g, block++, group, from, ecs::kSendNow)) return false;
            if (!commit(group, kModeCommitMs)) return false;
            if (kind == GroupKind::Special3) {
                if (!selector(second, 0)) return false;
                clock.sleepMs(kSelectorResetMs, kWaitSelectorReset);
                list(core::strf("===== %s =====", name(second).c_str()));
            }
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
