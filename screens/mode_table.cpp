#include "screens/mode_table.h"

#include <algorithm>

#include "core/text_format.h"
#include "link/register_access.h"
#include "screens/link_failure.h"

namespace screens {

uint16_t ModeTable::code(Item item) const {
    return static_cast<uint16_t>(context_.model.chassis.timingRegisters[static_cast<size_t>(item)]);
}

void ModeTable::readAll(LinkFailure& failure) {
    ecs::RegisterAccess& regs = context_.registers;
    int32_t n = 0;
    const uint16_t countCode = static_cast<uint16_t>(context_.model.chassis.nUserRegister());
    if (!failure.ok(regs.readRegister(countCode, n, ecs::kAskMonitor))) n = 0;
    count_ = std::clamp<int32_t>(n, 0, kMaxModes);
    for (int mode = 0; mode < count_; ++mode) readMode(mode, failure);
}

bool ModeTable::readMode(int mode, LinkFailure& failure) {
    if (!validMode(mode)) return false;
    ecs::RegisterAccess& regs = context_.registers;
    regs.selectMode(mode);
    bool all = true;
    for (int item = 0; item < kItems; ++item) {
        int32_t v = 0;
        if (failure.ok(regs.readRegister(code(static_cast<Item>(item)), v, ecs::kAskMonitor)))
            values_[static_cast<size_t>(item)][static_cast<size_t>(mode)] = v;
        else
            all = false;
    }
    return all;
}

bool ModeTable::writeMode(int mode, LinkFailure& failure) {
    if (!validMode(mode)) return false;
    ecs::RegisterAccess& regs = context_.registers;
    regs.selectMode(mode);
    bool all = true;
    for (int item = 0; item < kItems; ++item)
        all = failure.ok(regs.writeRegister(code(static_cast<Item>(item)), value(mode, static_cast<Item>(item)),
                                            ecs::kSendNow)) && all;
    const int16_t restore = context_.model.chassis.restoreRegister();
    if (regs.ecsType() == 2 && restore != 0)
        all = failure.ok(regs.writeRegister(static_cast<uint16_t>(restore), 0, ecs::kSendNow)) && all;
    return all;
}

std::string ModeTable::syncText(int32_t v) {
    switch (v) {
    case 0: return "EXT";
    case 2: return "COMP";
    case 3: return "SonG";
    default: return core::strf("%5d", v);
    }
}

std::string ModeTable::polarityText(int32_t v) { return v != 0 ? "  -" : "  +"; }

std::string ModeTable::frequencyText(int32_t v) { return core::strf("%5d", v); }

} // namespace screens
