#pragma once
// Register access on top of the command protocol: the register map of the
// model, one block image shared by reads and writes, a read cache, deferred
// block writes, and the fixed register sequences of the service screens.
#include <cstdint>
#include <string>
#include <vector>

#include "link/ecs_format.h"
#include "link/link_description.h"
#include "link/register_access.h"

namespace core { class Ui; }
namespace platform { class Clock; }

namespace ecs {

class SerialPort;

// The name of the 100 ms steps a "Timer" register waits in the sequences.
inline constexpr const char* kWaitRegisterTimer = "register timer";
// The longest "Timer" wait a sequence accepts, in 100 ms steps (five minutes).
// A larger value stops the sequence with kTimerOutOfRange: the file is corrupt.
inline constexpr int32_t kMaxTimerSteps = 3000;
inline constexpr const char* kTimerOutOfRange = " Timer value %d is out of range (0..3000): the file is corrupt. ";

class EcsRegisters final : public RegisterAccess {
public:
    EcsRegisters(EcsFormat& format, SerialPort& port, core::Ui& ui, platform::Clock& clock);

    // Replaces the register map with the file's. 1 when the file was read and
    // accepted; 0 otherwise, leaving the empty map (never a half-loaded one).
    // Either way the transfer state is reset.
    int loadLinkDescription(const std::string& path);
    // The same from bytes already in memory.
    int loadLinkDescriptionBytes(const uint8_t* data, size_t size);
    // Back to the empty map: no command of an earlier model can be sent.
    void clearLinkDescription() { loadLinkDescriptionBytes(nullptr, 0); }

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

    bool monitorNotConnected() const override { return monitorNotConnected_; }
    void setMonitorNotConnected(bool on) { monitorNotConnected_ = on; }
    int ecsType() const override { return format_.ecsType(); }

    // The register record of `code`, or null when the code lies beyond the map.
    const RegisterRecord* registerRecord(uint16_t code) const;
    size_t groupCount() const { return map_.groups.size(); }
    // A copy of group `number` (an all-zero record when out of range).
    GroupRecord group(int number) const;
    bool setGroup(int number, const GroupRecord& record);
    size_t blockCount() const { return map_.blocks.size(); }
    size_t registerCount() const { return map_.registers.size(); }
    // Whether a deferred write waits for the next access to another block.
    bool writePending() const { return (lastFlags_ & 1) == 0 && neverWritten_ == 0; }

private:
    struct Target;
    bool findTarget(uint16_t code, Target& t);
    uint32_t flushPending(const Target& t, bool always);
    uint32_t blockRead(Target& t, int32_t& value, int flags);
    uint32_t blockWrite(Target& t, int32_t value, int flags);
    void failed();
    void setSlowTimeout(bool slow);
    void restoreTimeout();
    void waitSteps(int32_t steps);
    // Waits a "Timer" entry; false (after the message) for a corrupt value.
    bool timerWait(int32_t steps);
    bool isTimer(uint16_t code) const;
    bool nameStartsWith(uint16_t code, char c) const;
    uint32_t writeSpecial(uint16_t code, int32_t value, const char* failureText);
    uint32_t runServiceList(const ServiceList& list, bool entry);
    uint32_t runStandardList(const StandardList& list);

    EcsFormat& format_;
    SerialPort& port_;
    core::Ui& ui_;
    platform::Clock& clock_;

    LinkDescription map_;
    std::vector<uint16_t> blockStart_;

    LinkBuffer image_{};
    LinkBuffer cache_{};
    LinkBuffer scratch_{};
    int pendingFormat_ = -1, pendingAddress_ = -1, pendingDevice_ = -1;
    int neverWritten_ = -1;
    int lastFlags_ = -1;
    int readFormat_ = -1, readAddress_ = -1, readDevice_ = -1;

    bool monitorNotConnected_ = false;
};

} // namespace ecs
