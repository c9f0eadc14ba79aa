#include <gtest/gtest.h>

#include "outside/pgpio/pgpio_device.h"
#include "platform/clock.h"
#include "platform/sim_port.h"
#include "platform/testing/test_folder.h"
#include "sim/patgen/patgen_sim_device.h"

namespace {

uint32_t status(pgpio::Device& d) {
    uint8_t out[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(d.control(pgpio::kStatus, nullptr, 0, out, 4, nullptr));
    return out[0] | out[1] << 8 | out[2] << 16 | uint32_t{out[3]} << 24;
}

uint16_t waiting(pgpio::Device& d) {
    uint8_t out[2] = {0xFF, 0xFF};
    EXPECT_TRUE(d.control(pgpio::kWaiting, nullptr, 0, out, 2, nullptr));
    return static_cast<uint16_t>(out[0] | out[1] << 8);
}

} // namespace

TEST(PgpioDevice, OpensOnlyItsNameWithAGenerator) {
    platform::testing::ScopedEnv none("PGPIO_DEVICE", "");
    EXPECT_FALSE(pgpio::openDevice(pgpio::kDeviceName));
    platform::testing::ScopedEnv some("PGPIO_DEVICE", "sim:nothing-here");
    EXPECT_FALSE(pgpio::openDevice(pgpio::kDeviceName));
    EXPECT_FALSE(pgpio::openDevice("\\\\.\\OTHER.VXD"));
}

TEST(PgpioDevice, MovesBytesToTheGeneratorAndBack) {
    const std::string name = "pgpio-test-" + std::to_string(getpid());
    patgen::registerPatgenSim(nullptr, name);
    platform::testing::ScopedEnv device("PGPIO_DEVICE", "sim:" + name);
    platform::FakeClock clock;
    auto d = pgpio::openDevice(pgpio::kDeviceName, &clock);
    ASSERT_TRUE(d);
    const uint8_t params[pgpio::kParameterBytes] = {};
    EXPECT_TRUE(d->control(pgpio::kSetParameters, params, sizeof params, nullptr, 0, nullptr));
    EXPECT_FALSE(d->control(pgpio::kSetParameters, params, 4, nullptr, 0, nullptr));
    EXPECT_EQ(waiting(*d), 0);
    const uint8_t enq = 0x05;
    EXPECT_TRUE(d->control(pgpio::kPutByte, &enq, 1, nullptr, 0, nullptr));
    EXPECT_EQ(status(*d), 0u);
    EXPECT_TRUE(d->control(pgpio::kEndSend, nullptr, 0, nullptr, 0, nullptr));
    EXPECT_EQ(waiting(*d), 1);
    uint8_t got[2] = {};
    size_t returned = 0;
    EXPECT_TRUE(d->control(pgpio::kFetch, nullptr, 0, got, 1, &returned));
    EXPECT_EQ(returned, 1u);
    EXPECT_EQ(got[0], 0x06);
    EXPECT_EQ(status(*d), 0u);
    // Fetching more than waits is a bad fetch.
    EXPECT_TRUE(d->control(pgpio::kFetch, nullptr, 0, got, 2, &returned));
    EXPECT_EQ(returned, 0u);
    EXPECT_NE(status(*d), 0u);
    EXPECT_TRUE(d->control(pgpio::kPutByte, &enq, 1, nullptr, 0, nullptr));
    EXPECT_TRUE(d->control(pgpio::kPurge, nullptr, 0, nullptr, 0, nullptr));
    EXPECT_EQ(waiting(*d), 0);
    EXPECT_FALSE(d->control(0x999, nullptr, 0, nullptr, 0, nullptr));
    platform::registerSimDevice(name, nullptr);
}
