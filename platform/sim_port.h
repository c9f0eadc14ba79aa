#pragma once
// In-process simulated devices behind "sim:NAME" ports. A simulator registers a
// factory under NAME; each open of "sim:NAME" asks it for a device. The device
// sees the host's bytes as they are written and answers through its SimLine,
// optionally after a delay measured on the port's clock. Everything runs on the
// caller's thread, so tests with a FakeClock are deterministic.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class SimLine {
public:
    virtual ~SimLine() = default;
    // Queues bytes for the host, readable `delayMs` after now.
    virtual void toHost(const uint8_t* data, size_t n, uint32_t delayMs = 0) = 0;
    virtual uint64_t nowMs() = 0;
};

class SimDevice {
public:
    virtual ~SimDevice() = default;
    // Bytes the host wrote.
    virtual void fromHost(SimLine& line, const uint8_t* data, size_t n) = 0;
    // The host's DTR line changed.
    virtual void dtrChanged(bool on) {}
};

using SimDeviceFactory = std::function<std::shared_ptr<SimDevice>()>;

// Registers (or with an empty factory removes) the device NAME. A registration
// lives until removed; SimRegistration removes it on destruction.
void registerSimDevice(const std::string& name, SimDeviceFactory factory);
bool simDeviceRegistered(const std::string& name);

class SimRegistration {
public:
    SimRegistration(std::string name, SimDeviceFactory factory);
    ~SimRegistration();
    SimRegistration(const SimRegistration&) = delete;
    SimRegistration& operator=(const SimRegistration&) = delete;

private:
    std::string name_;
};

// Used by openSerialPort for "sim:" names.
std::shared_ptr<SimDevice> makeSimDevice(const std::string& name);

} // namespace platform
