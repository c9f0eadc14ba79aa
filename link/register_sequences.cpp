// The fixed register sequences of the service screens: entering and leaving
// service mode, power on and off, and the standard start and end lists.
#include "core/text_format.h"
#include "core/ui.h"
#include "link/ecs_registers.h"
#include "platform/clock.h"

namespace ecs {
namespace {

constexpr uint32_t kTimerStepMs = 100;
constexpr int32_t kGuardedBelow = -900;

const char* const kSyntaxError = " ECS syntax Error ";
const char* const kSyntaxErrorAgain = " ECS syntax Error   NG! NG! NG! ";
const char* const kCannotConnect = " Can't connect the Monitor ! \n Check Bus line and condition! ";
const char* const kBusNg = " Bus is NG ! \n Check connection . ";

} // namespace

void EcsRegisters::waitSteps(int32_t steps) {
    for (int32_t i = 0; i < steps; ++i) clock_.sleepMs(kTimerStepMs, kWaitRegisterTimer);
}

bool EcsRegisters::isTimer(uint16_t code) const { return registerName(code) == "Timer"; }

bool EcsRegisters::timerWait(int32_t steps) {
    // Longer than any settling time a monitor needs: the file is corrupt, and
    // waiting would hang the program for up to years.
    if (steps > kMaxTimerSteps) {
        ui_.message(core::strf(kTimerOutOfRange, steps));
        return false;
    }
    waitSteps(steps);
    return true;
}

bool EcsRegisters::nameStartsWith(uint16_t code, char c) const {
    const std::string name = registerName(code);
    return !name.empty() && name[0] == c;
}

uint32_t EcsRegisters::writeSpecial(uint16_t code, int32_t value, const char* failureText) {
    if (code == 0) return ECS_OK;
    const uint32_t r = writeRegister(code, value, kSendNow);
    if (r != ECS_OK) ui_.message(failureText);
    return r;
}

uint32_t EcsRegisters::runServiceList(const ServiceList& list, bool entry) {
    auto linkLost = [&]() {
        if (entry) {
            ui_.message(kCannotConnect);
            monitorNotConnected_ = true;
        } else {
            ui_.message(kBusNg);
        }
        return ECS_ERR_LINK;
    };
    size_t i = 0;
    while (i < kServiceListLength && list.codes[i] != 0) {
        const uint16_t code = list.codes[i];
        const int32_t value = list.values[i];
        if (isTimer(code) && !timerWait(value)) return ECS_ERR_FORMAT;
        if (value >= kGuardedBelow) {
            const uint32_t r = writeRegister(code, value, kSendNow);
            if (r == ECS_ERR_FORMAT) ui_.message(kSyntaxError);
            if (r == ECS_ERR_LINK) return linkLost();
            ++i;
            continue;
        }
        // A guarded step: when the monitor refuses it, the next `count`
        // entries are a recovery block; then the list goes on at `target`.
        const int32_t count = (value - kGuardedBelow) / -10;
        const int32_t target = -(value - kGuardedBelow + 10 * count);
        uint32_t r = writeRegister(code, value, kSendNow);
        if (r == ECS_ERR_FORMAT) {
            for (int32_t j = 1; j <= count; ++j) {
                const size_t k = i + static_cast<size_t>(j);
                if (k >= kServiceListLength || list.codes[k] == 0) break;
                if (isTimer(list.codes[k])) {
                    if (!timerWait(list.values[k])) return ECS_ERR_FORMAT;
                } else {
                    writeRegister(list.codes[k], list.values[k], kSendNow);
                }
            }
            r = writeRegister(code, value, kSendNow);
            if (r == ECS_ERR_FORMAT) ui_.message(kSyntaxErrorAgain);
        }
        if (r == ECS_ERR_LINK) return linkLost();
        // A target at or before this entry would loop for ever.
        i = target > static_cast<int32_t>(i) ? static_cast<size_t>(target) : i + 1;
    }
    return ECS_OK;
}

uint32_t EcsRegisters::serviceEntry(const ChassisSequences& chassis) {
    monitorNotConnected_ = false;
    const uint32_t r = runServiceList(chassis.entry, true);
    if (r != ECS_OK) return r;
    // Key off.
    writeSpecial(chassis.keyRegister, nameStartsWith(chassis.keyRegister, '!') ? 1 : 0, " ECS Error(KEY ON/OFF) ");
    return ECS_OK;
}

uint32_t EcsRegisters::serviceExit(const ChassisSequences& chassis) {
    writeSpecial(chassis.keyRegister, nameStartsWith(chassis.keyRegister, '!') ? 0 : 1, " ECS Error(KEY ON/OFF) ");
    writeSpecial(chassis.umtRegister, nameStartsWith(chassis.umtRegister, '!') ? 0 : 1, " ECS Error(UMT ON/OFF) ");
    return runServiceList(chassis.exit, false);
}

uint32_t EcsRegisters::powerOn(const ChassisSequences& chassis) {
    const uint16_t code = chassis.powerRegister;
    return writeSpecial(code, nameStartsWith(code, '#') ? 0 : 1, " ECS Error(POWER ON) ");
}

uint32_t EcsRegisters::powerOff(const ChassisSequences& chassis) {
    uint16_t code = chassis.powerRegister;
    if (code != 0 && nameStartsWith(code, '#')) code = static_cast<uint16_t>(code + 1);
    return writeSpecial(code, 0, " ECS Error(POWER OFF) ");
}

uint32_t EcsRegisters::runStandardList(const StandardList& list) {
    for (const CodeValue& pair : list) {
        if (pair.code == 0) break;
        uint32_t r = ECS_ERR_FORMAT;  // a code wider than 16 bits names no register
        if (pair.code > 0 && pair.code <= 0xFFFF) {
            const uint16_t code = static_cast<uint16_t>(pair.code);
            if (isTimer(code)) {
                if (!timerWait(pair.value)) return ECS_ERR_FORMAT;
                continue;
            }
            r = writeRegister(code, pair.value, kSendNow);
        }
        if (r == ECS_ERR_FORMAT) ui_.message(kSyntaxError);
        if (r == ECS_ERR_LINK) {
            ui_.message(kBusNg);
            return ECS_ERR_LINK;
        }
    }
    return ECS_OK;
}

uint32_t EcsRegisters::standardPreSequence(const StandardList& startList) { return runStandardList(startList); }
uint32_t EcsRegisters::standardPostSequence(const StandardList& endList) { return runStandardList(endList); }

} // namespace ecs
