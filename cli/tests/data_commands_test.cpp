// save, load [--verify], view, diff and dump of data files: in process on a
// fake clock against the simulated monitor (the runs wait seconds on a real
// one), and one save and verified load as processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "cli_station.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "platform/clock.h"
#include "sim/monitor/link_file.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

using clitest::CliRun;
using clitest::CliStation;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The demo's register codes.
constexpr uint16_t kServiceMode = 0x0002, kHSize = 0x0100, kBrightness = 0x0104, kContrast = 0x0105;

// pelaro-cli's frame in this process on a fake clock, with the simulated
// monitor of ECS type 2 on an in-process port.
class DataCommands : public CliStation {
protected:
    void SetUp() override {
        writeProfile("VX-1900S", 2);
        sim::LinkTables tables;
        ASSERT_TRUE(sim::readLinkFile(home_ + "/data/DEMO2.BUS", tables));
        protocol_ = std::make_shared<sim::MonitorProtocol>(std::move(tables), 2);
        sim::MonitorBehaviour behaviour;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(2), nullptr));
        behaviour.applyTo(*protocol_);
        monitor_ = std::make_unique<sim::SimMonitor>(protocol_, "cli-data-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        mapPort(1, monitor_->portName());
        protocol_->setRegister(kBrightness, 92);
        protocol_->setRegister(kContrast, 64);
    }

    CliRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"pelaro-cli", "--home", home_});
        std::ostringstream out, err;
        std::istringstream in;
        cli::Environment env{out, err, in};
        env.clock = &clock_;
        CliRun r;
        r.exit = cli::run(args, env);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    sim::MonitorProtocol& monitor() { return *protocol_; }
    std::string dat(const std::string& name) { return folder_.path() + "/" + name; }

    platform::FakeClock clock_;
    std::unique_ptr<sim::SimMonitor> monitor_;
};

TEST_F(DataCommands, SaveThenVerifiedLoadPutsEveryRegisterBack) {
    CliRun save = run({"save", dat("before.dat")});
    ASSERT_EQ(save.exit, 0) << save.err;
    EXPECT_TRUE(contains(save.outLines(), " === Save Data List ===")) << save.out;
    EXPECT_NE(save.err.find("screen: Save Data to File"), std::string::npos);
    EXPECT_EQ(monitor().registerValue(kServiceMode), 0);
    ASSERT_TRUE(std::filesystem::exists(dat("before.dat")));

    monitor().setRegister(kBrightness, 10);
    monitor().setRegister(kHSize, 3);
    CliRun load = run({"load", dat("before.dat"), "--verify"});
    ASSERT_EQ(load.exit, 0) << load.err << load.out;
    EXPECT_TRUE(contains(load.outLines(), " === Load Data List ===")) << load.out;
    EXPECT_TRUE(contains(load.errLines(), "verify: every register holds the loaded value")) << load.err;
    EXPECT_EQ(monitor().registerValue(kBrightness), 92);
    EXPECT_EQ(monitor().registerValue(kServiceMode), 0);
    // No read-back copy is left behind.
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        EXPECT_EQ(e.path().filename().string().rfind("pelaro-verify-", 0), std::string::npos) << e.path();
}

TEST_F(DataCommands, VerifyListsTheRegisterTheMonitorRefusedToTake) {
    ASSERT_EQ(run({"save", dat("a.dat")}).exit, 0);
    monitor().setRegister(kBrightness, 10);
    monitor().refuseWrites({kBrightness}, 0x31);
    CliRun load = run({"load", dat("a.dat"), "--verify"});
    EXPECT_EQ(load.exit, 1) << load.err;
    EXPECT_EQ(load.outLines().back(), "PICTURE Brightness: 92 -> 10") << load.out;
    EXPECT_TRUE(contains(load.errLines(), "verify: 1 registers do not hold the loaded value")) << load.err;
    EXPECT_EQ(monitor().registerValue(kContrast), 64);
    EXPECT_EQ(monitor().registerValue(kServiceMode), 0);
}

TEST_F(DataCommands, DiffComparesValueByValue) {
    ASSERT_EQ(run({"save", dat("a.dat")}).exit, 0);
    CliRun same = run({"diff", dat("a.dat"), dat("a.dat")});
    EXPECT_EQ(same.exit, 0) << same.err;
    EXPECT_EQ(same.out, "");

    monitor().setRegister(kContrast, 70);
    monitor().refuseReads({kBrightness}, 0x31);
    ASSERT_EQ(run({"save", dat("b.dat")}).exit, 0);
    CliRun differ = run({"diff", dat("a.dat"), dat("b.dat")});
    EXPECT_EQ(differ.exit, 1);
    EXPECT_EQ(differ.outLines(), (std::vector<std::string>{"PICTURE Brightness: 92 -> =err=", "PICTURE Contrast: 64 -> 70"}))
        << differ.out;

    CliRun missing = run({"diff", dat("a.dat"), dat("none.dat")});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

    // A file cut short is reported and never equal.
    const std::string whole = fileText(dat("a.dat"));
    ASSERT_TRUE(kit::writeFile(dat("short.dat"), whole.substr(0, whole.size() - 10)));
    CliRun cut = run({"diff", dat("a.dat"), dat("short.dat")});
    EXPECT_EQ(cut.exit, 1);
    EXPECT_NE(cut.err.find("short.dat: group"), std::string::npos) << cut.err;
}

