// Whole runs against the simulated monitor over the real link, in both ECS
// types: save, load and save again give the same file; refused registers;
// a monitor that falls silent; and a save process killed mid-run.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "core/test_ui.h"
#include "datafiles/dat_compare.h"
#include "datafiles/data_load.h"
#include "datafiles/data_save.h"
#include "link/ecs_link.h"
#include "link/memory_registers.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/sim_monitor.h"
#include "sim_model.h"

extern char** environ;

using namespace datafiles;
using namespace datafiles::testing;
using Lines = std::vector<std::string>;

namespace {

int monitors = 0;

std::vector<std::string> folderNames(const std::string& path) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(path)) out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

struct SimRuns : ::testing::TestWithParam<int> {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    modeldb::ModelData model;
    appstate::AppFlags flags;
    platform::testing::TestFolder dir;
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::unique_ptr<sim::SimMonitor> monitor;
    std::unique_ptr<ecs::EcsLink> link;
    core::OperationLog log;

    void SetUp() override {
        const int type = GetParam();
        const kit::LinkDescription tables = simTables(type);
        protocol = std::make_shared<sim::MonitorProtocol>(tables, type);
        monitor = std::make_unique<sim::SimMonitor>(
            protocol, "datafiles-" + std::to_string(getpid()) + "-" + std::to_string(monitors++));
        monitor->setBaud(9600);
        link = std::make_unique<ecs::EcsLink>(monitor->portName(), ui, clock);
        link->setEcsType(type);
        const kit::Bytes file = kit::linkDescriptionFile(tables);
        ASSERT_EQ(link->loadLinkDescriptionBytes(file.data(), file.size()), 1);
        fillSimModel(model);
        for (uint8_t a = 0; a < 6; ++a) protocol->setMemory(1, a, static_cast<uint8_t>(10 + a));
        for (uint8_t k = 0; k < kModes; ++k) {
            protocol->setMemory(k, 0x40, static_cast<uint8_t>(40 + k));
            protocol->setMemory(k, 0x41, static_cast<uint8_t>(50 + k));
        }
        protocol->setMemory(1, 0x12, 60);
        protocol->setMemory(1, 0x13, 61);
    }
    appstate::ScreenContext context() {
        return appstate::ScreenContext{model, *link, sg, ui, clock, flags, "SIM-1", dir.path()};
    }
    RunResult save(const std::string& name) {
        auto c = context();
        return DataSave(c, log).run(dir.file(name));
    }
    RunResult load(const std::string& name) {
        auto c = context();
        return DataLoad(c, log).run(dir.file(name));
    }
    bool listed(const std::string& line) const {
        return std::find(log.lines().begin(), log.lines().end(), line) != log.lines().end();
    }
};

