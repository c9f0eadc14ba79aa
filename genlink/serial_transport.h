#pragma once
// The serial way: a COM port with the stored line settings, XON/XOFF off, DTR
// raised while open, and time-outs of 10 ms per byte over the triple's totals.
#include <memory>
#include <string>

#include "genlink/settings.h"
#include "genlink/transport.h"
#include "platform/serial_port.h"

namespace platform { class Clock; }

namespace genlink {

std::string serialPortName(int32_t portNo);
platform::SerialTimeouts serialTimeouts(const TimeoutTriple& t);

class SerialTransport : public Transport {
public:
    static constexpr size_t kQueueBytes = 4096;
    static constexpr uint32_t kMsPerByte = 10;

    // `clock` times simulated ports (tests); null for real time.
    SerialTransport(Settings& settings, platform::Clock* clock = nullptr) : settings_(settings), clock_(clock) {}

    int open() override;
    int close() override;
    void purge() override;
    void applyTimeouts(const TimeoutTriple& t) override;
    int sendByte(uint8_t b) override { return sendBytes(&b, 1); }
    int sendBytes(const uint8_t* data, size_t n) override;
    int receiveByte(uint8_t& b) override { return receiveBytes(&b, 1); }
    int receiveBytes(uint8_t* data, size_t n) override;

    const std::string& portName() const { return name_; }
    platform::SerialPort* port() { return port_.get(); }

private:
    Settings& settings_;
    platform::Clock* clock_;
    std::unique_ptr<platform::SerialPort> port_;
    std::string name_;
};

} // namespace genlink
