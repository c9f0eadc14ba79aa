#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "sim/monitor/sim_monitor.h"

using namespace sim;
using Bytes = std::vector<uint8_t>;
using Kind = MonitorFault::Kind;

namespace {

// Format 1 reads two bytes at (c, b); format 2 writes two.
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
    t.blocks = {{1}, {1}};
    LinkRegister none;
    LinkRegister r;
    r.name = "Reg";
    r.writeFormat = 2;
    r.readFormat = 1;
    r.writeAddress = r.readAddress = 0x10;
    r.group = 1;
    t.registers = {none, r};
    return t;
}

Bytes feed(MonitorProtocol& p, const Bytes& in, uint32_t* delay = nullptr) {
    std::vector<MonitorReply> replies;
    p.feed(in.data(), in.size(), replies);
    if (replies.empty()) return {};
    if (delay) *delay = replies.back().delayMs;
    return replies.back().bytes;
}

} // namespace

TEST(LinkFile, WrittenTablesReadBack) {
    LinkTables t = model(2);
    t.formats[1].label = "READ";
    t.formats[1].blockFlag = 1;
    t.groups[1] = {"GRP", 1, 4, 6, 0x22, 300, -5};
    t.registers[1].shift = 3;
    t.registers[1].mask = 0x1F;
    t.registers[1].lastRaw = -7;
    const Bytes bytes = kit::linkDescriptionFile(t);
    EXPECT_EQ(bytes.size(), 4 * 16 + 3 * 152 + 2 * 32 + 2 * 16 + 2 * 36u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), Bytes({'=', '=', '=', '=', 'F', 'O', 'R', '='}));
    LinkTables back;
    ASSERT_TRUE(parseLinkFile(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.formats[1].label, "READ");
    EXPECT_EQ(back.formats[1].command, t.formats[1].command);
    EXPECT_EQ(back.formats[2].response, t.formats[2].response);
    EXPECT_EQ(back.formats[1].blockFlag, 1);
    EXPECT_EQ(back.groups[1].perMode, 1);
    EXPECT_EQ(back.groups[1].flags, 4);
    EXPECT_EQ(back.groups[1].kind, 6);
    EXPECT_EQ(back.groups[1].device, 0x22);
    EXPECT_EQ(back.groups[1].max, 300);
    EXPECT_EQ(back.groups[1].min, -5);
    EXPECT_EQ(back.registers[1].name, "Reg");
    EXPECT_EQ(back.registers[1].writeAddress, 0x10);
    EXPECT_EQ(back.registers[1].shift, 3);
    EXPECT_EQ(back.registers[1].mask, 0x1F);
    EXPECT_EQ(back.registers[1].lastRaw, -7);
    EXPECT_EQ(back.registerOf(0x0100), &back.registers[1]);
    EXPECT_EQ(back.registerOf(0x0101), nullptr);
    EXPECT_FALSE(parseLinkFile(bytes.data(), bytes.size() - 1, back));
}

TEST(MonitorProtocol, Type2ReadAndWriteFramesByteByByte) {
    MonitorProtocol p(model(2), 2);
    p.setMemory(0x01, 0x10, 0xAB);
    p.setMemory(0x01, 0x11, 0xCD);
    std::vector<MonitorReply> replies;
    const Bytes read = {0x51, 0x05, 0x10, 0x01, 0x67};
    for (uint8_t b : read) p.feed(&b, 1, replies);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, Bytes({0x52, 0x05, 0xAB, 0xCD, 0xCF}));
    EXPECT_EQ(feed(p, {0x53, 0x07, 0x10, 0x01, 0x12, 0x34, 0xB1}), Bytes({0x54, 0x03, 0x57}));
    EXPECT_EQ(p.memory(0x01, 0x10), 0x12);
    EXPECT_EQ(p.memory(0x01, 0x11), 0x34);
    const auto t = p.transactions();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].format, 2);
    EXPECT_EQ(t[1].data, Bytes({0x12, 0x34}));
    EXPECT_TRUE(t[1].wrote);
}

