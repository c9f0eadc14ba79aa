#pragma once
// The parallel-port driver the generator link opens, reached only through its
// control codes. Without the hardware, an emulation moves the bytes to a
// generator on a port named by $PGPIO_DEVICE ("COMn", a device path or
// "sim:NAME"); without that variable the device does not open.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform { class Clock; }

namespace pgpio {

constexpr const char* kDeviceName = "\\\\.\\PGPIO.VXD";

constexpr uint32_t kPutByte = 0x101;        // in: one byte
constexpr uint32_t kFetch = 0x102;          // out: the requested count of received bytes
constexpr uint32_t kEndSend = 0x103;
constexpr uint32_t kWaiting = 0x104;        // out: 2 bytes, received bytes waiting (little-endian)
constexpr uint32_t kPurge = 0x105;
constexpr uint32_t kSetParameters = 0x106;  // in: 24 bytes, six little-endian int32
constexpr uint32_t kStatus = 0x201;         // out: 4 bytes, 0 when the last put or fetch was good

constexpr size_t kParameterBytes = 24;

class Device {
public:
    virtual ~Device() = default;
    // One control call; *returned (when given) gets the bytes written to out.
    virtual bool control(uint32_t code, const uint8_t* in, size_t inLen, uint8_t* out, size_t outLen,
                         size_t* returned) = 0;
};

// Opens the device `name` (kDeviceName). `clock` times a simulated port.
std::unique_ptr<Device> openDevice(const std::string& name, platform::Clock* clock = nullptr,
                                   std::string* error = nullptr);

} // namespace pgpio
