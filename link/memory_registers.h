#pragma once
// A monitor kept in memory behind the register port: named registers with
// their limits and values (per mode where a register is per-mode), registers
// that refuse every access or never take a write, a monitor that does not
// answer the service entry, and a record of every access in order. It serves
// tests of screens and jobs, and runs without any serial line.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/result_codes.h"
#include "link/register_access.h"

namespace ecs {

class MemoryRegisters final : public RegisterAccess {
public:
    struct Access {
        enum class Kind { Read, Write, Sequence, SelectMode, ResetTransfer };
        Kind kind = Kind::Read;
        uint16_t code = 0;
        int32_t value = 0;       // written value, value read, or mode
        int flags = 0;
        std::string sequence;    // "serviceEntry", "serviceExit", "powerOn", ...
        bool operator==(const Access&) const = default;
    };

    // A register of the model: its name, limits and first value.
    void define(uint16_t code, std::string name, int32_t value = 0, int32_t min = 0, int32_t max = 255);
    // A register that holds one value per mode (selected with selectMode).
    void definePerMode(uint16_t code, std::string name, int32_t min = 0, int32_t max = 255);
    void set(uint16_t code, int32_t value);
    void setInMode(uint16_t code, int mode, int32_t value);
    int32_t value(uint16_t code) const;
    int32_t valueInMode(uint16_t code, int mode) const;
    int selectedMode() const { return mode_; }

    // Every read and write of `code` fails with `result`.
    void refuse(uint16_t code, uint32_t result = core::ECS_ERR_MONITOR + 3) { refused_[code] = result; }
    // Writes of `code` succeed but leave its value as it is.
    void ignoreWrites(uint16_t code) { ignored_[code] = true; }
    // Every access fails with the link error, the service entry included.
    void disconnect(bool off = true) { disconnected_ = off; }
    void setEcsType(int type) { type_ = type == 1 ? 1 : 2; }

    const std::vector<Access>& accesses() const { return accesses_; }
    // Only the writes, as (code, value).
    std::vector<std::pair<uint16_t, int32_t>> writes() const;
    // The names of the sequences run, in order.
    std::vector<std::string> sequences() const;
    void clearAccesses() { accesses_.clear(); }

    // RegisterAccess
    uint32_t readRegister(uint16_t code, int32_t& value, int flags) override;
    uint32_t writeRegister(uint16_t code, int32_t value, int flags) override;
    std::string registerName(uint16_t code) const override;
    int32_t groupMax(uint16_t code) const override;
    int32_t groupMin(uint16_t code) const override;
    void selectMode(int mode) override;
    void resetTransfer() override;
    uint32_t serviceEntry(const ChassisSequences& chassis) override;
    uint32_t serviceExit(const ChassisSequences& chassis) override;
    uint32_t powerOn(const ChassisSequences& chassis) override;
    uint32_t powerOff(const ChassisSequences& chassis) override;
    uint32_t standardPreSequence(const StandardList& startList) override;
    uint32_t standardPostSequence(const StandardList& endList) override;
    bool monitorNotConnected() const override { return notConnected_; }
    void setMonitorNotConnected(bool on) { notConnected_ = on; }
    int ecsType() const override { return type_; }

private:
    struct Register {
        std::string name;
        int32_t min = 0;
        int32_t max = 255;
        bool perMode = false;
        std::map<int, int32_t> values;  // by mode; mode 0 for plain registers
    };
    const Register* find(uint16_t code) const;
    int32_t& slot(Register& r);
    uint32_t sequence(const char* name);
    uint32_t writeList(const StandardList& list);

    std::map<uint16_t, Register> registers_;
    std::map<uint16_t, uint32_t> refused_;
    std::map<uint16_t, bool> ignored_;
    std::vector<Access> accesses_;
    int mode_ = 0;
    int type_ = 1;
    bool disconnected_ = false;
    bool notConnected_ = false;
};

} // namespace ecs
