#pragma once
// The parallel way: bytes one at a time through the driver's control codes,
// with deadlines on the millisecond tick. The driver is polled without pause.
#include <array>
#include <functional>
#include <memory>

#include "genlink/settings.h"
#include "genlink/transport.h"
#include "outside/pgpio/pgpio_device.h"
#include "platform/clock.h"

namespace genlink {

// The three waits of the parallel way; they live in the link state and keep
// their values across opens until the next triple replaces them.
struct ParallelWaits {
    uint32_t byteWait = 100;
    uint32_t readWait = 100;
    uint32_t writeWait = 100;
};

using ParallelOpener = std::function<std::unique_ptr<pgpio::Device>()>;

// The stored values limited as the driver takes them, compared unsigned.
ParallelRecord limitParallelRecord(const ParallelRecord& r);
// The first six values as six little-endian int32.
std::array<uint8_t, pgpio::kParameterBytes> parallelParameterBlock(const ParallelRecord& limited);

class ParallelTransport : public Transport {
public:
    ParallelTransport(Settings& settings, ParallelWaits& waits, platform::Clock& clock, ParallelOpener opener)
        : settings_(settings), waits_(waits), clock_(clock), opener_(std::move(opener)) {}

    int open() override;
    int close() override;
    void purge() override;
    void applyTimeouts(const TimeoutTriple& t) override;
    int sendByte(uint8_t b) override { return sendBytes(&b, 1); }
    int sendBytes(const uint8_t* data, size_t n) override;
    int receiveByte(uint8_t& b) override { return receiveBytes(&b, 1); }
    int receiveBytes(uint8_t* data, size_t n) override;

private:
    bool passed(uint64_t deadline) { return clock_.tickMs() > deadline; }
    uint32_t status();
    uint32_t waiting();
    void control(uint32_t code, const uint8_t* in = nullptr, size_t inLen = 0, uint8_t* out = nullptr,
                 size_t outLen = 0);

    Settings& settings_;
    ParallelWaits& waits_;
    platform::Clock& clock_;
    ParallelOpener opener_;
    std::unique_ptr<pgpio::Device> device_;
};

} // namespace genlink
