// pelaro-cli as a process on the demo station and the simulated monitor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "cli_station.h"

using clitest::CliRun;
using clitest::CliStation;
using clitest::runProgram;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Device, address and data of every write the monitor took, in order.
std::vector<std::vector<int>> writes(const sim::MonitorProtocol& monitor) {
    std::vector<std::vector<int>> out;
    for (const sim::MonitorTransaction& t : monitor.transactions()) {
        if (!t.wrote) continue;
        std::vector<int> w{t.c, t.b};
        w.insert(w.end(), t.data.begin(), t.data.end());
        out.push_back(w);
    }
    return out;
}

std::vector<std::vector<int>> concat(std::vector<std::vector<std::vector<int>>> parts) {
    std::vector<std::vector<int>> all;
    for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The demo's registers: device 5 the service registers, device 1 geometry and picture.
constexpr int kService = 0x05, kPicture = 0x01;
constexpr int kServiceMode = 0x30, kKey = 0x31, kUmt = 0x4F, kBrightness = 0x04, kContrast = 0x05;
// Service mode on, then (the 200 ms timer entry sends nothing) the key register "!Key" off.
const std::vector<std::vector<int>> kEntry = {{kService, kServiceMode, 1}, {kService, kKey, 1}};
const std::vector<std::vector<int>> kExit = {{kService, kKey, 0}, {kService, kUmt, 1}, {kService, kServiceMode, 0}};

using Commands = CliStation;

} // namespace

TEST_F(Commands, ModelsListsTheGridAsItOpensAndAsSorted) {
    CliRun r = cli({"models"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.outLines(),
              (std::vector<std::string>{
                  "  1  VX-1700             VX-A     Harbor Optics    1.02  17 inch office monitor, ECS type 1",
                  "  2  VX-1900S            VX-B     Lumen Studios    2.10  19 inch studio monitor, ECS type 2",
                  "  3  KR-2100             VX-A     Northfield Design 1.02  21 inch design monitor, ECS type 1",
                  "  4  KR-1500P            VX-B     Harbor Optics    2.10  15 inch panel-style monitor, ECS type 2"}));
    EXPECT_EQ(r.err, "");

    r = cli({"models", "--sort", "model", "--json"});
    ASSERT_EQ(r.exit, 0);
    std::vector<std::string> names;
    std::vector<int> rows;
    nlohmann::json last;
    for (const std::string& line : r.outLines()) {
        last = nlohmann::json::parse(line);
        if (!last.contains("model")) continue;
        names.push_back(last["model"]);
        rows.push_back(last["row"]);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"KR-1500P", "KR-2100", "VX-1700", "VX-1900S"}));
    EXPECT_EQ(rows, (std::vector<int>{4, 3, 1, 2}));
    EXPECT_EQ(last, nlohmann::json({{"result", "done"}, {"exit", 0}}));

    // Options go before or after the command.
    EXPECT_EQ(cli({"--json", "models", "--sort", "model"}).out, r.out);

    r = runProgram(PELARO_CLI, {"--home", folder_.path(), "models"}, folder_.path());
    EXPECT_EQ(r.exit, 4);
    EXPECT_NE(r.err.find("pelaro-cli: no station in " + folder_.path()), std::string::npos) << r.err;
}

