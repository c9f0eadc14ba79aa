#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "platform/sim_port.h"

using namespace platform;

namespace {

// Answers each byte with its complement after a configurable delay.
class Complementer : public SimDevice {
public:
    explicit Complementer(uint32_t delay) : delay_(delay) {}
    void fromHost(SimLine& line, const uint8_t* data, size_t n) override {
        for (size_t i = 0; i < n; ++i) {
            uint8_t c = static_cast<uint8_t>(~data[i]);
            line.toHost(&c, 1, delay_);
        }
        received.insert(received.end(), data, data + n);
    }
    void dtrChanged(bool on) override { dtr = on; }
    std::vector<uint8_t> received;
    bool dtr = false;

private:
    uint32_t delay_;
};

} // namespace

TEST(SimPort, DeviceAnswersThroughThePort) {
    auto device = std::make_shared<Complementer>(0);
    SimRegistration reg("complement-now", [device] { return device; });
    FakeClock clock;
    auto port = openSerialPort("sim:complement-now", nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 4, 30});
    const uint8_t out[] = {0x00, 0x0F};
    EXPECT_EQ(port->write(out, 2), 2u);
    uint8_t in[2];
    EXPECT_EQ(port->read(in, 2), 2u);
    EXPECT_EQ(in[0], 0xFF);
    EXPECT_EQ(in[1], 0xF0);
    EXPECT_EQ(device->received, std::vector<uint8_t>({0x00, 0x0F}));
    EXPECT_TRUE(clock.sleeps().empty());
    port->setDtr(true);
    EXPECT_TRUE(device->dtr);
}

TEST(SimPort, LateAnswerArrivesWithinTheTimeOutAfterItsDelay) {
    SimRegistration reg("complement-late", [] { return std::make_shared<Complementer>(700); });
    FakeClock clock;
    auto port = openSerialPort("sim:complement-late", nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 4, 30});
    uint8_t b = 1;
    port->write(&b, 1);
    uint64_t t0 = clock.tickMs();
    EXPECT_EQ(port->read(&b, 1), 1u);
    EXPECT_EQ(b, 0xFE);
    EXPECT_EQ(clock.tickMs() - t0, 700u);
}

TEST(SimPort, SilenceCostsExactlyTheTotalTimeOut) {
    SimRegistration reg("complement-silent", [] { return std::make_shared<Complementer>(0); });
    FakeClock clock;
    auto port = openSerialPort("sim:complement-silent", nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 4, 30});
    uint8_t b;
    uint64_t t0 = clock.tickMs();
    EXPECT_EQ(port->read(&b, 1), 0u);
    EXPECT_EQ(clock.tickMs() - t0, 3004u);
}

TEST(SimPort, AnswerLaterThanTheTimeOutIsMissedThenRead) {
    SimRegistration reg("complement-too-late", [] { return std::make_shared<Complementer>(5000); });
    FakeClock clock;
    auto port = openSerialPort("sim:complement-too-late", nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 4, 30});
    uint8_t b = 0;
    port->write(&b, 1);
    EXPECT_EQ(port->read(&b, 1), 0u);
    EXPECT_EQ(port->read(&b, 1), 1u);
    EXPECT_EQ(b, 0xFF);
}

TEST(SimPort, PurgeDiscardsPendingAnswers) {
    SimRegistration reg("complement-purge", [] { return std::make_shared<Complementer>(0); });
    FakeClock clock;
    auto port = openSerialPort("sim:complement-purge", nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 4, 30});
    uint8_t b = 0;
    port->write(&b, 1);
    port->purge(true, true);
    EXPECT_EQ(port->read(&b, 1), 0u);
}

TEST(SimPort, UnknownNameFailsAndNamesOpenOnce) {
    std::string error;
    EXPECT_FALSE(openSerialPort("sim:nobody", &error));
    EXPECT_NE(error.find("no such"), std::string::npos);
    SimRegistration reg("complement-once", [] { return std::make_shared<Complementer>(0); });
    auto first = openSerialPort("sim:complement-once");
    ASSERT_TRUE(first);
    EXPECT_FALSE(openSerialPort("sim:complement-once", &error));
    first.reset();
    EXPECT_TRUE(openSerialPort("sim:complement-once"));
}
