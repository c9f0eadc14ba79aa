#pragma once
// Time for everything that waits: sleeps and a millisecond tick. Real code uses
// systemClock(); tests pass a FakeClock that advances at once and records waits.
#include <cstdint>
#include <vector>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual uint64_t tickMs() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
};

// The process's real clock (monotonic).
Clock& systemClock();

// A clock whose sleeps return at once after advancing the tick. Every sleep is
// recorded so tests can assert how long a run waited.
class FakeClock : public Clock {
public:
    explicit FakeClock(uint64_t startMs = 1000) : now_(startMs) {}
    uint64_t tickMs() override { return now_; }
    void sleepMs(uint32_t ms) override;
    void advance(uint64_t ms) { now_ += ms; }
    const std::vector<uint32_t>& sleeps() const { return sleeps_; }
    uint64_t totalSlept() const;
    void clearSleeps() { sleeps_.clear(); }

private:
    uint64_t now_;
    std::vector<uint32_t> sleeps_;
};

} // namespace platform
