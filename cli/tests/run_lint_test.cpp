// run and lint as processes on the demo station: procedures driven by
// --keys against the simulated monitor, and the station checks on the demo
// and on a broken copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "cli_station.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/prc_file.h"

using clitest::CliRun;
using clitest::CliStation;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The demo's register codes.
constexpr uint16_t kServiceMode = 0x0002, kBrightness = 0x0104, kContrast = 0x0105, kUserSave = 0x0200;

class RunCommand : public CliStation {
protected:
    void SetUp() override {
        writeProfile("VX-1700", 1);
        monitor_ = &startMonitor(1, kit::demoMonitorArguments(1));
        monitor_->setRegister(kBrightness, 90);
        monitor_->setRegister(kUserSave, 7);  // the user save writes 0
    }
    sim::MonitorProtocol* monitor_ = nullptr;
};

TEST_F(RunCommand, ATouchUpRunsToEndWithTheOperatorsKeys) {
    CliRun r = cli({"run", "TOUCH", "--keys", "Q,Down,K"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(monitor_->registerValue(kBrightness), 89);
    EXPECT_EQ(monitor_->registerValue(kContrast), 89);  // linked to the brightness slider
    EXPECT_EQ(monitor_->registerValue(kUserSave), 0);   // the step after the slider ran
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);  // service exit when the list closed
    const std::vector<std::string> err = r.errLines();
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.front(), "screen: Procedure Select");
    // "Step by Step" shows with its caption once the file is read.
    EXPECT_TRUE(std::any_of(err.begin(), err.end(), [](const std::string& l) {
        return l.rfind("screen: ", 0) == 0 && l.find("TOUCH") != std::string::npos && l.find("Touch up") != std::string::npos;
    })) << r.err;
    EXPECT_FALSE(contains(err, "screen: ")) << r.err;
    EXPECT_TRUE(contains(err, "step:  Step No =   2 ")) << r.err;
    EXPECT_TRUE(contains(err, "name:  Brightness          ")) << r.err;
    EXPECT_TRUE(std::any_of(err.begin(), err.end(),
                            [](const std::string& l) { return l.rfind("slider 1: ", 0) == 0 && l.find("89") != std::string::npos; }))
        << r.err;
    EXPECT_EQ(err.back(), "run: END reached");
    // The list as it opens, the step log, the list after the run.
    const std::vector<std::string> out = r.outLines();
    ASSERT_GE(out.size(), 4u) << r.out;
    EXPECT_EQ(out.front().rfind(" 1:TOUCH", 0), 0u) << r.out;
    EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) { return l.find("Touch up") != std::string::npos; }));
    EXPECT_TRUE(contains(out, "Check the white balance with the grey scale pattern.")) << "no step log: " << r.out;
}

TEST_F(RunCommand, KeysRunningOutAtAnInteractiveStepExit3AndLeaveServiceMode) {
    CliRun r = cli({"run", "TOUCH", "--list", "touchup", "--keys", "Q,Down"});
    EXPECT_EQ(r.exit, 3) << r.err;
    EXPECT_NE(r.err.find("no input left while the screen StepByStep waits"), std::string::npos) << r.err;
    EXPECT_EQ(monitor_->registerValue(kBrightness), 89);  // the slider wrote before the keys ran out
    EXPECT_EQ(monitor_->registerValue(kUserSave), 7);     // the run stopped at the slider step
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);
    EXPECT_EQ(r.errLines().back(), "run: ended before END");
}

TEST_F(RunCommand, ACancelKeyEndsTheRunAndUnknownNamesAreRefused) {
    CliRun cancelled = cli({"run", "TOUCH", "--keys", "C"});
    EXPECT_EQ(cancelled.exit, 0) << cancelled.err;
    EXPECT_EQ(monitor_->registerValue(kUserSave), 7);
    EXPECT_EQ(cancelled.errLines().back(), "run: ended before END");

    CliRun wrongList = cli({"run", "TOUCH", "--list", "adjust"});
    EXPECT_EQ(wrongList.exit, 2);
    EXPECT_NE(wrongList.err.find("no procedure TOUCH in the adjust lists of VX-1700 (GEOMETRY, WHITEBAL, PICTURE)"),
              std::string::npos)
        << wrongList.err;
    CliRun unknown = cli({"run", "NOSUCH"});
    EXPECT_EQ(unknown.exit, 2);
    CliRun badList = cli({"run", "TOUCH", "--list", "other"});
    EXPECT_EQ(badList.exit, 2);
    // The convergence procedure is only on the DCnv list.
    EXPECT_EQ(cli({"run", "VXdcnv", "--list", "touchup"}).exit, 2);
    CliRun dcnv = cli({"run", "VXdcnv", "--keys", "C"});
    EXPECT_EQ(dcnv.exit, 0) << dcnv.err;
    EXPECT_NE(dcnv.out.find(" 1:VXdcnv"), std::string::npos) << dcnv.out;
    EXPECT_NE(dcnv.err.find("name:  Point A1"), std::string::npos) << dcnv.err;
}

TEST_F(RunCommand, AProcedureFileThatCannotBeReadFails) {
    ASSERT_EQ(std::remove((home_ + "/PELARO/PRC/TOUCH.PRC").c_str()), 0);
    CliRun r = cli({"run", "TOUCH"});
    EXPECT_EQ(r.exit, 1) << r.err;
    EXPECT_NE(r.err.find("file is not opend"), std::string::npos) << r.err;
    EXPECT_EQ(monitor_->registerValue(kServiceMode), 0);
}

class LintCommand : public CliStation {};

TEST_F(LintCommand, TheDemoStationPassesAndABrokenCopyListsItsFindings) {
    CliRun clean = cli({"lint"});
    EXPECT_EQ(clean.exit, 0) << clean.out << clean.err;
    EXPECT_EQ(clean.out, "");

    kit::PrcFileSpec f;
    f.title = "Broken";
    f.endStep = 3;
    kit::PrcStepSpec unknown;
    unknown.name = "step";
    unknown.kind = 40;
    f.steps.push_back(unknown);
    ASSERT_TRUE(kit::writeFile(home_ + "/PELARO/PRC/TOUCH.PRC", kit::prcFile(f)));
    CliRun broken = cli({"lint", "VX-1700"});
    EXPECT_EQ(broken.exit, 1);
    EXPECT_TRUE(contains(broken.outLines(), "TOUCH.PRC: step 1: unknown step kind 40")) << broken.out;

    CliRun missing = cli({"lint", "NO-SUCH"});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_EQ(missing.outLines(), std::vector<std::string>{"mdlsel.sel: no model named NO-SUCH"});
}

} // namespace
