// The factory preset, maintenance and failure screens driven by --keys, as
// processes against the simulated monitor and pattern generator sharing the
// generator's output timing.
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "cli_station.h"
#include "kit/demo_station.h"

using clitest::CliRun;
using clitest::CliStation;
using clitest::SimulatedGenerator;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The demo's register codes.
constexpr uint16_t kServiceMode = 0x0002, kPower = 0x0004, kHSize = 0x0100, kVSize = 0x0102;
constexpr uint16_t kUserSave = 0x0200, kDegauss = 0x0206, kAging = 0x0207, kFailureA = 0x020D, kFailureB = 0x020E;

class ServiceScreens : public CliStation {
protected:
    void SetUp() override {
        const std::string timing = folder_.file("output-timing.ini");
        generator_ = std::make_unique<SimulatedGenerator>(folder_.file("patgen.log"),
                                                          std::vector<std::string>{"--timing-file", timing});
        ASSERT_FALSE(generator_->path().empty());
        writeProfile("VX-1700", 1, 0, 2);  // "PG-301" on COM2
        writeSettingsStore();
        std::vector<std::string> behaviour = kit::demoMonitorArguments(1);
        // The degauss register keeps what is written, so a test sees the write.
        auto selfClearing = std::find(behaviour.begin(), behaviour.end(), "--self-clearing");
        ASSERT_NE(selfClearing, behaviour.end());
        behaviour.erase(selfClearing, selfClearing + 2);
        behaviour.insert(behaviour.end(), {"--timing-file", timing});
        monitor_ = &startMonitor(1, behaviour);
        mapPort(2, generator_->path());
        monitor_->setRegister(kUserSave, 7);  // a save writes 0
    }
    std::unique_ptr<SimulatedGenerator> generator_;
    sim::MonitorProtocol* monitor_ = nullptr;
};

} // namespace

TEST_F(ServiceScreens, PresetChoosesATimingAdjustsASliderAndSaves) {
    CliRun r = cli({"preset", "--keys", "Alt+2,Alt+Q,Up,Up,click=Save,Escape"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> out = r.outLines();
    ASSERT_EQ(out.size(), 10u) << r.out;  // the list as it opens, then with its mark
    EXPECT_EQ(out[0], "  1:640x480@60     ");
    EXPECT_EQ(out[6], "* 2:800x600@75     ");
    const std::vector<std::string> err = r.errLines();
    EXPECT_EQ(err.at(0), "screen: Factory Preset");
    // The generator sent the timing and the monitor reports it as mode 2.
    EXPECT_TRUE(contains(err, "Mode: 2    ")) << r.err;
    EXPECT_TRUE(contains(err, "HFre: +46.90[KHz]"));
    EXPECT_TRUE(contains(err, "VFre: +75.01[Hz]"));
    EXPECT_TRUE(contains(err, "timings row: 2"));
    EXPECT_TRUE(contains(err, "Q H-Size: 128  "));
    EXPECT_TRUE(contains(err, "W H-Position: -6   "));  // a signed byte
    EXPECT_TRUE(contains(err, "Q H-Size: 130  "));
    EXPECT_FALSE(r.err.find("question:") != std::string::npos) << r.err;
    EXPECT_EQ(monitor_->registerValue(kHSize), 130);
    EXPECT_EQ(monitor_->registerValue(kUserSave), 0);
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);  // left on closing
    EXPECT_NE(generator_->log().find("stored program2"), std::string::npos);
}

TEST_F(ServiceScreens, PresetAsksToSaveThePreviousModeAndNeedsAnAnswer) {
    const std::vector<std::string> keys = {"--keys", "Alt+1,Alt+E,Down,Alt+2,Escape"};
    std::vector<std::string> args{"preset"};
    args.insert(args.end(), keys.begin(), keys.end());
    CliRun r = cli(args);
    EXPECT_EQ(r.exit, 3);
    EXPECT_TRUE(contains(r.errLines(), "question: Do you save previous mode ? -> no (no answer left)")) << r.err;
    EXPECT_TRUE(contains(r.errLines(), "pelaro-cli: no answer left for the question: Do you save previous mode ?"));
    EXPECT_EQ(monitor_->registerValue(kVSize), 119);  // written, not saved
    EXPECT_EQ(monitor_->registerValue(kUserSave), 7);
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);  // the screen still closed as Escape closes it

    args.insert(args.end(), {"--answers", "yes"});
    r = cli(args);
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(contains(r.errLines(), "question: Do you save previous mode ? -> yes"));
    EXPECT_TRUE(contains(r.errLines(), "Mode: 2    "));
    EXPECT_EQ(monitor_->registerValue(kVSize), 118);
    EXPECT_EQ(monitor_->registerValue(kUserSave), 0);
}

