// The simulated monitor following the generator: the timing the generator
// puts out (decoded from its program, shared through the state file), the
// status registers reporting it, and the behaviour options.
#include <gtest/gtest.h>

#include "platform/testing/test_folder.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/patgen/output_timing.h"

using namespace sim;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr uint16_t kMode = 0x0100, kHFreq = 0x0101, kVFreq = 0x0102, kSync = 0x0103, kDegauss = 0x0104,
                   kField = 0x0105, kPerMode = 0x0106;

// ECS type 2: format 1 reads two bytes at (c, b), format 2 writes two.
// Group 1 holds bytes on device 1, group 2 two-byte values on device 2,
// group 3 bytes on the device of the mode.
LinkTables tables(const char* hName = "H-Freq", const char* syncName = "SyncPol") {
    LinkTables t;
    t.formats.resize(3);
    t.formats[1].command = items({0x51, 0x05, 0x1000, 0x4000, 0x8000});
    t.formats[1].response = items({0x52, 0x05, 0x2000 + 2, 0x8000});
    t.formats[2].command = items({0x53, 0x07, 0x1000, 0x4000, 0x2000 + 2, 0x8000});
    t.formats[2].response = items({0x54, 0x03, 0x8000});
    t.groups.resize(4);
    t.groups[1].device = 0x01;
    t.groups[2].device = 0x02;
    t.groups[2].flags = 4;
    t.groups[3].perMode = 1;
    t.blocks = {{1, ""}, {7, ""}};
    auto reg = [](const char* name, int8_t group, uint8_t address) {
        LinkRegister r;
        r.name = name;
        r.writeFormat = 2;
        r.readFormat = 1;
        r.writeAddress = r.readAddress = address;
        r.group = group;
        return r;
    };
    LinkRegister field = reg("Field", 1, 0x30);
    field.shift = 4;
    field.mask = 0x0F;
    t.registers = {LinkRegister{}, reg("ModeNo", 1, 0x20), reg(hName, 2, 0x00), reg("V-Freq", 2, 0x02),
                   reg(syncName, 1, 0x21), reg("Degauss", 1, 0x22), field, reg("PerMode", 3, 0x40)};
    return t;
}

Bytes frame(Bytes bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes) sum += b;
    bytes.push_back(static_cast<uint8_t>(sum));
    return bytes;
}

void feed(MonitorProtocol& p, const Bytes& in) {
    std::vector<MonitorReply> replies;
    p.feed(in.data(), in.size(), replies);
}

// A program as the generator receives it: 31.78 us lines, 525 lines,
// separate sync with both polarities positive.
std::string program(char hSync = '1', char vSync = '1', char composite = '2', char interlace = '0') {
    std::string h = "0025173178254203810190000000000";  // 30 characters, then the separator below
    h.back() = ',';
    std::string v = std::string(1, interlace) + "00" + "0525" + "020000000003304800000000000" + ",";
    std::string out = std::string("0") + hSync + vSync + composite + "0010000" + "070000030";
    return h + v + out;
}

} // namespace

TEST(OutputTiming, ReadFromTheProgramTheGeneratorExecutes) {
    auto t = programOutputTiming(program());
    ASSERT_TRUE(t);
    EXPECT_NEAR(t->hKHz, 31.466, 0.001);
    EXPECT_NEAR(t->vHz, 59.936, 0.001);
    EXPECT_EQ(t->sync, OutputTiming::Sync::Separate);
    EXPECT_TRUE(t->hPositive);
    EXPECT_TRUE(t->vPositive);

    t = programOutputTiming(program('0', '1'));
    EXPECT_FALSE(t->hPositive);
    t = programOutputTiming(program('2', '2', '0'));
    EXPECT_EQ(t->sync, OutputTiming::Sync::Composite);
    EXPECT_FALSE(t->hPositive);
    t = programOutputTiming(program('2', '2', '2'));
    EXPECT_EQ(t->sync, OutputTiming::Sync::Green);
    t = programOutputTiming(program('1', '1', '2', '2'));
    EXPECT_NEAR(t->vHz, 2 * 59.936, 0.002);  // interlaced: fields

    EXPECT_FALSE(programOutputTiming(program().substr(0, 60)));
    std::string broken = program();
    broken[7] = 'x';
    EXPECT_FALSE(programOutputTiming(broken));
    EXPECT_FALSE(programOutputTiming("00000000000000000000000000000,"));
}

