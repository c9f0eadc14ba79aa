// The "Procedure Select" screen: which procedures each list shows, the rows
// of missing files, the adjusted group after a run, service mode and the
// generator's reset on closing.
#include <gtest/gtest.h>

#include "core/test_ui.h"
#include "kit/model_kit.h"
#include "kit/prc_file.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "procedure/procedure_select.h"
#include "siggen/signal_generator.h"
#include "siggen/recording_driver.h"

namespace procedure {
namespace {

using Lines = std::vector<std::string>;
using core::InputEvent;
using core::Key;

class RecordingRunner : public ProcedureRunner {
public:
    explicit RecordingRunner(appstate::AppFlags& flags) : flags_(flags) {}
    std::vector<ProcedureChoice> runs;
    std::vector<bool> runningFlags;
    void runProcedure(const ProcedureChoice& choice) override {
        runs.push_back(choice);
        runningFlags.push_back(flags_.procedureRunning);
    }

private:
    appstate::AppFlags& flags_;
};

struct ProcedureSelectTest : ::testing::Test {
    platform::testing::TestFolder folder;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", folder.path()};
    RecordingRunner runner{flags};

    ProcedureSelectTest() {
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(0, 1, 0);
        model.chassis.procedureFolder = "PRC";
    }
    void adjustments(std::vector<std::string> names) {
        model.image.adjustProcedureCount = static_cast<int32_t>(names.size());
        for (size_t i = 0; i < names.size(); ++i) model.image.adjustProcedures[i] = names[i];
    }
    void touchUps(std::vector<std::string> names) {
        model.image.touchUpProcedureCount = static_cast<int32_t>(names.size());
        for (size_t i = 0; i < names.size(); ++i) model.image.touchUpProcedures[i] = names[i];
    }
    void writeProcedure(const std::string& file, const std::string& title) {
        kit::PrcFileSpec spec;
        spec.title = title;
        spec.endStep = 2;
        ASSERT_TRUE(kit::writeFile(folder.path() + "/PELARO/PRC/" + file, kit::prcFile(spec)));
    }
    std::string dir() const { return folder.path() + "/PELARO/PRC"; }
};

TEST_F(ProcedureSelectTest, TheAdjustmentListShowsEveryEntryWithItsTitleOrAMissingRow) {
    adjustments({"GEOMETRY", "COLOR", "FOCUS"});
    writeProcedure("GEOMETRY.PRC", "Geometry adjustment");
    writeProcedure("focus.prc", "Focus");  // kits come from Windows: found whatever the case
    ProcedureSelect screen(context, kAdjustmentList, runner);
    screen.open();
    EXPECT_EQ(screen.rows(), (Lines{" 1:GEOMETRY    :Geometry adjustment           ", " 2: [ COLOR.prc file is nothing ! ]",
                                    " 3:FOCUS       :Focus                         "}));
    EXPECT_EQ(screen.rowMap(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(screen.selectedRow(), 0);
    EXPECT_EQ(screen.adjustedMark(0), ProcedureSelect::kNotAdjusted);
    EXPECT_EQ(screen.adjustedMark(1), ProcedureSelect::kFileMissing);
    EXPECT_EQ(ui.messages(), Lines{dir() + "/COLOR.PRC file is not opend.\n\n Please check file and directory!"});
    EXPECT_EQ(regs.sequences(), Lines{"serviceEntry"});
}

TEST_F(ProcedureSelectTest, TouchUpListLeavesOutTheDcnvProcedureWhichTheDcnvListShowsAsNumberOne) {
    touchUps({"TOUCH", "dcnv", "LAST", "xdcnv"});
    writeProcedure("TOUCH.PRC", "Touch up");
    writeProcedure("dcnv.PRC", "Digital convergence");
    writeProcedure("LAST.PRC", "Last");
    writeProcedure("xdcnv.PRC", "Second DCnv");
    ProcedureSelect touch(context, kTouchUpList, runner);
    touch.open();
    EXPECT_EQ(touch.rows(), (Lines{" 1:TOUCH       :Touch up                      ", " 3:LAST        :Last                          "}));
    ProcedureSelect dcnv(context, kDcnvList, runner);
    dcnv.open();
    EXPECT_EQ(dcnv.rows(), Lines{" 1:dcnv        :Digital convergence           "});
    EXPECT_EQ(dcnv.rowMap(), std::vector<int>{1});
    EXPECT_TRUE(hasDcnvProcedure(model, folder.path()));
}

TEST_F(ProcedureSelectTest, ATouchUpListHoldingOnlyTheDcnvFileListsNothingForTouchUp) {
    touchUps({"dcnv"});
    writeProcedure("dcnv.PRC", "DCnv");
    ProcedureSelect touch(context, kTouchUpList, runner);
    touch.open();
    EXPECT_TRUE(touch.rows().empty());
    EXPECT_EQ(touch.selectedRow(), -1);
    touch.handle(InputEvent::press(Key::Enter));
    EXPECT_TRUE(runner.runs.empty());

    ProcedureSelect dcnv(context, kDcnvList, runner);
    dcnv.open();
    EXPECT_EQ(dcnv.rows(), Lines{" 1:dcnv        :DCnv                          "});
}

TEST_F(ProcedureSelectTest, ADcnvNameInCapitalsIsAnOrdinaryTouchUp) {
    touchUps({"DCNV"});
    writeProcedure("DCNV.PRC", "Upper case");
    EXPECT_FALSE(hasDcnvProcedure(model, folder.path()));
    ProcedureSelect dcnv(context, kDcnvList, runner);
    dcnv.open();
    EXPECT_TRUE(dcnv.rows().empty());
    ProcedureSelect touch(context, kTouchUpList, runner);
    touch.open();
    EXPECT_EQ(touch.rows(), Lines{" 1:DCNV        :Upper case                    "});
}

TEST_F(ProcedureSelectTest, AnEmptyTouchUpListSaysSo) {
    for (int kind : {kTouchUpList, kDcnvList}) {
        ProcedureSelect screen(context, kind, runner);
        screen.open();
        EXPECT_EQ(screen.rows(), Lines{" [ Touch up procedure is nothing ! ]"});
        EXPECT_EQ(screen.rowMap(), std::vector<int>{-1});
        screen.start();
    }
    ProcedureSelect adjustment(context, kAdjustmentList, runner);
    adjustment.open();
    EXPECT_TRUE(adjustment.rows().empty());
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(ProcedureSelectTest, MissingTouchUpFilesNameTheDirectoryAndStem) {
    touchUps({"GONE"});
    ProcedureSelect screen(context, kTouchUpList, runner);
    screen.open();
    EXPECT_EQ(screen.rows(), Lines{" 1: [ GONE.prc file is nothing ! ]"});
    EXPECT_EQ(ui.messages(), Lines{dir() + "/GONE.prc file is not opend.\n\n Please check file and directory!"});
}

TEST_F(ProcedureSelectTest, ARunMovesTheProcedureIntoTheAdjustedGroupInListOrder) {
    adjustments({"A1", "B2", "C3"});
    writeProcedure("A1.PRC", "First");
    writeProcedure("B2.PRC", "Second");
    writeProcedure("C3.PRC", "Third");
    ProcedureSelect screen(context, kAdjustmentList, runner);
    screen.open();
    const std::string dashes(46, '-');

    ASSERT_TRUE(screen.handle(InputEvent::selectRow(3)));
    ASSERT_TRUE(screen.handle(InputEvent::press(Key::Enter)));
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0].name, "C3");
    EXPECT_EQ(runner.runs[0].path, dir() + "/C3.PRC");
    EXPECT_EQ(runner.runs[0].file, dir() + "/C3.PRC");
    EXPECT_EQ(runner.runningFlags[0], true);
    EXPECT_FALSE(flags.procedureRunning);
    EXPECT_EQ(screen.rows(), (Lines{" 1:A1          :First                         ", " 2:B2          :Second                        ", "",
                                    dashes, "              Adjusted procedure              ", dashes,
                                    " 3:C3          :Third                         "}));
    EXPECT_EQ(screen.selectedRow(), 0);
    EXPECT_EQ(screen.rowMap(), (std::vector<int>{0, 1, -1, -1, -1, -1, 2}));

    // A separator row starts nothing; the first row does.
    screen.handle(InputEvent::selectRow(4));
    screen.start();
    EXPECT_EQ(runner.runs.size(), 1u);
    screen.handle(InputEvent::selectRow(1));
    screen.start();
    EXPECT_EQ(screen.rows()[0], " 2:B2          :Second                        ");
    EXPECT_EQ(screen.rows()[2], dashes);
    EXPECT_EQ(screen.rows()[5], " 1:A1          :First                         ");
    EXPECT_EQ(screen.rows()[6], " 3:C3          :Third                         ");

    // Started twice: it stays in the adjusted group, in list order.
    screen.handle(InputEvent::selectRow(7));
    screen.handle(InputEvent::click("Start"));
    EXPECT_EQ(runner.runs.back().name, "C3");
    EXPECT_EQ(screen.rows()[0], " 2:B2          :Second                        ");
    EXPECT_EQ(screen.rows()[5], " 1:A1          :First                         ");
    EXPECT_EQ(screen.rows()[6], " 3:C3          :Third                         ");
    EXPECT_EQ(screen.adjustedMark(2), ProcedureSelect::kAdjusted);
    EXPECT_EQ(screen.adjustedMark(1), ProcedureSelect::kNotAdjusted);
}

TEST_F(ProcedureSelectTest, TheRebuiltListHasTheKindsTitleAndNoNewMessages) {
    touchUps({"T1", "dcnv", "T2"});
    writeProcedure("T1.PRC", "One");
    writeProcedure("dcnv.PRC", "Conv");
    ProcedureSelect touch(context, kTouchUpList, runner);
    touch.open();
    EXPECT_EQ(ui.messages().size(), 1u);  // T2 is missing
    touch.start();
    EXPECT_EQ(touch.rows(), (Lines{" 3: [ T2.prc file is nothing ! ]", "", std::string(46, '-'),
                                   "             Adjusted touch up                ", std::string(46, '-'),
                                   " 1:T1          :One                           "}));
    EXPECT_EQ(ui.messages().size(), 1u);

    ProcedureSelect dcnv(context, kDcnvList, runner);
    dcnv.open();
    dcnv.start();
    EXPECT_EQ(dcnv.rows(), (Lines{"", std::string(46, '-'), "             Adjusted DCnv                ",
                                  std::string(46, '-'), " 1:dcnv        :Conv                          "}));
}

TEST_F(ProcedureSelectTest, AMissingFileCanStillBeStarted) {
    adjustments({"NONE"});
    ProcedureSelect screen(context, kAdjustmentList, runner);
    screen.open();
    ui.clear();
    screen.start();
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(screen.rows().back(), " 1: [ NONE.prc file is nothing ! ]");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ProcedureSelectTest, ExitLeavesServiceModeOnceAndResetsTheGenerator) {
    adjustments({"A1"});
    writeProcedure("A1.PRC", "First");
    ProcedureSelect screen(context, kAdjustmentList, runner);
    screen.open();
    sg.selection().pattern = 5;
    EXPECT_TRUE(screen.handle(InputEvent::press(Key::Escape)));
    EXPECT_TRUE(screen.closed());
    screen.exit();
    EXPECT_EQ(regs.sequences(), (Lines{"serviceEntry", "serviceExit"}));
    ASSERT_EQ(driver.applies(), 1u);
    EXPECT_EQ(driver.selections[0].pattern, 0);
    EXPECT_EQ(driver.timings[0].name, "VGA Graphics");
}

TEST_F(ProcedureSelectTest, AMonitorThatCannotBeReachedClosesTheScreenAtOnce) {
    adjustments({"A1"});
    regs.disconnect();
    ProcedureSelect screen(context, kAdjustmentList, runner);
    screen.open();
    EXPECT_TRUE(screen.closed());
    EXPECT_TRUE(screen.rows().empty());
    screen.exit();
    EXPECT_EQ(regs.sequences(), Lines{"serviceEntry"});
    EXPECT_EQ(driver.applies(), 0u);
}

TEST_F(ProcedureSelectTest, AListKindOtherThanOneToThreeListsAndStartsNothing) {
    adjustments({"A1"});
    ProcedureSelect screen(context, 4, runner);
    screen.open();
    screen.start();
    EXPECT_TRUE(screen.rows().empty());
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(ui.messages(), (Lines{"PRC_index is not selected !", "PRC_index is not selected !"}));
    EXPECT_TRUE(regs.sequences().empty());
}

TEST_F(ProcedureSelectTest, KeysMoveTheSelectionAndTheViewShowsTheList) {
    adjustments({"A1", "B2", "C3"});
    ProcedureSelect screen(context, kAdjustmentList, runner);
    screen.open();
    screen.handle(InputEvent::press(Key::End));
    EXPECT_EQ(screen.selectedRow(), 2);
    screen.handle(InputEvent::press(Key::Down));
    EXPECT_EQ(screen.selectedRow(), 2);
    screen.handle(InputEvent::press(Key::Up));
    EXPECT_EQ(screen.selectedRow(), 1);
    EXPECT_FALSE(screen.handle(InputEvent::selectRow(4)));
    EXPECT_FALSE(screen.handle(InputEvent::press(Key::F5)));
    const core::ScreenView v = screen.view();
    EXPECT_EQ(v.title, "Procedure Select");
    ASSERT_EQ(v.lists.size(), 1u);
    EXPECT_EQ(v.lists[0].lines.size(), 3u);
    EXPECT_EQ(v.lists[0].selected, 1);
}

TEST(ProcedureLists, PathsAndTheDcnvTest) {
    modeldb::ChassisRecord chassis;
    chassis.procedureFolder = "P1";
    EXPECT_EQ(procedureDirectory("/home/x", chassis), "/home/x/PELARO/P1");
    EXPECT_EQ(procedurePath("/home/x/PELARO/P1", "dcnv"), "/home/x/PELARO/P1/dcnv.PRC");
    EXPECT_TRUE(isDcnvPath("/a/dcnv.PRC"));
    EXPECT_TRUE(isDcnvPath("dcnv.PRC"));
    EXPECT_FALSE(isDcnvPath("cnv.PRC"));
    EXPECT_FALSE(isDcnvPath("/a/dcnv.prc"));
    EXPECT_FALSE(isDcnvPath("/a/Dcnv.PRC"));

    modeldb::ModelImage image;
    image.adjustProcedureCount = 99;  // beyond the list's 30 slots
    EXPECT_EQ(listEntries(image, kAdjustmentList, "/d").size(), 30u);
    image.touchUpProcedureCount = -4;
    EXPECT_TRUE(listEntries(image, kTouchUpList, "/d").empty());
}

} // namespace
} // namespace procedure
