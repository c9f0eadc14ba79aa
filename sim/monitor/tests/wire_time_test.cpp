// The simulated monitor's wire time and refused registers.
#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "sim/monitor/sim_monitor.h"

using namespace sim;
using Bytes = std::vector<uint8_t>;

namespace {

// Format 1 reads two bytes at (c, b) in five-byte frames; register 0x0100
// lies at device 1, address 0x10, register 0x0101 at 0x12.
LinkTables model(int type) {
    LinkTables t;
    t.formats.resize(3);
    if (type == 1) {
        t.formats[1].command = items({0x6E, 0x1000, 0x4000, 255});
        t.formats[1].response = items({0x6F, 0x2000 + 4, 255});
        t.formats[2].command = items({0x70, 0x1000, 0x4000, 0x2000 + 4, 255});
        t.formats[2].response = items({0x71, 255});
    } else {
        t.formats[1].command = items({0x51, 0x05, 0x1000, 0x4000, 0x8000});
        t.formats[1].response = items({0x52, 0x05, 0x2000 + 2, 0x8000});
        t.formats[2].command = items({0x53, 0x07, 0x1000, 0x4000, 0x2000 + 2, 0x8000});
        t.formats[2].response = items({0x54, 0x03, 0x8000});
    }
    t.groups.resize(2);
    t.groups[1].device = 0x01;
    t.blocks = {{2, ""}, {2, ""}};
    LinkRegister none;
    LinkRegister a;
    a.name = "A";
    a.writeFormat = 2;
    a.readFormat = 1;
    a.writeAddress = a.readAddress = 0x10;
    a.group = 1;
    LinkRegister b = a;
    b.name = "B";
    b.writeAddress = b.readAddress = 0x12;
    t.registers = {none, none, a, b};
    return t;
}

Bytes feed(MonitorProtocol& p, const Bytes& in) {
    std::vector<MonitorReply> replies;
    p.feed(in.data(), in.size(), replies);
    return replies.empty() ? Bytes() : replies.back().bytes;
}

int counter = 0;

} // namespace

TEST(WireTime, AnswersTakeTheWireTimeOfCommandAndAnswerOnThePortsClock) {
    EXPECT_EQ(WireTime(9600).ns(10), 10416666u);
    EXPECT_EQ(WireTime(0).ns(10), 0u);

    auto protocol = std::make_shared<MonitorProtocol>(model(2), 2);
    SimMonitor monitor(protocol, "wire-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    monitor.setBaud(9600);
    platform::FakeClock clock;
    auto port = platform::openSerialPort(monitor.portName(), nullptr, &clock);
    ASSERT_TRUE(port);
    const Bytes read = {0x51, 0x05, 0x10, 0x01, 0x67};
    uint8_t in[5] = {};

    // Ten bytes at 9600 baud: 10.4 ms, not there after 5 ms, there after 11.
    port->setTimeouts({0, 0, 5, 0, 0});
    port->write(read.data(), read.size());
    EXPECT_EQ(port->read(in, 5), 0u);
    port->setTimeouts({0, 0, 3000, 0, 0});
    EXPECT_EQ(port->read(in, 5), 5u);
    EXPECT_EQ(clock.totalSlept(), 11u);

    // Commands written as soon as the answer came: three take 31.25 ms of
    // line from 1010.4 ms, readable at 1042 ms; the rounding does not add up.
    clock.clearSleeps();
    for (int i = 0; i < 3; ++i) {
        port->write(read.data(), read.size());
        EXPECT_EQ(port->read(in, 5), 5u);
    }
    EXPECT_EQ(clock.waitsNamed(platform::kWaitSerialRead), (std::vector<uint32_t>{10, 11, 10}));

    // After a pause the line starts afresh.
    clock.sleepMs(100, "pause");
    clock.clearSleeps();
    port->write(read.data(), read.size());
    EXPECT_EQ(port->read(in, 5), 5u);
    EXPECT_EQ(clock.totalSlept(), 11u);
}

TEST(WireTime, AMonitorWithoutABitRateAnswersAtOnce) {
    auto protocol = std::make_shared<MonitorProtocol>(model(1), 1);
    SimMonitor monitor(protocol, "wire-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    platform::FakeClock clock;
    auto port = platform::openSerialPort(monitor.portName(), nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({0, 0, 3000, 0, 0});
    const Bytes read = {0x6E, 0x10, 0x01, 0xFF};
    port->write(read.data(), read.size());
    uint8_t in[6] = {};
    EXPECT_EQ(port->read(in, 6), 6u);
    EXPECT_EQ(clock.totalSlept(), 0u);
}

TEST(RefusedRegisters, ReadsOfARefusedRegisterAreAnsweredWithAnErrorOrNothing) {
    MonitorProtocol p(model(2), 2);
    p.refuseReads({0x0100}, 0x03);
    EXPECT_EQ(feed(p, {0x51, 0x05, 0x10, 0x01, 0x67}), Bytes({0x60, 0x04, 0x03, 0x67}));
    EXPECT_EQ(feed(p, {0x51, 0x05, 0x12, 0x01, 0x69}).size(), 5u);  // the other register answers
    EXPECT_EQ(feed(p, {0x53, 0x07, 0x10, 0x01, 0x12, 0x34, 0xB1}), Bytes({0x54, 0x03, 0x57}));  // writes still work

    MonitorProtocol q(model(1), 1);
    q.refuseReads({0x0100}, 0x03);
    EXPECT_EQ(feed(q, {0x6E, 0x10, 0x01, 0xFF}), Bytes());
    EXPECT_EQ(feed(q, {0x6E, 0x12, 0x01, 0xFF}).size(), 6u);
    q.clearFaults();
    EXPECT_EQ(feed(q, {0x6E, 0x10, 0x01, 0xFF}).size(), 6u);
}
