#pragma once
// A serial port opened by its "COMn" name (see port_map.h), a device path, or
// "sim:NAME" for an in-process simulated device. Time-outs follow the Win32
// model that both the monitor link and the generator link are written against.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class Clock;

// The names under which a port's waits reach its clock.
inline constexpr std::string_view kWaitSerialRead = "serial read";
inline constexpr std::string_view kWaitSerialWrite = "serial write";

enum class Parity { None = 0, Odd = 1, Even = 2 };
enum class StopBits { One = 0, OneAndHalf = 1, Two = 2 };

struct LineSettings {
    int baud = 9600;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool xonXoff = false;   // software flow control, both directions
};

// All values in milliseconds. A read of n bytes gives up when no byte arrived
// for readInterval after a first one, or when readConstant + readMultiplier * n
// has passed in all. All-zero read values block until n bytes arrived;
// readInterval == kNoWait with zero totals returns at once with what is there.
struct SerialTimeouts {
    static constexpr uint32_t kNoWait = 0xFFFFFFFFu;
    uint32_t readInterval = 0;
    uint32_t readMultiplier = 0;
    uint32_t readConstant = 0;
    uint32_t writeMultiplier = 0;
    uint32_t writeConstant = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual bool getLine(LineSettings& out) = 0;
    virtual bool setLine(const LineSettings& settings) = 0;
    virtual bool setTimeouts(const SerialTimeouts& t) = 0;
    virtual SerialTimeouts timeouts() const = 0;
    // Driver queue sizes; accepted and ignored where the platform has none.
    virtual bool setQueues(size_t inBytes, size_t outBytes) = 0;
    virtual bool purge(bool output, bool input) = 0;
    // Modem line; a pseudo-terminal's refusal is not an error.
    virtual bool setDtr(bool on) = 0;
    // Moves up to n bytes, blocking within the time-outs; returns the count moved.
    virtual size_t read(uint8_t* buf, size_t n) = 0;
    virtual size_t write(const uint8_t* buf, size_t n) = 0;
    // What the name was resolved to (device path or "sim:NAME").
    virtual const std::string& device() const = 0;
};

// Opens `name` exclusively. Returns null and fills *error when it cannot.
// Every wait of the port goes through `clock` (default: the system clock).
std::unique_ptr<SerialPort> openSerialPort(const std::string& name, std::string* error = nullptr,
                                           Clock* clock = nullptr);

} // namespace platform
