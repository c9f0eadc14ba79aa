// The MPU, Down timing and UMT INIT screens: service mode, what they show
// before and after a run, their buttons and keys, and how they open.
#include <gtest/gtest.h>

#include "data_fixture.h"
#include "datafiles/download_screens.h"
#include "kit/model_kit.h"

using namespace datafiles;
using namespace datafiles::testing;
using core::InputEvent;
using core::Key;
using Lines = std::vector<std::string>;

namespace {

std::vector<std::string> captions(const core::ScreenView& v) {
    std::vector<std::string> out;
    for (const auto& b : v.buttons) out.push_back(b.caption);
    return out;
}

struct DownloadScreens : DataFixture, ::testing::Test {
    DownloadScreens() {
        addGroup(makeGroup("ONCE", 1, {{0, 0}}));
        model.image.mpuDataCount = 1;
        const kit::Bytes record = kit::mpuDataRecord({55});
        std::copy(record.begin(), record.end(), model.image.mpuData[0].begin());
    }
};

TEST_F(DownloadScreens, MpuKeepsItsListHiddenAndShowsItInDebugModeAfterTheRun) {
    for (bool debug : {false, true}) {
        flags.debug = debug;
        regs.clearAccesses();
        auto c = context();
        MpuScreen screen(c);
        screen.open();
        EXPECT_EQ(regs.sequences(), Lines{"serviceEntry"});
        core::ScreenView v = screen.view();
        EXPECT_EQ(v.title, "MPU");
        EXPECT_TRUE(v.lists.empty());
        EXPECT_EQ(captions(v), (Lines{"Start", "Close"}));
        EXPECT_EQ(v.progress, 0);
        EXPECT_EQ(Lines(screen.log().lines().begin(), screen.log().lines().end()), Lines{" === Mpu Data List ==="});

        EXPECT_FALSE(screen.handle(InputEvent::click("List")));
        ASSERT_TRUE(screen.handle(InputEvent::press(Key::Enter)));
        EXPECT_EQ(screen.lastResult(), RunResult::Completed);
        EXPECT_EQ(regs.value(0x0100), 55);
        v = screen.view();
        EXPECT_EQ(v.progress, -1);  // the bar and Start are gone
        EXPECT_FALSE(screen.handle(InputEvent::press(Key::Enter)));
        EXPECT_TRUE(v.lists.empty());
        if (debug) {
            EXPECT_EQ(captions(v), (Lines{"List", "Close"}));
            ASSERT_TRUE(screen.handle(InputEvent::click("List")));
            ASSERT_EQ(screen.view().lists.size(), 1u);
            EXPECT_EQ(screen.view().lists[0].lines[0], " === Mpu Data List ===");
            EXPECT_EQ(screen.view().lists[0].lines[2], "  1:R0100          :55    :  37H");
            ASSERT_TRUE(screen.handle(InputEvent::click("List")));
            EXPECT_TRUE(screen.view().lists.empty());
        } else {
            EXPECT_EQ(captions(v), Lines{"Close"});
            EXPECT_FALSE(screen.handle(InputEvent::click("List")));
        }
        ASSERT_TRUE(screen.handle(InputEvent::click("Close")));
        EXPECT_TRUE(screen.closed());
        EXPECT_EQ(screen.result(), 1);
        EXPECT_EQ(regs.sequences().back(), "serviceExit");
    }
}

TEST_F(DownloadScreens, AMonitorThatIsNotConnectedClosesTheScreensAtOnce) {
    regs.disconnect();
    auto c = context();
    MpuScreen mpu(c);
    mpu.open();
    EXPECT_TRUE(mpu.closed());
    UmtInitScreen umt(c);
    umt.open();
    EXPECT_TRUE(umt.closed());
    mpu.finish();
    umt.finish();
    EXPECT_EQ(regs.sequences(), (Lines{"serviceEntry", "serviceEntry"}));  // and no exit
}

TEST_F(DownloadScreens, TimingDownloadEntersServiceModeOnlyAsACommandOfItsOwn) {
    model.image.presetCount = 1;
    auto c = context();
    {
        TimingDownloadScreen nested(c, ServiceMode::Held);
        nested.open();
        ASSERT_TRUE(nested.handle(InputEvent::click("Start")));
        ASSERT_TRUE(nested.handle(InputEvent::press(Key::Escape)));
        EXPECT_TRUE(regs.sequences().empty());
    }
    TimingDownloadScreen own(c, ServiceMode::Own);
    own.open();
    EXPECT_EQ(own.view().title, "Down timing");
    ASSERT_TRUE(own.handle(InputEvent::press(Key::Enter)));
    ASSERT_TRUE(own.handle(InputEvent::press(Key::Enter)));  // again: the list starts afresh
    const core::ScreenView v = own.view();
    ASSERT_EQ(v.lists.size(), 1u);
    EXPECT_EQ(v.lists[0].lines[0], " === Down Timing Data List ===");
    EXPECT_EQ(std::count(v.lists[0].lines.begin(), v.lists[0].lines.end(), "Mode = 0    "), 1);
    EXPECT_EQ(v.progress, 100);
    own.finish();
    EXPECT_EQ(regs.sequences(), (Lines{"serviceEntry", "serviceExit"}));
}

TEST_F(DownloadScreens, UmtInitHidesItsProgressAfterTheRunAndOpensThroughTheUi) {
    model.image.umtNumber = 1;
    auto c = context();
    int progressDuring = -1;
    ui.answerModal([&](core::Screen& s) {
        auto& screen = static_cast<UmtInitScreen&>(s);
        EXPECT_EQ(screen.view().title, "UMT INIT");
        EXPECT_TRUE(screen.view().lists.empty());
        screen.setListener([&] {
            if (screen.running()) progressDuring = screen.view().progress;
        });
        EXPECT_TRUE(screen.handle(InputEvent::click("Start")));
        EXPECT_EQ(screen.view().progress, -1);
        EXPECT_TRUE(screen.handle(InputEvent::press(Key::Escape)));
        return s.result();
    });
    runUmtInit(c);
    EXPECT_EQ(ui.modalKinds(), Lines{UmtInitScreen::kKind});
    EXPECT_EQ(progressDuring, 100);
    EXPECT_EQ(regs.sequences(), (Lines{"serviceEntry", "standardPreSequence", "standardPostSequence", "serviceExit"}));
}

TEST_F(DownloadScreens, TheRunFunctionsLeaveServiceModeOnEveryWayOut) {
    auto c = context();
    ui.answerModal([](core::Screen&) { return 0; });  // the window closed without the screen's Close
    runMpu(c);
    ui.answerModal({InputEvent::press(Key::Escape)});
    runTimingDownload(c, ServiceMode::Own);
    ui.answerModal({InputEvent::press(Key::Escape)});
    runTimingDownload(c);
    EXPECT_EQ(ui.modalKinds(), (Lines{MpuScreen::kKind, TimingDownloadScreen::kKind, TimingDownloadScreen::kKind}));
    EXPECT_EQ(regs.sequences(), (Lines{"serviceEntry", "serviceExit", "serviceEntry", "serviceExit"}));
    EXPECT_TRUE(ui.allAnswersUsed());
}

} // namespace