TEST_F(DataCommands, ViewListsOneGroupAndDumpEveryValue) {
    ASSERT_EQ(run({"save", dat("a.dat")}).exit, 0);
    CliRun byName = run({"view", dat("a.dat"), "PICTURE"});
    ASSERT_EQ(byName.exit, 0) << byName.err;
    const std::vector<std::string> out = byName.outLines();
    EXPECT_TRUE(contains(out, " === Data List === ")) << byName.out;
    EXPECT_TRUE(contains(out, "LABEL = PICTURE        ")) << byName.out;
    EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) { return l.find("92") != std::string::npos; }));
    CliRun byNumber = run({"view", dat("a.dat"), "2"});
    EXPECT_EQ(byNumber.exit, 0);
    EXPECT_EQ(byNumber.out, byName.out);
    EXPECT_EQ(run({"view", dat("a.dat"), "99"}).exit, 2);
    // Without a group the viewer waits for the operator's rows.
    EXPECT_EQ(run({"view", dat("a.dat")}).exit, 3);
    EXPECT_EQ(run({"view", dat("a.dat"), "--keys", "row=3,Escape"}).exit, 0);

    CliRun dump = run({"dump", dat("a.dat")});
    ASSERT_EQ(dump.exit, 0) << dump.err;
    const std::vector<std::string> lines = dump.outLines();
    EXPECT_TRUE(contains(lines, "format: monitor data file"));
    EXPECT_TRUE(contains(lines, "model name: \"VX-1900S       \"")) << dump.out;
    EXPECT_TRUE(contains(lines, "PICTURE Brightness: 92")) << dump.out;
}

TEST_F(DataCommands, ASaveAsksBeforeReplacingAFile) {
    ASSERT_TRUE(kit::writeFile(dat("kept.dat"), "keep me"));
    CliRun unanswered = run({"save", dat("kept.dat")});
    EXPECT_EQ(unanswered.exit, 3) << unanswered.err;
    EXPECT_EQ(fileText(dat("kept.dat")), "keep me");
    CliRun no = run({"save", dat("kept.dat"), "--no"});
    EXPECT_EQ(no.exit, 1);
    EXPECT_EQ(fileText(dat("kept.dat")), "keep me");
    EXPECT_EQ(monitor().registerValue(kServiceMode), 0);
    CliRun yes = run({"save", dat("kept.dat"), "--yes"});
    EXPECT_EQ(yes.exit, 0) << yes.err;
    EXPECT_NE(fileText(dat("kept.dat")), "keep me");
}

TEST_F(DataCommands, ALoadOfAnotherModelsFileIsAnsweredFromTheScript) {
    ASSERT_EQ(run({"save", dat("a.dat")}).exit, 0);
    std::string text = fileText(dat("a.dat"));
    text.replace(0, 8, "KR-1500P");
    ASSERT_TRUE(kit::writeFile(dat("other.dat"), text));
    monitor().setRegister(kBrightness, 10);
    EXPECT_EQ(run({"load", dat("other.dat"), "--no"}).exit, 1);
    EXPECT_EQ(monitor().registerValue(kBrightness), 10);
    EXPECT_EQ(run({"load", dat("other.dat"), "--yes"}).exit, 0);
    EXPECT_EQ(monitor().registerValue(kBrightness), 92);
}

// The same round trip as processes, against the monitor on a pseudo-terminal.
class DataProcesses : public CliStation {};

TEST_F(DataProcesses, SaveAndVerifiedLoadAsProcesses) {
    writeProfile("VX-1900S", 2);
    sim::MonitorProtocol& monitor = startMonitor(2, kit::demoMonitorArguments(2));
    monitor.setRegister(kBrightness, 92);
    const std::string file = folder_.path() + "/round.dat";
    CliRun save = cli({"save", file});
    ASSERT_EQ(save.exit, 0) << save.err;
    monitor.setRegister(kBrightness, 11);
    monitor.refuseWrites({kBrightness}, 0x31);
    CliRun load = cli({"load", file, "--verify", "--json"});
    EXPECT_EQ(load.exit, 1) << load.err;
    EXPECT_NE(load.out.find("{\"not held\":{\"group\":\"PICTURE\",\"mode\":-1,\"register\":\"Brightness\",\"loaded\":\"92\","
                            "\"held\":\"11\"}}"),
              std::string::npos)
        << load.out;
    EXPECT_NE(load.out.find("{\"result\":\"failed\",\"exit\":1}"), std::string::npos) << load.out;
}

} // namespace
