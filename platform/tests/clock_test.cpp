#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/dynamic_library.h"

using namespace platform;

TEST(Clock, FakeClockAdvancesAtOnceAndRecords) {
    FakeClock clock(500);
    clock.sleepMs(100, "short");
    clock.sleepMs(3000, "long");
    EXPECT_EQ(clock.tickMs(), 3600u);
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{100, 3000}));
    EXPECT_EQ(clock.totalSlept(), 3100u);
}

TEST(Clock, SystemClockSleeps) {
    Clock& clock = systemClock();
    uint64_t t0 = clock.tickMs();
    clock.sleepMs(20, "test");
    EXPECT_GE(clock.tickMs() - t0, 20u);
}

TEST(DynamicLibrary, LoadsAndFindsSymbolsOrReports) {
    std::string error;
    auto libc = DynamicLibrary::open("libc.so.6", &error);
    ASSERT_TRUE(libc) << error;
    auto strlenFn = libc->function<size_t (*)(const char*)>("strlen");
    ASSERT_TRUE(strlenFn);
    EXPECT_EQ(strlenFn("abc"), 3u);
    EXPECT_EQ(libc->symbol("no_such_symbol_here"), nullptr);
    EXPECT_FALSE(DynamicLibrary::open("libno-such-library.so", &error));
    EXPECT_FALSE(error.empty());
}