TEST_P(SimRuns, SaveLoadSaveGivesTheSameFileAndTheWireTimeIsOnTheClock) {
    protocol->clearTransactions();
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(protocol->memory(5, 0x30), 0);  // the end list ran: service mode off

    // The answers waited for the frames' wire time at 9600 baud: ten bit
    // times a byte, rounded up to the clock's millisecond once after every
    // other wait of the run.
    size_t bytes = 0;
    for (const sim::MonitorTransaction& t : protocol->transactions()) bytes += t.request.size() + t.reply.size();
    const double wireMs = static_cast<double>(bytes) * 10.0 / 9.6;
    const std::vector<uint32_t> reads = clock.waitsNamed(platform::kWaitSerialRead);
    const double readMs = static_cast<double>(std::accumulate(reads.begin(), reads.end(), uint64_t{0}));
    const size_t otherWaits = clock.waits().size() - reads.size();
    EXPECT_GE(readMs, wireMs - 1.0);
    EXPECT_LE(readMs, wireMs + static_cast<double>(otherWaits) + 1.0);
    EXPECT_GT(bytes, 100u);

    // The technician's board exchange: the data is gone.
    for (uint8_t a : {0, 1, 4, 5}) protocol->setMemory(1, a, 0xEE);
    for (uint8_t k = 0; k < kModes; ++k) protocol->setMemory(k, 0x40, 0xEE);
    protocol->setMemory(1, 0x12, 0xEE);
    ASSERT_EQ(load("a.dat"), RunResult::Completed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(protocol->memory(1, 0), 10);
    EXPECT_EQ(protocol->memory(1, 5), 15);
    EXPECT_EQ(protocol->memory(2, 0x40), 42);
    EXPECT_EQ(protocol->memory(1, 0x12), 60);
    EXPECT_EQ(protocol->memory(1, 0x14), 0);  // committed

    ASSERT_EQ(save("b.dat"), RunResult::Completed);
    EXPECT_EQ(dir.read("a.dat"), dir.read("b.dat"));
    EXPECT_EQ(folderNames(dir.path()), (Lines{"a.dat", "b.dat"}));
}

TEST_P(SimRuns, TheLastValuesLoadedReachTheMonitorWhenNothingFollowsThem) {
    // One group written with flags 0, register 1 a timer, no end list: the
    // link keeps the last block back until something else is sent.
    model.standard.groupCount = 1;
    model.standard.endList = {};
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    protocol->setMemory(1, 5, 0xEE);  // Contrast, the last item
    ASSERT_EQ(load("a.dat"), RunResult::Completed);
    EXPECT_EQ(protocol->memory(1, 5), 15);
}

TEST_P(SimRuns, AMonitorFallingSilentLeavesTheOldFileAndNoTemporaryFile) {
    dir.write("a.dat", "the good file");
    log.setListener([this] {
        if (!log.lines().empty() && log.lines().back().rfind("LABEL = MODES", 0) == 0) protocol->setSilent(true);
    });
    EXPECT_EQ(save("a.dat"), RunResult::Stopped);
    EXPECT_EQ(ui.messages().back(), "Check RS232C line");
    EXPECT_EQ(log.lines().back(), kSaveStopped);
    EXPECT_EQ(dir.read("a.dat"), "the good file");
    EXPECT_EQ(folderNames(dir.path()), Lines{"a.dat"});
    EXPECT_EQ(protocol->memory(5, 0x30), 1);  // stopped before the end list
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, SimRuns, ::testing::Values(1, 2));

struct SimRunsType2 : SimRuns {};

TEST_P(SimRunsType2, ARefusedRegisterIsStoredAsAnErrorAndPassedOverByTheLoad) {
    protocol->refuseReads({0x0101}, 0x03);
    protocol->refuseWrites({0x0101}, 0x03);
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    EXPECT_TRUE(listed("  2:H-Position     :Read =err= "));
    EXPECT_EQ(ui.messages(), Lines{"ECS2 ERROR Code :03"});
    EXPECT_NE(dir.read("a.dat").find("=err=  "), std::string::npos);

    protocol->setMemory(1, 1, 99);
    protocol->setMemory(1, 0, 0xEE);
    log.clear();
    ASSERT_EQ(load("a.dat"), RunResult::Completed);
    EXPECT_TRUE(listed("  2:H-Position     :=err= Pass"));
    EXPECT_EQ(protocol->memory(1, 1), 99);
    EXPECT_EQ(protocol->memory(1, 0), 10);
    EXPECT_EQ(ui.messages().size(), 1u);  // no write was tried
}

// What a load verified by a second save shows (pelaro-cli load --verify):
// the register that refused its write, and nothing for one the first save
// could not read.
TEST_P(SimRunsType2, ASaveAfterTheLoadNamesTheRegisterThatDoesNotHoldItsValue) {
    protocol->refuseReads({0x0105}, 0x03);  // Contrast: "=err=" in both files
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    // H-Size keeps what the new board holds; the commit register refuses
    // its own write, which blames nothing kept back.
    protocol->refuseWrites({0x0100, kCommit}, 0x03);
    for (uint8_t a : {0, 1, 4}) protocol->setMemory(1, a, 0xEE);
    ASSERT_EQ(load("a.dat"), RunResult::Completed);
    // The link kept H-Size back and sent it with the access to H-Position:
    // the refusal is H-Size's, and the rest of the load goes on.
    EXPECT_TRUE(listed("  1:H-Size         :Write =err= "));
    EXPECT_TRUE(listed("  2:H-Position     :11    :   bH"));
    EXPECT_FALSE(listed("  2:H-Position     :Write =err= "));
    EXPECT_EQ(protocol->memory(1, 1), 11);
    EXPECT_FALSE(listed("ModeB          :Write =err= "));
    ASSERT_EQ(save("b.dat"), RunResult::Completed);

    DatComparison cmp;
    ASSERT_TRUE(compareDatFiles(dir.file("a.dat"), dir.file("b.dat"), model.standard, *link, cmp));
    EXPECT_FALSE(cmp.sameValues());
    std::vector<std::string> lines;
    for (const DatDifference& d : valuesNotHeld(cmp)) lines.push_back(describe(d));
    EXPECT_EQ(lines, Lines{"GEOMETRY H-Size: 10 -> 238"});
    EXPECT_EQ(protocol->memory(1, 4), 14);  // Brightness was loaded
}

INSTANTIATE_TEST_SUITE_P(EcsType2, SimRunsType2, ::testing::Values(2));

// The helper saves at 300 baud on the real clock and says "saving" after
// the first register; it is killed right then.
TEST(KilledSave, LeavesTheOldFileAndTheNextSaveRemovesItsTemporaryFile) {
    platform::testing::TestFolder dir;
    dir.write("a.dat", "the good file");
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string target = dir.file("a.dat");
    std::vector<char*> argv = {const_cast<char*>(SLOW_SAVE_HELPER), const_cast<char*>(target.c_str()), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, SLOW_SAVE_HELPER, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string said;
    char c = 0;
    while (said.find("saving\n") == std::string::npos && read(out[0], &c, 1) == 1) said += c;
    close(out[0]);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(said, "saving\n");
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(dir.read("a.dat"), "the good file");
    const Lines left = folderNames(dir.path());
    ASSERT_EQ(left.size(), 2u);  // the killed save's temporary file, nothing else
    EXPECT_TRUE(platform::isAtomicTemporaryName(left[0]));

    // The next save to the folder removes it.
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    fillSimModel(model, false);
    model.standard.groupCount = 1;
    for (uint16_t code = 0x0100; code < 0x0106; ++code) regs.define(code, "R", 7);
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "SIM-1", dir.path()};
    core::OperationLog log;
    EXPECT_EQ(DataSave(context, log).run(target), RunResult::Completed);
    EXPECT_EQ(folderNames(dir.path()), Lines{"a.dat"});
    EXPECT_EQ(dir.read("a.dat").size(), 48u + 16 + 6 * 7);
}

} // namespace
