#include "platform/clock.h"

#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

uint64_t monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

class SystemClock : public Clock {
public:
    uint64_t tickMs() override { return monotonicMs(); }
    void sleepMs(uint32_t ms, std::string_view) override {
        timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
        while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
        }
    }
};

} // namespace

bool pollFd(int fd, FdWait direction, uint32_t ms) {
    const uint64_t start = monotonicMs();
    for (;;) {
        int timeout = -1;
        if (ms != Clock::kForever) {
            const uint64_t spent = monotonicMs() - start;
            timeout = spent >= ms ? 0 : static_cast<int>(std::min<uint64_t>(ms - spent, 1u << 30));
        }
        pollfd p{fd, static_cast<short>(direction == FdWait::Readable ? POLLIN : POLLOUT), 0};
        const int r = poll(&p, 1, timeout);
        if (r > 0) return true;
        if (r == 0) return false;
        if (errno != EINTR) return true;  // let the caller's read or write report the fault
    }
}

bool Clock::waitFd(int fd, FdWait direction, uint32_t ms, std::string_view) { return pollFd(fd, direction, ms); }

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

void FakeClock::record(uint32_t ms, std::string_view what) {
    waits_.push_back({std::string(what), ms});
    sleeps_.push_back(ms);
    now_ += ms;
}

void FakeClock::sleepMs(uint32_t ms, std::string_view what) { record(ms, what); }

bool FakeClock::waitFd(int fd, FdWait direction, uint32_t ms, std::string_view what) {
    if (pollFd(fd, direction, 0)) return true;
    // Nothing will come in no time: the whole wait passes. A wait without
    // limit would never end, so it ends at once.
    record(ms == kForever ? 0 : ms, what);
    return false;
}

std::vector<uint32_t> FakeClock::waitsNamed(std::string_view what) const {
    std::vector<uint32_t> out;
    for (const Wait& w : waits_)
        if (w.what == what) out.push_back(w.ms);
    return out;
}

uint64_t FakeClock::totalSlept() const {
    uint64_t total = 0;
    for (uint32_t s : sleeps_) total += s;
    return total;
}

void FakeClock::clearSleeps() {
    waits_.clear();
    sleeps_.clear();
}

} // namespace platform
