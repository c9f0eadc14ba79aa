// The save, load and viewer screens driven by input events: service mode,
// the choosers and the folder they remember, captions and lists, and the
// viewer's walk with its one question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/data_file_screen.h"
#include "datafiles/data_save.h"
#include "datafiles/viewer_screen.h"
#include "data_fixture.h"

using namespace datafiles;
using core::InputEvent;
using core::Key;
using datafiles::testing::DataFixture;
using datafiles::testing::makeGroup;
using Lines = std::vector<std::string>;

namespace {

struct Screens : ::testing::Test, DataFixture {
    std::vector<std::string> stored;  // folders kept as "SAVE_PATH"
    SavePath savePath{"/start", [this](const std::string& f) { stored.push_back(f); }};

    Screens() {
        addGroup(makeGroup("PLAIN", 1, {{0, 0}, {1, 255}}), 10);
        addGroup(makeGroup("MODES", 2, {{0, 0}}, 2), 20);
        addGroup(makeGroup("SP1GRID", 4, {{0, 0}, {1, 1}, {2, 0}}), 10);
        addGroup(makeGroup("SP2PWR", 5, {{0, 0}, {1, 0}}), 30);
    }
    void saveFile(const std::string& name) {
        core::OperationLog log;
        auto c = context();
        ASSERT_EQ(DataSave(c, log).run(file(name)), RunResult::Completed);
        regs.clearAccesses();
        clock.clearSleeps();
    }
};

TEST_F(Screens, SaveScreenChoosesTheFileKeepsItsFolderAndRunsOnStart) {
    auto c = context();
    SaveDataScreen screen(c, savePath);
    ui.answerFile(file("new"));
    screen.open();
    ASSERT_FALSE(screen.closed());
    ASSERT_EQ(ui.fileChoices().size(), 1u);
    const core::FileChoice& choice = ui.fileChoices()[0];
    EXPECT_EQ(choice.mode, core::FileChoice::Mode::Save);
    EXPECT_EQ(choice.title, "Save the data from monitor to File");
    EXPECT_EQ(choice.folder, "/start");
    EXPECT_EQ(choice.filter, "FILE(*.dat)|*.dat|ALL FILES|*.*||");
    EXPECT_EQ(screen.path(), file("new.dat"));  // the data files' extension is added
    EXPECT_EQ(stored, Lines{dir.path()});
    EXPECT_EQ(regs.sequences(), Lines{"serviceEntry"});

    core::ScreenView v = screen.view();
    EXPECT_EQ(v.title, "Save File :new.dat");
    EXPECT_EQ(v.lists[0].lines, Lines{" === Save Data List ==="});
    EXPECT_TRUE(v.buttons[0].enabled);
    EXPECT_EQ(v.buttons[0].caption, "Start");

    EXPECT_TRUE(screen.handle(InputEvent::click("Start")));
    EXPECT_EQ(screen.lastResult(), RunResult::Completed);
    v = screen.view();
    EXPECT_EQ(v.progress, 100);
    EXPECT_EQ(v.lists[0].lines[1], "LABEL = PLAIN          ");
    EXPECT_EQ(read("new.dat").size(), 48u + 4 * 16 + 2 * 16 + (2 + 2 + 2 + 1) * 7);
    EXPECT_TRUE(screen.handle(InputEvent::selectRow(2)));
    EXPECT_EQ(screen.view().lists[0].selected, 1);
    EXPECT_FALSE(screen.handle(InputEvent::selectRow(1000)));

    EXPECT_TRUE(screen.handle(InputEvent::press(Key::Escape)));
    EXPECT_TRUE(screen.closed());
    EXPECT_EQ(screen.result(), 1);
    EXPECT_EQ(regs.sequences().back(), "serviceExit");
    EXPECT_FALSE(screen.handle(InputEvent::click("Start")));
}

TEST_F(Screens, CancellingTheChooserOrALostMonitorClosesTheScreen) {
    auto c = context();
    SaveDataScreen cancelled(c, savePath);
    ui.answerFile(std::nullopt);
    cancelled.open();
    EXPECT_TRUE(cancelled.closed());
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(regs.sequences(), (Lines{"serviceEntry", "serviceExit"}));

    regs.clearAccesses();
    regs.disconnect();
    LoadDataScreen refused(c, savePath);
    refused.open();  // no chooser: the monitor does not answer
    EXPECT_TRUE(refused.closed());
    EXPECT_EQ(refused.result(), 0);
    EXPECT_EQ(regs.sequences(), Lines{"serviceEntry"});
    EXPECT_TRUE(ui.fileChoices().size() == 1u);
}

TEST_F(Screens, LoadScreenLoadsTheChosenFileOnEnter) {
    saveFile("a.dat");
    regs.set(0x0100, 99);
    auto c = context();
    LoadDataScreen screen(c, savePath);
    ui.answerFile(file("a.dat"));
    screen.open();
    const core::FileChoice& choice = ui.fileChoices().back();
    EXPECT_EQ(choice.mode, core::FileChoice::Mode::Open);
    EXPECT_EQ(choice.title, "Load the data from File to monitor");
    EXPECT_EQ(choice.filter, "FILE(*.dat)|*.dat|ALL FILES|*.*||");
    EXPECT_EQ(screen.caption(), "Load File :a.dat");
    EXPECT_EQ(screen.view().lists[0].lines, Lines{" === Load Data List ==="});
    EXPECT_TRUE(screen.handle(InputEvent::press(Key::Enter)));
    EXPECT_EQ(screen.lastResult(), RunResult::Completed);
    EXPECT_EQ(regs.value(0x0100), 10);
    EXPECT_TRUE(screen.handle(InputEvent::click("Close")));
    EXPECT_TRUE(screen.closed());
}

TEST_F(Screens, ViewerListsTheSelectedGroupAfterWalkingPastTheOthers) {
    saveFile("a.dat");
    auto c = context();
    ViewerScreen viewer(c, "/start");
    ui.answerFile(file("a.dat"));
    viewer.open();
    EXPECT_EQ(ui.fileChoices().back().mode, core::FileChoice::Mode::Open);
    EXPECT_EQ(ui.fileChoices().back().folder, "/start");
    EXPECT_EQ(ui.fileChoices().back().filter, "FILE(*.dat)|*.dat|ALL FILES|*.*||");
    EXPECT_EQ(viewer.caption(), "a.dat");
    EXPECT_EQ(viewer.groupLines(), (Lines{" === Viewer List === ", " 1:PLAIN               ",
                                          " 2:MODES               ", " 3:SP1GRID             ",
                                          " 4:SP2PWR              "}));
    const Lines special = {"LABEL = SP1GRID        ", "R0400          :0    ", "R0401          :0    ",
                           "  1:R0402          :12   ", "R0401          :1    ", "  2:R0402          :12   ",
                           "LABEL = SP2PWR         "};

    // Line 2 shows group 2: the bytes of group 1 are read, not listed.
    EXPECT_TRUE(viewer.handle(InputEvent::selectRow(3)));
    Lines expected = {" === Data List === ", "LABEL = MODES          ", "Mode = 0    ", "R0200          :20   ",
                      "Mode = 1    ", "R0200          :120  "};
    expected.insert(expected.end(), special.begin(), special.end());
    EXPECT_EQ(viewer.dataLines(), expected);

    // Group 1 in debug mode.
    flags.debug = true;
    viewer.selectLine(1);
    expected = {" === Data List === ", "LABEL = PLAIN          ", "  1:R0100          :10    :   aH",
                "  2:R0101          :SKIP"};
    expected.insert(expected.end(), special.begin(), special.end());
    EXPECT_EQ(viewer.dataLines(), expected);
    flags.debug = false;
    viewer.selectLine(1);
    EXPECT_EQ(viewer.dataLines()[2], "  1:R0100          :10    ");

    // The header line selects no group: only the special groups are listed.
    viewer.selectLine(0);
    expected = {" === Data List === "};
    expected.insert(expected.end(), special.begin(), special.end());
    EXPECT_EQ(viewer.dataLines(), expected);
    EXPECT_TRUE(regs.accesses().empty());  // the monitor is never touched

    EXPECT_TRUE(viewer.handle(InputEvent::press(Key::Escape)));
    EXPECT_TRUE(viewer.closed());
}

TEST_F(Screens, ViewerAsksOnceAboutAFileOfAnotherModel) {
    saveFile("a.dat");
    auto c = context();
    c.modelName = "CM-19Y";
    ViewerScreen viewer(c, "");
    ui.answerFile(file("a.dat"));
    viewer.open();

    ui.answerYesNo(false);  // No ends the walk and asks again next time
    viewer.selectLine(1);
    EXPECT_EQ(viewer.dataLines(), Lines{" === Data List === "});
    ui.answerYesNo(true);
    viewer.selectLine(2);
    EXPECT_EQ(viewer.dataLines()[1], "LABEL = MODES          ");
    viewer.selectLine(1);  // no question: TestUi fails an unexpected one
    EXPECT_EQ(viewer.dataLines()[1], "LABEL = PLAIN          ");
    EXPECT_EQ(ui.questions(), (Lines(2, "Now  model = CM-19Y         \nSave model = CM-17X         \n\nViewer OK?")));

    // A new viewer asks again; a file of other standard data is refused.
    model.chassis.standardFile = "CM19.STD";
    ViewerScreen other(c, "");
    ui.answerFile(file("a.dat"));
    other.open();
    ui.answerYesNo(true);
    other.selectLine(1);
    EXPECT_EQ(ui.questions().size(), 3u);
    EXPECT_EQ(ui.messages(), Lines{"Now using std = CM19.STD       \nSave data std  = CM17.STD       \n\nSave format "
                                   "is different !"});
    EXPECT_EQ(other.dataLines(), Lines{" === Data List === "});

    ViewerScreen cancelled(c, "");
    ui.answerFile(std::nullopt);
    cancelled.open();
    EXPECT_TRUE(cancelled.closed());
}

TEST_F(Screens, ViewerStopsAtALabelOutOfPlace) {
    saveFile("a.dat");
    std::string bytes = read("a.dat");
    bytes[48 + 16 + 14 + 16 + 2 * (16 + 7)] = '?';  // SP1GRID's label
    dir.write("b.dat", bytes);
    auto c = context();
    ViewerScreen viewer(c, "");
    ui.answerFile(file("b.dat"));
    viewer.open();
    viewer.selectLine(1);
    EXPECT_EQ(viewer.dataLines(), (Lines{" === Data List === ", "LABEL = PLAIN          ",
                                         "  1:R0100          :10    ", "  2:R0101          :SKIP",
                                         "LABEL = SP1GRID        ", "Label data different"}));
    EXPECT_EQ(ui.messages(), Lines{"Label data different"});
}

} // namespace
