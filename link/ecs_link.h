#pragma once
// The monitor link: it owns its serial port, its communication log, the
// command protocol and the register access, and offers the register port
// screens and jobs use. Build a new one to change the port; load the model's
// link description into it afterwards.
//
//   ecs::EcsLink link("COM1", ui, clock);            // 9600 8N1, 3000 ms
//   link.setEcsType(model.ecsType);
//   link.loadLinkDescription(path);
//   link.serviceEntry(chassis.sequences);
//   link.readRegister(code, value, ecs::kAskMonitor);
#include <string>

#include "link/comm_log.h"
#include "link/ecs_format.h"
#include "link/ecs_registers.h"
#include "link/serial_port.h"
#include "platform/clock.h"

namespace ecs {

class EcsLink final : public RegisterAccess {
public:
    // Opens "COM<portNumber>" and configures 9600 baud, 8N1, 3000 ms. A port
    // that cannot be opened is not reported here: the first command fails
    // with ECS_ERR_LINK.
    EcsLink(int portNumber, core::Ui& ui, platform::Clock& clock = platform::systemClock());
    // The same on a named port ("COMn", a device path or "sim:NAME").
    EcsLink(const std::string& portName, core::Ui& ui, platform::Clock& clock = platform::systemClock());
    // Closes the port and an open communication log.
    ~EcsLink() override;
    EcsLink(const EcsLink&) = delete;
    EcsLink& operator=(const EcsLink&) = delete;

    // The protocol variant: 1, or 2 for every other value.
    void setEcsType(int type) { format_.setEcsType(type); }
    int ecsType() const override { return format_.ecsType(); }

    // Opens "ecs.log" (ECS type 1) or "ecs2.log" in `folder` (empty: the
    // current directory) and switches logging on; false when it cannot.
    bool openLog(const std::string& folder = std::string());
    void closeLog() { log_.close(); }
    bool isLogging() const { return log_.isOpen(); }

    int loadLinkDescription(const std::string& path) { return registers_.loadLinkDescription(path); }
    int loadLinkDescriptionBytes(const uint8_t* data, size_t size) {
        return registers_.loadLinkDescriptionBytes(data, size);
    }
    void clearLinkDescription() { registers_.clearLinkDescription(); }

    size_t formatCount() const { return format_.formatCount(); }

    // One raw command exchange (format tables and frames of the protocol).
    uint32_t transact(int format, uint8_t b, uint8_t c, const LinkBuffer& source, LinkBuffer& destination) {
        return format_.transact(format, b, c, source, destination);
    }

    // The port: whether it opened, why not, and the device underneath.
    bool portOpen() const { return port_.isOpen(); }
    const std::string& openError() const { return port_.openError(); }
    platform::SerialPort* port() { return port_.port(); }
    SerialPort& serial() { return port_; }

    // The register map and transfer state, for what goes beyond the port.
    EcsRegisters& registers() { return registers_; }
    const EcsRegisters& registers() const { return registers_; }
    void setMonitorNotConnected(bool on) { registers_.setMonitorNotConnected(on); }

    // RegisterAccess
    uint32_t readRegister(uint16_t code, int32_t& value, int flags) override {
        return registers_.readRegister(code, value, flags);
    }
    uint32_t writeRegister(uint16_t code, int32_t value, int flags) override {
        return registers_.writeRegister(code, value, flags);
    }
    std::string registerName(uint16_t code) const override { return registers_.registerName(code); }
    int32_t groupMax(uint16_t code) const override { return registers_.groupMax(code); }
    int32_t groupMin(uint16_t code) const override { return registers_.groupMin(code); }
    void selectMode(int mode) override { registers_.selectMode(mode); }
    void resetTransfer() override { registers_.resetTransfer(); }
    uint32_t serviceEntry(const ChassisSequences& c) override { return registers_.serviceEntry(c); }
    uint32_t serviceExit(const ChassisSequences& c) override { return registers_.serviceExit(c); }
    uint32_t powerOn(const ChassisSequences& c) override { return registers_.powerOn(c); }
    uint32_t powerOff(const ChassisSequences& c) override { return registers_.powerOff(c); }
    uint32_t standardPreSequence(const StandardList& l) override { return registers_.standardPreSequence(l); }
    uint32_t standardPostSequence(const StandardList& l) override { return registers_.standardPostSequence(l); }
    bool monitorNotConnected() const override { return registers_.monitorNotConnected(); }

private:
    SerialPort port_;
    CommLog log_;
    EcsFormat format_;
    EcsRegisters registers_;
};

} // namespace ecs
