#pragma once
// Time for everything that waits: sleeps, waits on a device, and a millisecond
// tick. Every wait carries a name ("register timer", "serial read", ...) so a
// test can tell what was waited for and how long. Real code uses
// systemClock(); the GUI passes a clock that keeps its window painted; tests
// pass a FakeClock that advances at once and records every wait.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class FdWait { Readable, Writable };

class Clock {
public:
    static constexpr uint32_t kForever = 0xFFFFFFFFu;

    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual uint64_t tickMs() = 0;
    // Waits `ms`; `what` names the wait.
    virtual void sleepMs(uint32_t ms, std::string_view what) = 0;
    // Waits up to `ms` (kForever: without limit) until `fd` can be read or
    // written; true when it can. The default polls the descriptor.
    virtual bool waitFd(int fd, FdWait direction, uint32_t ms, std::string_view what);
};

// Polls `fd` for up to `ms` (kForever: without limit); true when ready. A
// descriptor that hung up or failed counts as ready, so its caller sees why.
bool pollFd(int fd, FdWait direction, uint32_t ms);

// The process's real clock (monotonic).
Clock& systemClock();

// A clock whose waits return at once after advancing the tick. A wait on a
// descriptor looks once without waiting and, when nothing is there, counts
// as the whole wait. Every wait is recorded.
class FakeClock : public Clock {
public:
    struct Wait {
        std::string what;
        uint32_t ms = 0;
        bool operator==(const Wait&) const = default;
    };

    explicit FakeClock(uint64_t startMs = 1000) : now_(startMs) {}
    uint64_t tickMs() override { return now_; }
    void sleepMs(uint32_t ms, std::string_view what) override;
    bool waitFd(int fd, FdWait direction, uint32_t ms, std::string_view what) override;
    void advance(uint64_t ms) { now_ += ms; }

    // Every wait in order, with its name.
    const std::vector<Wait>& waits() const { return waits_; }
    // Only the lengths, in order.
    const std::vector<uint32_t>& sleeps() const { return sleeps_; }
    // The lengths of the waits named `what`.
    std::vector<uint32_t> waitsNamed(std::string_view what) const;
    uint64_t totalSlept() const;
    void clearSleeps();

private:
    void record(uint32_t ms, std::string_view what);
    uint64_t now_;
    std::vector<Wait> waits_;
    std::vector<uint32_t> sleeps_;
};

} // namespace platform