TEST_F(ServiceScreens, PresetModeMismatchAndSlidersItRefuses) {
    // The monitor knows 720x400@70 as its sixth mode.
    CliRun r = cli({"preset", "--keys", "Alt+5,Escape"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(contains(r.errLines(), "message: The monitor has selected mode 6 instead of 5.")) << r.err;

    // No slider moves while the mode does not match; the event is refused.
    r = cli({"preset", "--keys", "Alt+5,Alt+Q,Up,Escape"});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(contains(r.errLines(), "pelaro-cli: the screen FactoryPreset cannot take Alt+Q")) << r.err;
    EXPECT_EQ(monitor_->registerValue(kHSize), 128);
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);
}

TEST_F(ServiceScreens, PresetListsTheAvTimingsWithAv) {
    CliRun r = cli({"preset", "--av", "--keys", "Escape", "--json"});
    ASSERT_EQ(r.exit, 0) << r.out;
    std::vector<std::string> logs;
    nlohmann::json last;
    for (const std::string& line : r.outLines()) {
        last = nlohmann::json::parse(line);
        if (last.contains("log")) {
            EXPECT_EQ(last["list"], "AV timings");
            logs.push_back(last["log"]);
        }
    }
    EXPECT_EQ(logs, (std::vector<std::string>{"  1:AV 480p        ", "  2:AV 576p        "}));
    EXPECT_EQ(last, nlohmann::json({{"result", "done"}, {"exit", 0}}));
}

TEST_F(ServiceScreens, MaintenanceShowsTheIdentifiersAndSwitches) {
    CliRun r = cli({"maintenance", "--keys", "click=Degauss,click=Aging ON,click=POWER OFF,click=Close"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::vector<std::string> err = r.errLines();
    EXPECT_EQ(err.at(0), "screen: Maintenance");
    EXPECT_TRUE(contains(err, "Monitor ID: Monitor ID : 1A2B")) << r.err;
    EXPECT_TRUE(contains(err, "Factory ID: Factory ID : VX17A259"));
    EXPECT_TRUE(contains(err, "Note: Must disconnect signal \\ngenerator from monitor\\naging to work"));
    EXPECT_TRUE(contains(err, "buttons: Degauss, Aging ON, POWER OFF, Close"));
    EXPECT_TRUE(contains(err, "buttons: Degauss, Aging OFF, POWER ON, Close"));
    EXPECT_EQ(err.back(), "buttons: Degauss, Aging ON, POWER ON, Close");  // aging off on closing
    EXPECT_EQ(monitor_->registerValue(kDegauss), 1);
    EXPECT_EQ(monitor_->registerValue(kPower), 0);
    EXPECT_EQ(monitor_->registerValue(kAging), 0);  // switched off again on closing
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);

    // Keys that run out close the screen as Escape does.
    r = cli({"maintenance", "--keys", "click=POWER ON"});
    EXPECT_EQ(r.exit, 3);
    EXPECT_EQ(monitor_->registerValue(kPower), 1);
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);
}

TEST_F(ServiceScreens, FailureListsTheBitsAndRefreshClearsThem) {
    CliRun r = cli({"failure", "--keys", "click=Refresh,Escape"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> out = r.outLines();
    ASSERT_GE(out.size(), 12u) << r.out;
    EXPECT_EQ(out[0], "== Fail_A ==");
    EXPECT_EQ(out[1], "H-Deflection     : Error ");
    EXPECT_EQ(out[2], "V-Deflection     : Normal");
    EXPECT_EQ(out[3], "High Voltage     : Error ");
    EXPECT_TRUE(contains(out, "Fan              : Error "));
    EXPECT_EQ(out.back(), "=== Refresh done ===");
    // After the refresh every bit is normal.
    const auto refreshed = std::find(out.begin() + 1, out.end(), "== Fail_A ==");
    ASSERT_NE(refreshed, out.end());
    EXPECT_EQ(std::count(refreshed, out.end(), "Fan              : Normal"), 1);
    EXPECT_EQ(std::count_if(refreshed, out.end(), [](const std::string& l) { return l.find("Error") != std::string::npos; }), 0);
    EXPECT_EQ(monitor_->registerValue(kFailureA), 0);
    EXPECT_EQ(monitor_->registerValue(kFailureB), 0);
    EXPECT_EQ(monitor_->registerValue(kPower), 1);  // power-cycled back on
}

TEST_F(ServiceScreens, ASilentMonitorClosesTheScreenWithTheLinksMessage) {
    monitor_->setSilent(true);
    CliRun r = cli({"failure", "--keys", "Escape"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(contains(r.errLines(), R"(message:  Can't connect the Monitor ! \n Check Bus line and condition! )"))
        << r.err;
    EXPECT_EQ(r.out, "");
}
