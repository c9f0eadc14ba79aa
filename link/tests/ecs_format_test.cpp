#include <gtest/gtest.h>

#include "link_fixture.h"
#include "platform/exclusive_file.h"
#include "platform/testing/test_folder.h"

using namespace ecs;
using Kind = sim::MonitorFault::Kind;

namespace {

// One type-1 format: 6E b data(1 unit) FF, answered 6F data FF.
sim::LinkTables echoModel(int type) {
    sim::LinkTables t;
    t.formats.resize(2);
    if (type == 1) {
        t.formats[1].command = sim::items({0x6E, 0x1000, 0x2000 + 1, 255});
        t.formats[1].response = sim::items({0x6F, 0x2000 + 1, 255});
    } else {
        t.formats[1].command = sim::items({0x51, 0x05, 0x1000, 0x2000 + 1, 0x8000});
        t.formats[1].response = sim::items({0x52, 0x04, 0x2000 + 1, 0x8000});
    }
    t.groups.resize(1);
    t.blocks.resize(1);
    t.registers.resize(1);
    return t;
}

LinkBuffer bytes(std::initializer_list<uint8_t> list) {
    LinkBuffer b{};
    size_t i = 0;
    for (uint8_t v : list) b[i++] = v;
    return b;
}

} // namespace

TEST(Transact, FormatZeroSendsNothing) {
    LinkFixture f(2, echoModel(2));
    LinkBuffer in{};
    EXPECT_EQ(f.link->transact(0, 1, 2, in, in), ECS_OK);
    EXPECT_EQ(f.traffic(), 0u);
}

TEST(Transact, Type1RoundTripAndLogLine) {
    platform::testing::TestFolder folder;
    LinkFixture f(1, echoModel(1));
    ASSERT_TRUE(f.link->openLog(folder.path()));
    EXPECT_TRUE(f.link->isLogging());
    LinkBuffer out{};
    EXPECT_EQ(f.link->transact(1, 0x51, 0, bytes({0x0A}), out), ECS_OK);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(f.last().request, std::vector<uint8_t>({0x6E, 0x51, 0x0A, 0xFF}));
    // A silent answer ends the record without a line end.
    f.protocol->setSilent(true);
    EXPECT_EQ(f.link->transact(1, 0x52, 0, bytes({0x01}), out), ECS_ERR_LINK);
    f.link->closeLog();
    EXPECT_FALSE(f.link->isLogging());
    EXPECT_EQ(folder.read("ecs.log"), "6e,51,0a,ff,=> 6f,0a,ff,\r\n6e,52,01,ff,=> ");
}

TEST(Transact, Type2LogFileAndDestroyingTheLinkClosesIt) {
    platform::testing::TestFolder folder;
    {
        LinkFixture f(2, echoModel(2));
        ASSERT_TRUE(f.link->openLog(folder.path()));
        LinkBuffer out{};
        EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), ECS_OK);
        EXPECT_EQ(f.last().request, std::vector<uint8_t>({0x51, 0x05, 0x20, 0x07, 0x7D}));
    }
    // Closed with the link: another writer may take the file now.
    std::FILE* other = platform::openExclusiveForWriting(folder.file("ecs2.log"));
    EXPECT_TRUE(other);
    if (other) std::fclose(other);
}

TEST(Transact, LogHeldByAnotherWriterIsNotOpened) {
    platform::testing::TestFolder folder;
    LinkFixture f(2, echoModel(2));
    std::FILE* other = platform::openExclusiveForWriting(folder.file("ecs2.log"));
    ASSERT_TRUE(other);
    std::fputs("theirs", other);
    std::fflush(other);
    EXPECT_FALSE(f.link->openLog(folder.path()));
    EXPECT_FALSE(f.link->isLogging());
    std::fclose(other);
    EXPECT_EQ(folder.read("ecs2.log"), "theirs");
    EXPECT_TRUE(f.link->openLog(folder.path()));
    f.link->closeLog();
    EXPECT_EQ(folder.read("ecs2.log"), "");
}

TEST(Transact, SilentMonitorGivesTheLinkErrorAfterOneTimeOut) {
    LinkFixture f(2, echoModel(2));
    f.protocol->setSilent(true);
    LinkBuffer out{};
    const uint64_t t0 = f.clock.tickMs();
    EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), ECS_ERR_LINK);
    EXPECT_EQ(f.clock.tickMs() - t0, 3004u);
}