TEST(OutputTiming, TheStateFileReadsBackWhatWasWritten) {
    platform::testing::TestFolder folder;
    const std::string path = folder.file("timing.ini");
    EXPECT_FALSE(readOutputTiming(path));
    OutputTiming t;
    t.hKHz = 68.677;
    t.vHz = 85.0;
    t.vPositive = false;
    t.sync = OutputTiming::Sync::Green;
    ASSERT_TRUE(writeOutputTiming(path, t));
    const auto back = readOutputTiming(path);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->hKHz, 68.677);
    EXPECT_DOUBLE_EQ(back->vHz, 85.0);
    EXPECT_TRUE(back->hPositive);
    EXPECT_FALSE(back->vPositive);
    EXPECT_EQ(back->sync, OutputTiming::Sync::Green);
    folder.write("timing.ini", "[output]\nHFrequency=fast\nVFrequency=60\n");
    EXPECT_FALSE(readOutputTiming(path));
}

TEST(SignalStatus, SelectsTheMatchingPresetModeOrTheFirstUserMode) {
    SignalStatus s({kMode, kHFreq, kVFreq, kSync}, {{31.469, 59.94}, {37.861, 72.809}, {31.469, 70.087}});
    OutputTiming t;
    t.hKHz = 31.476;
    t.vHz = 70.10;
    EXPECT_EQ(s.modeFor(t), 2);
    t.vHz = 59.95;
    EXPECT_EQ(s.modeFor(t), 0);
    t.hKHz = 32.1;  // beyond half a kilohertz
    EXPECT_EQ(s.modeFor(t), 3);
}

TEST(SignalStatus, ReportsFrequenciesPolaritiesAndSyncKindAsTheRegisterNamesRead) {
    SignalStatus s({kMode, kHFreq, kVFreq, kSync}, {{46.875, 75.0}});
    EXPECT_TRUE(s.registerValues(tables()).empty());  // no signal known yet
    OutputTiming t;
    t.hKHz = 46.875;
    t.vHz = 75.0;
    t.hPositive = false;
    s.setTiming(t);
    using Values = std::vector<std::pair<uint16_t, int32_t>>;
    EXPECT_EQ(s.registerValues(tables()), (Values{{kMode, 0}, {kHFreq, 469}, {kVFreq, 7500}, {kSync, 0b01}}));
    // "#" names: a set bit is positive, the sync kind is 4 bits wide.
    t.vPositive = false;
    t.sync = OutputTiming::Sync::Composite;
    s.setTiming(t);
    EXPECT_EQ(s.registerValues(tables("#H-Freq", "#SyncPol")).back(), (std::pair<uint16_t, int32_t>{kSync, (2 << 2) | 0b10}));
    t.sync = OutputTiming::Sync::Separate;
    s.setTiming(t);
    EXPECT_EQ(s.registerValues(tables("H-Freq", "#SyncPol")).back().second, (10 << 2) | 0b11);
}

