#pragma once
// The time bytes take on the monitor's serial line at its bit rate: each byte
// is ten bit times (start bit, eight data bits, stop bit). The simulated
// monitor holds its answers back by this much, so runs against it take as
// long on the host's clock as they would on the wire. One line carries the
// host's command and then the monitor's answer. Times are in nanoseconds, so
// that a command sent byte by byte adds up to its whole length.
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace sim {

class WireTime {
public:
    explicit WireTime(int baud = 0) : baud_(baud > 0 ? baud : 0) {}
    bool enabled() const { return baud_ > 0; }
    int baud() const { return baud_; }

    // Nanoseconds that `bytes` take on the line.
    uint64_t ns(size_t bytes) const {
        return baud_ > 0 ? bytes * 10'000'000'000ull / static_cast<uint64_t>(baud_) : 0;
    }
    // Until when the line is busy.
    uint64_t freeNs() const { return free_; }
    // The host's bytes arrive, sent at `nowNs`; the line is busy until they are in.
    void fromHost(uint64_t nowNs, size_t bytes) { free_ = std::max(free_, nowNs) + ns(bytes); }
    // When an answer of `bytes` sent `delayMs` after the line was free is
    // wholly at the host.
    uint64_t answerReady(uint32_t delayMs, size_t bytes) {
        free_ += static_cast<uint64_t>(delayMs) * 1'000'000 + ns(bytes);
        return free_;
    }

private:
    int baud_;
    uint64_t free_ = 0;
};

} // namespace sim
