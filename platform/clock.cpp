#include "platform/clock.h"

#include <time.h>

#include <cerrno>

namespace platform {

namespace {

class SystemClock : public Clock {
public:
    uint64_t tickMs() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    }
    void sleepMs(uint32_t ms) override {
        timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
        while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
        }
    }
};

} // namespace

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

void FakeClock::sleepMs(uint32_t ms) {
    sleeps_.push_back(ms);
    now_ += ms;
}

uint64_t FakeClock::totalSlept() const {
    uint64_t total = 0;
    for (uint32_t s : sleeps_) total += s;
    return total;
}

} // namespace platform