TEST(MonitorProtocol, StatusRegistersFollowTheSignalOnEveryCommand) {
    auto protocol = std::make_shared<MonitorProtocol>(tables(), 2);
    auto signal = std::make_shared<SignalStatus>(StatusRegisters{kMode, kHFreq, kVFreq, kSync},
                                                 std::vector<MonitorMode>{{31.469, 59.94}, {46.875, 75.0}});
    protocol->setSignalStatus(signal);
    OutputTiming t;
    t.hKHz = 46.9;
    t.vHz = 75.0;
    signal->setTiming(t);
    feed(*protocol, frame({0x51, 0x05, 0x20, 0x01}));  // read the mode register
    EXPECT_EQ(protocol->registerValue(kMode), 1);
    EXPECT_EQ(protocol->registerValue(kHFreq), 469);
    EXPECT_EQ(protocol->memory(0x02, 0x00), 469 >> 8);
    EXPECT_EQ(protocol->memory(0x02, 0x01), 469 & 0xFF);
    EXPECT_EQ(protocol->registerValue(kVFreq), 7500);
}

TEST(MonitorProtocol, RegistersAreSetThroughTheirFieldAndSelfClearingOnesClearAfterAWrite) {
    MonitorProtocol p(tables(), 2);
    p.setMemory(0x01, 0x30, 0x0A);
    p.setRegister(kField, 5);
    EXPECT_EQ(p.memory(0x01, 0x30), 0x5A);
    EXPECT_EQ(p.registerValue(kField), 5);
    p.setRegister(0x0999, 1);  // unknown: nothing happens
    p.setSelfClearing(kDegauss);
    feed(p, frame({0x53, 0x07, 0x22, 0x01, 0x01, 0x00}));
    EXPECT_EQ(p.registerValue(kDegauss), 0);
    feed(p, frame({0x53, 0x07, 0x20, 0x01, 0x07, 0x00}));  // another register keeps its value
    EXPECT_EQ(p.registerValue(kMode), 7);
}

TEST(MonitorBehaviour, ReadsItsOptionsAndRefusesBadOnes) {
    platform::testing::TestFolder folder;
    MonitorBehaviour b;
    std::string error;
    ASSERT_TRUE(b.parse({"--status", "0x0100,0x0101,0x0102,0x0103", "--mode", "31.469/59.94", "--mode", "46.875/75",
                         "--register", "0x0105=3", "--register", "0x0106@2=9", "--register", "0x0105@2=7",
                         "--self-clearing", "0x0104", "--timing-file",
                         folder.file("timing.ini")},
                        &error))
        << error;
    EXPECT_EQ(b.status.hFrequency, kHFreq);
    ASSERT_EQ(b.modes.size(), 2u);
    EXPECT_DOUBLE_EQ(b.modes[1].vHz, 75.0);

    MonitorProtocol p(tables(), 2);
    auto signal = b.applyTo(p);
    ASSERT_TRUE(signal);
    EXPECT_EQ(p.registerValue(kField), 3);
    // A per-mode register in mode 2 lives on device 2; a register of
    // another group has no modes and is left alone.
    EXPECT_EQ(p.memory(0x02, 0x40), 9);
    EXPECT_EQ(p.registerValue(kPerMode, 2), 9);
    EXPECT_EQ(p.registerValue(kPerMode, 1), 0);
    EXPECT_EQ(p.memory(0x02, 0x30), 0);
    // The signal comes from the state file from now on.
    OutputTiming t;
    t.hKHz = 46.875;
    t.vHz = 75.0;
    ASSERT_TRUE(writeOutputTiming(folder.file("timing.ini"), t));
    feed(p, frame({0x51, 0x05, 0x20, 0x01}));
    EXPECT_EQ(p.registerValue(kMode), 1);

    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{{"--status", "1,2,3"},
                                                                              {"--mode", "31.4"},
                                                                              {"--mode", "0/60"},
                                                                              {"--register", "0x10000=1"},
                                                                              {"--register", "5"},
                                                                              {"--register", "0x0106@256=1"},
                                                                              {"--register", "0x0106@=1"},
                                                                              {"--register", "0x0106@1"},
                                                                              {"--self-clearing", "x"},
                                                                              {"--colour", "red"},
                                                                              {"--mode"}}) {
        MonitorBehaviour other;
        EXPECT_FALSE(other.parse(bad, &error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(MonitorBehaviour{}.applyTo(p));  // nothing to follow
}