TEST_F(Commands, SelectStoresTheModelAndLoadsItsChain) {
    writeProfile("", 1);
    CliRun r = cli({"select", "VX-1900S"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> out = r.outLines();
    EXPECT_TRUE(contains(out, "model: VX-1900S"));
    EXPECT_TRUE(contains(out, "link description file: DEMO2.BUS (" + home_ + "/data/DEMO2.BUS)"));
    EXPECT_TRUE(contains(out, "ECS type: 2"));
    EXPECT_TRUE(contains(r.errLines(), "Model: VX-1900S")) << r.err;
    const std::string profile = profileText();
    EXPECT_NE(profile.find("PREV_QX=VX-1900S\n"), std::string::npos) << profile;
    EXPECT_NE(profile.find("PREV_file=VX1900S.mdl\n"), std::string::npos);
    EXPECT_NE(profile.find("ECS_TYPE=2\n"), std::string::npos);

    // The next run starts with it.
    r = cli({"info"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(contains(r.outLines(), "model: VX-1900S"));
}

TEST_F(Commands, SelectReportsTheLoadsMessageWhenTheChainStops) {
    writeProfile("", 1);
    ASSERT_EQ(std::remove((home_ + "/data/VXB.STD").c_str()), 0);
    CliRun r = cli({"select", "KR-1500P"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(contains(r.errLines(), "message: No std Files ")) << r.err;
    EXPECT_TRUE(contains(r.outLines(), "standard file: (not loaded)"));
    EXPECT_NE(profileText().find("PREV_QX=KR-1500P\n"), std::string::npos);  // chosen, as the screen does

    r = cli({"select", "NO-SUCH"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_NE(r.err.find("no model NO-SUCH in the model database"), std::string::npos);
}

TEST_F(Commands, InfoShowsTheCurrentModelAndModelChoosesOneForTheRun) {
    writeProfile("VX-1700", 1);
    CliRun r = cli({"info"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> out = r.outLines();
    EXPECT_TRUE(contains(out, "model file: VX1700.mdl (" + home_ + "/data/VX1700.mdl)"));
    EXPECT_TRUE(contains(out, "preset timing   2: 800x600@75       800 x 600    46.875 kHz   75.00 Hz"));
    EXPECT_TRUE(contains(out, "adjustment timing 101: ADJ 1024x768    1024 x 768    48.363 kHz   60.00 Hz"));
    EXPECT_TRUE(contains(out, "data group  2: PICTURE              modes   0  items   2"));
    EXPECT_TRUE(contains(out, "adjustment procedures: GEOMETRY, WHITEBAL, PICTURE"));
    EXPECT_TRUE(contains(out, "key register                   (402): 0x0003 !Key"));
    EXPECT_TRUE(contains(out, "factory-preset register 5      (342): 0x0104 Brightness"));

    const std::string before = profileText();
    r = cli({"info", "--model", "KR-1500P"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(contains(r.outLines(), "model: KR-1500P"));
    EXPECT_TRUE(contains(r.outLines(), "ECS type: 2"));
    EXPECT_EQ(profileText(), before);  // not stored

    EXPECT_EQ(cli({"info", "--model", "NO-SUCH"}).exit, 4);
    writeProfile("", 1);
    r = cli({"info"});
    EXPECT_EQ(r.exit, 4);
    EXPECT_NE(r.err.find("no model selected"), std::string::npos) << r.err;
}

TEST_F(Commands, WriteAndReadRunTheServiceSequencesAroundTheirAccesses) {
    writeProfile("VX-1700", 1);
    sim::MonitorProtocol& monitor = startMonitor(1);
    CliRun r = cli({"write", "Brightness=92", "0x0105=0x33"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.outLines(), (std::vector<std::string>{"Brightness = 92 (0x005C)", "Contrast = 51 (0x0033)"}));
    EXPECT_EQ(writes(monitor), concat({kEntry, {{kPicture, kBrightness, 92}, {kPicture, kContrast, 0x33}}, kExit}));
    EXPECT_EQ(monitor.memory(kPicture, kBrightness), 92);

    monitor.clearTransactions();
    monitor.setMemory(kPicture, kContrast, 0x5A);
    r = cli({"read", "Contrast", "0x0104", "--json"});
    ASSERT_EQ(r.exit, 0) << r.err;
    std::vector<nlohmann::json> objects;
    for (const std::string& line : r.outLines()) objects.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0], nlohmann::json({{"register", "Contrast"}, {"code", "0x0105"}, {"value", 0x5A}}));
    EXPECT_EQ(objects[1], nlohmann::json({{"register", "Brightness"}, {"code", "0x0104"}, {"value", 92}}));
    EXPECT_EQ(objects[2]["exit"], 0);
    EXPECT_EQ(writes(monitor), concat({kEntry, kExit}));
    size_t reads = 0;
    for (const sim::MonitorTransaction& t : monitor.transactions()) reads += !t.wrote && t.c == kPicture;
    EXPECT_EQ(reads, 2u);

    monitor.clearTransactions();
    r = cli({"--no-service", "write", "V-Size=7"});
    ASSERT_EQ(r.exit, 2);  // --no-service belongs to the command
    r = cli({"write", "V-Size=7", "--no-service"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(writes(monitor), (std::vector<std::vector<int>>{{kPicture, 0x02, 7}}));
    r = cli({"read", "--no-service", "V-Size"});
    EXPECT_EQ(r.outLines(), std::vector<std::string>{"V-Size = 7 (0x0007)"});
}

TEST_F(Commands, WrongRegistersAndValuesAreRefusedBeforeAnythingIsSent) {
    writeProfile("VX-1700", 1);
    sim::MonitorProtocol& monitor = startMonitor(1);
    CliRun r = cli({"write", "Brightness=256"});
    EXPECT_EQ(r.exit, 2);
    EXPECT_NE(r.err.find("256 is outside Brightness's limits 0..255"), std::string::npos) << r.err;
    EXPECT_EQ(cli({"write", "Brightness=ten"}).exit, 2);
    EXPECT_EQ(cli({"read", "brightness"}).exit, 2);  // names keep their case
    EXPECT_EQ(cli({"read", "0x0777"}).exit, 2);
    EXPECT_EQ(cli({"read"}).exit, 2);
    EXPECT_EQ(cli({"frobnicate"}).exit, 2);
    EXPECT_EQ(cli({"--keys", "Nokey", "read", "Brightness"}).exit, 2);
    EXPECT_EQ(monitor.transactionCount(), 0u);
}

TEST_F(Commands, ARefusedRegisterStopsWithTheLinksMessage) {
    writeProfile("VX-1900S", 2);
    sim::MonitorProtocol& monitor = startMonitor(2);
    sim::MonitorFault fault;
    fault.kind = sim::MonitorFault::Kind::ErrorFrame;
    fault.errorCode = 3;
    fault.format = 1;  // the read command
    fault.address = kBrightness;
    fault.device = kPicture;
    monitor.addFault(fault);
    CliRun r = cli({"read", "--no-service", "Contrast", "Brightness", "V-Size"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.outLines(), std::vector<std::string>{"Contrast = 0 (0x0000)"});
    EXPECT_TRUE(contains(r.errLines(), "message: ECS2 ERROR Code :03")) << r.err;

    monitor.clearFaults();
    monitor.refuseWrites({0x0104}, 0x05);
    r = cli({"write", "Brightness=1"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(contains(r.errLines(), "message: ECS2 ERROR Code :05")) << r.err;
    // Service mode is left after the failure.
    EXPECT_EQ(writes(monitor).back(), (std::vector<int>{kService, kServiceMode, 0}));
}

TEST_F(Commands, ASilentMonitorIsALinkFailure) {
    writeProfile("VX-1700", 1);
    startMonitor(1).setSilent(true);
    CliRun r = cli({"read", "--no-service", "Brightness"});  // two attempts of 3 s
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(contains(r.errLines(), "message: Check RS232C line")) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(Commands, APortThatDoesNotOpenIsASetUpFailure) {
    writeProfile("VX-1700", 1);
    mapPort(1, folder_.path() + "/no-such-tty");
    CliRun r = cli({"read", "Brightness"});
    EXPECT_EQ(r.exit, 4);
    EXPECT_NE(r.err.find("the monitor port COM1 cannot be opened"), std::string::npos) << r.err;
    r = cli({"--port", folder_.path() + "/other-tty", "read", "Brightness", "--json"});
    EXPECT_EQ(r.exit, 4);
    EXPECT_NE(r.out.find("the monitor port " + folder_.path() + "/other-tty cannot be opened"), std::string::npos);
}
