#pragma once
// The eight byte-level operations the command protocol runs on. Each returns 0
// or a result code; sends and receives succeed only when the whole count moved.
#include <cstddef>
#include <cstdint>

namespace genlink {

// Milliseconds: longest gap between received bytes, base wait of a receive,
// base wait of a send.
struct TimeoutTriple {
    uint32_t byteGap = 0;
    uint32_t readTotal = 0;
    uint32_t writeTotal = 0;
    bool operator==(const TimeoutTriple&) const = default;
};

class Transport {
public:
    virtual ~Transport() = default;
    virtual int open() = 0;   // 0, -44, or -20 when a setting could not be read
    virtual int close() = 0;  // 0 or -45
    virtual void purge() = 0;
    virtual void applyTimeouts(const TimeoutTriple& t) = 0;
    virtual int sendByte(uint8_t b) = 0;
    virtual int sendBytes(const uint8_t* data, size_t n) = 0;
    virtual int receiveByte(uint8_t& b) = 0;
    virtual int receiveBytes(uint8_t* data, size_t n) = 0;
};

} // namespace genlink
