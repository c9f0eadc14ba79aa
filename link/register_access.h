#pragma once
// What screens and jobs use of the monitor link: named registers read and
// written by code, their names and limits, the mode selection of per-mode
// groups, the transfer reset of bulk operations, and the fixed register
// sequences. EcsLink implements it over the serial line; MemoryRegisters
// serves tests of screens and jobs without a monitor.
#include <cstdint>
#include <string>

#include "link/service_lists.h"

namespace ecs {

// Flags of readRegister / writeRegister.
constexpr int kAskMonitor = 1;  // read: never answer from the cache
constexpr int kSendNow = 1;     // write: send now rather than with the next block

class RegisterAccess {
public:
    virtual ~RegisterAccess() = default;

    virtual uint32_t readRegister(uint16_t code, int32_t& value, int flags) = 0;
    virtual uint32_t writeRegister(uint16_t code, int32_t value, int flags) = 0;
    // The register's name, "" when the model has no such register.
    virtual std::string registerName(uint16_t code) const = 0;
    // The limits of the register's group (0 for an unknown register).
    virtual int32_t groupMax(uint16_t code) const = 0;
    virtual int32_t groupMin(uint16_t code) const = 0;
    // Points every per-mode group at mode k. Nothing is sent.
    virtual void selectMode(int mode) = 0;
    // Forgets the block image state, the read cache and any pending write.
    virtual void resetTransfer() = 0;

    // The fixed sequences; they report their failures through the Ui.
    // serviceEntry sets or clears the monitor-not-connected flag.
    virtual uint32_t serviceEntry(const ChassisSequences& chassis) = 0;
    virtual uint32_t serviceExit(const ChassisSequences& chassis) = 0;
    virtual uint32_t powerOn(const ChassisSequences& chassis) = 0;
    virtual uint32_t powerOff(const ChassisSequences& chassis) = 0;
    virtual uint32_t standardPreSequence(const StandardList& startList) = 0;
    virtual uint32_t standardPostSequence(const StandardList& endList) = 0;

    // Set while the service-entry sequence could not reach the monitor.
    virtual bool monitorNotConnected() const = 0;
    // The protocol variant, 1 or 2.
    virtual int ecsType() const = 0;
};

} // namespace ecs
