#pragma once
// The monitor's serial port: opened once by its "COMn" number (or a device
// name), configured with line settings and one time-out figure T, and moving
// single bytes. It knows nothing of frames. A port that could not be opened
// stays closed and every later call fails, so the first command reports the
// link error.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/serial_port.h"

namespace platform {
class Clock;
}

namespace ecs {

constexpr int kMonitorBaud = 9600;
constexpr int kMonitorByteSize = 8;
constexpr int kNoParity = 0;
constexpr int kOneStopBit = 0;
constexpr uint32_t kNormalTimeoutMs = 3000;
constexpr uint32_t kSlowTimeoutMs = 20000;

// The time-outs configure() sets for time-out T: read interval T, read
// multiplier (10000 / baud) * 2 + 2, read constant T, write multiplier the
// same, write constant T / 100. Baud 0 gives all zero (configure refuses it).
platform::SerialTimeouts monitorTimeouts(int baud, uint32_t timeoutMs);

class SerialPort {
public:
    explicit SerialPort(platform::Clock& clock);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens "COM<portNumber>". 1 on success; on failure the port stays closed.
    int open(int portNumber);
    // Opens a port by name ("COMn", a device path or "sim:NAME").
    int openName(const std::string& name);
    void close();
    bool isOpen() const { return port_ != nullptr; }
    // Why the last open failed.
    const std::string& openError() const { return openError_; }

    // Sets baud rate, byte size, parity (0 none, 1 odd, 2 even), stop bits
    // (0 one, 1 one and a half, 2 two) and the time-outs for T. Other line
    // fields stay as they were. 1 only if every step succeeded.
    int configure(int baud, int byteSize, int parity, int stopBits, uint32_t timeoutMs);
    // The T of the last successful configure (0 before).
    uint32_t timeoutMs() const { return timeoutMs_; }

    // 1 when one byte arrived, 0 on time-out or a closed port.
    int readByte(uint8_t& out);
    // 1 when the byte was written.
    int writeByte(uint8_t byte);
    // Discards pending output and input.
    int purge();

    platform::Clock& clock() { return clock_; }
    // The open port, for tests that inspect its time-outs.
    platform::SerialPort* port() { return port_.get(); }

private:
    platform::Clock& clock_;
    std::unique_ptr<platform::SerialPort> port_;
    std::string openError_;
    uint32_t timeoutMs_ = 0;
};

} // namespace ecs
