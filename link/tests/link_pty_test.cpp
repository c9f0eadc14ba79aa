// The link against the simulated monitor over a pseudo-terminal: served by a
// thread of this process, and by the pelaro-monitor-sim executable.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "link_fixture.h"
#include "platform/testing/test_folder.h"

using namespace ecs;
using namespace testmodel;

namespace {

void exerciseLink(EcsLink& link, sim::MonitorProtocol* protocol) {
    int32_t v = 0;
    ASSERT_EQ(link.writeRegister(kBright, 0x5C, kSendNow), ECS_OK);
    ASSERT_EQ(link.readRegister(kBright, v, kAskMonitor), ECS_OK);
    EXPECT_EQ(v, 0x5C);
    ASSERT_EQ(link.writeRegister(kWide, 0xBEEF, kSendNow), ECS_OK);
    ASSERT_EQ(link.readRegister(kWide, v, kAskMonitor), ECS_OK);
    EXPECT_EQ(v, 0xBEEF);
    ASSERT_EQ(link.readRegister(kField, v, kAskMonitor), ECS_OK);
    ASSERT_EQ(link.writeRegister(kField, 5, kSendNow), ECS_OK);
    ChassisSequences chassis;
    chassis.keyRegister = kKey;
    chassis.entry.codes[0] = kUmt;
    chassis.entry.values[0] = 3;
    EXPECT_EQ(link.serviceEntry(chassis), ECS_OK);
    EXPECT_FALSE(link.monitorNotConnected());
    if (protocol) {
        EXPECT_EQ(protocol->memory(kFieldDevice, kFieldAddress), 0x50);
        EXPECT_EQ(protocol->memory(kFieldDevice, kUmtAddress), 3);
        EXPECT_EQ(protocol->memory(kFieldDevice, kKeyAddress), 1);
        // Cached reads cause no traffic.
        const size_t before = protocol->transactionCount();
        ASSERT_EQ(link.readRegister(kBright, v, kAskMonitor), ECS_OK);
        ASSERT_EQ(link.readRegister(kContrast, v, 0), ECS_OK);
        EXPECT_EQ(protocol->transactionCount(), before + 1);
    }
}

class OverPty : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(BothTypes, OverPty, ::testing::Values(1, 2));

} // namespace

TEST_P(OverPty, LinkWorksAgainstTheServedMonitor) {
    const int type = GetParam();
    const sim::LinkTables tables = testmodel::tables(type);
    auto protocol = std::make_shared<sim::MonitorProtocol>(tables, type);
    sim::MonitorPtyServer server(protocol);
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    core::TestUi ui;
    EcsLink link(server.path(), ui);
    link.setEcsType(type);
    ASSERT_TRUE(link.portOpen()) << link.openError();
    const std::vector<uint8_t> file = kit::linkDescriptionFile(tables);
    ASSERT_EQ(link.loadLinkDescriptionBytes(file.data(), file.size()), 1);
    exerciseLink(link, protocol.get());
    EXPECT_TRUE(ui.messages().empty());
}

TEST(OverPtySilent, ReadGivesUpAfterTheTimeOutWaitedOnTheLinksClock) {
    const sim::LinkTables tables = testmodel::tables(2);
    auto protocol = std::make_shared<sim::MonitorProtocol>(tables, 2);
    protocol->setSilent(true);
    sim::MonitorPtyServer server(protocol);
    ASSERT_TRUE(server.start());
    core::TestUi ui;
    platform::FakeClock clock;
    EcsLink link(server.path(), ui, clock);
    link.setEcsType(2);
    const std::vector<uint8_t> file = kit::linkDescriptionFile(tables);
    ASSERT_EQ(link.loadLinkDescriptionBytes(file.data(), file.size()), 1);
    LinkBuffer buf{};
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(link.transact(kBlockRead, 0, kMainDevice, buf, buf), ECS_ERR_LINK);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(ms, 2000);  // the clock waited, not the test
    // 3000 ms plus 4 ms for the one byte awaited.
    EXPECT_EQ(clock.waitsNamed(platform::kWaitSerialRead), std::vector<uint32_t>{3004});
}

TEST(MonitorSimExecutable, ServesAHostOnItsPseudoTerminal) {
    platform::testing::TestFolder folder;
    const std::vector<uint8_t> file = kit::linkDescriptionFile(testmodel::tables(1));
    folder.write("model.bus", std::string(file.begin(), file.end()));
    const std::string command = std::string("'") + MONITOR_SIM_EXE + "' --type 1 --link '" + folder.file("model.bus") +
                                "' --memory 5:0x30=0x3A --path-file '" + folder.file("path") + "' >/dev/null 2>&1 & echo $! > '" +
                                folder.file("pid") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string path;
    for (int i = 0; i < 200 && path.empty(); ++i) {
        std::ifstream in(folder.file("path"));
        std::getline(in, path);
        if (path.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    ASSERT_FALSE(path.empty());
    {
        core::TestUi ui;
        EcsLink link(path, ui);
        link.setEcsType(1);
        ASSERT_TRUE(link.portOpen()) << link.openError();
        ASSERT_EQ(link.loadLinkDescriptionBytes(file.data(), file.size()), 1);
        int32_t v = 0;
        ASSERT_EQ(link.readRegister(kField, v, kAskMonitor), ECS_OK);
        EXPECT_EQ(v, 3);
        EXPECT_EQ(link.registers().registerRecord(kField)->lastRaw, 0x3A);
        exerciseLink(link, nullptr);
    }
    const std::string pid = folder.read("pid");
    EXPECT_EQ(std::system(("kill " + pid).c_str()), 0);
}