TEST(Transact, Type2AnswerFaults) {
    LinkFixture f(2, echoModel(2));
    LinkBuffer out{};
    f.protocol->addFault({Kind::BadChecksum, 0, 0, 1});
    EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), ECS_ERR_FORMAT);
    EXPECT_TRUE(f.ui.messages().empty());
    f.protocol->addFault({Kind::BadLiteral, 0, 0, 1});
    EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), ECS_ERR_FORMAT);
    ASSERT_EQ(f.ui.messages().size(), 1u);
    EXPECT_EQ(f.ui.messages()[0], "Format FIX data is missing!");
    f.protocol->addFault({Kind::ErrorFrame, 0, 0x03, 1});
    EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), 0x20001003u);
    EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), ECS_OK);
}

TEST(Transact, Type1CorruptAnswerIsAFormatErrorWithoutMessage) {
    LinkFixture f(1, echoModel(1));
    LinkBuffer out{};
    f.protocol->addFault({Kind::BadLiteral, 0, 0, 1});
    EXPECT_EQ(f.link->transact(1, 0x20, 0, bytes({0x07}), out), ECS_ERR_FORMAT);
    EXPECT_TRUE(f.ui.messages().empty());
}

TEST(Transact, PortThatDoesNotExistStillGivesALinkObject) {
    platform::testing::TestFolder folder;
    folder.write("comports.ini", "[COM]\nCOM7=" + folder.file("no-such-device") + "\n");
    platform::testing::ScopedEnv env("COMPORTS", folder.file("comports.ini"));
    core::TestUi ui;
    platform::FakeClock clock;
    EcsLink link(7, ui, clock);
    EXPECT_FALSE(link.portOpen());
    const std::vector<uint8_t> file = kit::linkDescriptionFile(testmodel::tables(2));
    ASSERT_EQ(link.loadLinkDescriptionBytes(file.data(), file.size()), 1);
    link.setEcsType(2);
    int32_t v = 0;
    EXPECT_EQ(link.readRegister(testmodel::kBright, v, kAskMonitor), ECS_ERR_LINK);
    EXPECT_EQ(link.serial().configure(9600, 8, 0, 0, 3000), 0);
}

TEST(SerialPortConfigure, SetsLineAndTimeOutsAndRefusesBaudZero) {
    LinkFixture f(2, echoModel(2));
    EXPECT_EQ(f.link->serial().configure(9600, 8, 0, 0, 20000), 1);
    const platform::SerialTimeouts t = f.link->port()->timeouts();
    EXPECT_EQ(t.readInterval, 20000u);
    EXPECT_EQ(t.writeConstant, 200u);
    platform::LineSettings line;
    ASSERT_TRUE(f.link->port()->getLine(line));
    EXPECT_EQ(line.baud, 9600);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(f.link->serial().configure(0, 8, 0, 0, 3000), 0);
    EXPECT_EQ(f.link->port()->timeouts().readConstant, 20000u);  // unchanged
}

TEST(EcsLinkPort, ComNumberMappedToTheSimulatedMonitor) {
    platform::testing::TestFolder folder;
    const sim::LinkTables tables = testmodel::tables(2);
    auto protocol = std::make_shared<sim::MonitorProtocol>(tables, 2);
    sim::SimMonitor monitor(protocol, "monitor-com-" + std::to_string(getpid()));
    folder.write("comports.ini", "[COM]\nCOM3=" + monitor.portName() + "\n");
    platform::testing::ScopedEnv env("COMPORTS", folder.file("comports.ini"));
    core::TestUi ui;
    platform::FakeClock clock;
    EcsLink link(3, ui, clock);
    link.setEcsType(2);
    ASSERT_TRUE(link.portOpen()) << link.openError();
    EXPECT_EQ(link.serial().timeoutMs(), 3000u);
    const std::vector<uint8_t> file = kit::linkDescriptionFile(tables);
    ASSERT_EQ(link.loadLinkDescriptionBytes(file.data(), file.size()), 1);
    protocol->setMemory(testmodel::kMainDevice, testmodel::kMainBase + 1, 0x64);
    int32_t v = 0;
    EXPECT_EQ(link.readRegister(testmodel::kContrast, v, kAskMonitor), ECS_OK);
    EXPECT_EQ(v, 0x64);
}