TEST(MonitorProtocol, Type1NibbleFrames) {
    MonitorProtocol p(model(1), 1);
    p.setMemory(0x01, 0x10, 0xAB);
    p.setMemory(0x01, 0x11, 0xCD);
    EXPECT_EQ(feed(p, {0x6E, 0x10, 0x01, 0xFF}), Bytes({0x6F, 0x0A, 0x0B, 0x0C, 0x0D, 0xFF}));
    EXPECT_EQ(feed(p, {0x70, 0x10, 0x01, 0x01, 0x02, 0x03, 0x04, 0xFF}), Bytes({0x71, 0xFF}));
    EXPECT_EQ(p.memory(0x01, 0x10), 0x12);
    EXPECT_EQ(p.memory(0x01, 0x11), 0x34);
    // A data byte that is not a nibble matches no command: no answer.
    EXPECT_EQ(feed(p, {0x70, 0x10, 0x01, 0x01, 0x12, 0x03, 0x04, 0xFF}), Bytes());
    EXPECT_EQ(p.transactions().back().format, -1);
}

TEST(MonitorProtocol, Type2UnknownFramesBadChecksumsAndLeadingGarbage) {
    MonitorProtocol p(model(2), 2);
    EXPECT_EQ(feed(p, {0x51, 0x05, 0x10, 0x01, 0x00}), Bytes({0x60, 0x04, 0x01, 0x65}));
    // Bytes that start no command are dropped until a frame begins.
    EXPECT_EQ(feed(p, {0x99, 0x00, 0x51, 0x05, 0x10, 0x01, 0x67}).size(), 5u);
}

TEST(MonitorProtocol, FaultsApplyToMatchingCommandsAndRunOut) {
    MonitorProtocol p(model(2), 2);
    const Bytes read = {0x51, 0x05, 0x10, 0x01, 0x67};
    p.addFault({Kind::Silent, 0, 0, 1, -1, 0x20});  // another address: never applies
    p.addFault({Kind::Late, 700, 0, 1});
    uint32_t delay = 0;
    EXPECT_EQ(feed(p, read, &delay).size(), 5u);
    EXPECT_EQ(delay, 700u);
    EXPECT_EQ(feed(p, read, &delay).size(), 5u);
    EXPECT_EQ(delay, 0u);
    p.addFault({Kind::BadChecksum, 0, 0, 1});
    EXPECT_EQ(feed(p, read), Bytes({0x52, 0x05, 0x00, 0x00, 0x58}));
    p.addFault({Kind::BadLiteral, 0, 0, 1});
    EXPECT_EQ(feed(p, read), Bytes({0x53, 0x05, 0x00, 0x00, 0x58}));
    p.addFault({Kind::ErrorFrame, 0, 0x07, 1});
    EXPECT_EQ(feed(p, read), Bytes({0x60, 0x04, 0x07, 0x6B}));
    p.setSilent(true);
    EXPECT_EQ(feed(p, read), Bytes());
    p.setSilent(false);
    EXPECT_EQ(feed(p, read).size(), 5u);
    p.setReplyDelay(50);
    feed(p, read, &delay);
    EXPECT_EQ(delay, 50u);
}

TEST(MonitorProtocol, RefusedWritesLeaveMemoryAlone) {
    MonitorProtocol p(model(2), 2);
    p.refuseWrites({0x0100}, 0x22);
    EXPECT_EQ(feed(p, {0x53, 0x07, 0x10, 0x01, 0x12, 0x34, 0xB1}), Bytes({0x60, 0x04, 0x22, 0x86}));
    EXPECT_EQ(p.memory(0x01, 0x10), 0);
    EXPECT_EQ(feed(p, {0x51, 0x05, 0x10, 0x01, 0x67}).size(), 5u);  // reads still work
    MonitorProtocol q(model(1), 1);
    q.refuseWrites({0x0100}, 0x22);
    EXPECT_EQ(feed(q, {0x70, 0x10, 0x01, 0x01, 0x02, 0x03, 0x04, 0xFF}), Bytes());
}

TEST(SimMonitor, AnswersThroughASimPort) {
    auto protocol = std::make_shared<MonitorProtocol>(model(2), 2);
    SimMonitor monitor(protocol, "monitor-proto-" + std::to_string(getpid()));
    protocol->setMemory(0x01, 0x10, 0x42);
    platform::FakeClock clock;
    auto port = platform::openSerialPort(monitor.portName(), nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 4, 30});
    const Bytes read = {0x51, 0x05, 0x10, 0x01, 0x67};
    EXPECT_EQ(port->write(read.data(), read.size()), read.size());
    uint8_t in[5] = {};
    EXPECT_EQ(port->read(in, 5), 5u);
    EXPECT_EQ(in[2], 0x42);
}
