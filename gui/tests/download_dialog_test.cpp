// The dialog of the MPU, Down timing and UMT INIT screens: what it shows
// before, during and after a run is what the screen holds.
#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <functional>
#include <string_view>

#include "core/test_ui.h"
#include "gui/download_dialog.h"
#include "kit/model_kit.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"

namespace {

// A fake clock that looks at the window at every wait, after letting the
// event loop run as the GUI's clock does.
struct WatchingClock : platform::FakeClock {
    std::function<void(std::string_view)> onWait;
    void sleepMs(uint32_t ms, std::string_view what) override {
        FakeClock::sleepMs(ms, what);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (onWait) onWait(what);
    }
};

struct DownloadDialogs : ::testing::Test {
    core::TestUi ui;
    WatchingClock clock;
    siggen::SignalGenerator sg{ui, clock};
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", ""};

    void SetUp() override {
        gui::testApplication();
        modeldb::DataGroup& g = model.standard.groups[0];
        g.name = "PLAIN";
        g.page = 1;
        g.itemCount = 3;
        g.commitRegister = 0x0110;
        for (uint8_t i = 0; i < 3; ++i) {
            g.itemLow[i] = i;
            regs.define(static_cast<uint16_t>(0x0100 + i), "R", 5);
        }
        regs.define(0x0110, "Commit");
        model.standard.groupCount = 1;
        model.image.mpuDataCount = 1;
        const kit::Bytes record = kit::mpuDataRecord({7, 8, 9});
        std::copy(record.begin(), record.end(), model.image.mpuData[0].begin());
    }
};

TEST_F(DownloadDialogs, MpuShowsItsProgressDuringTheRunAndItsListOnlyInDebugMode) {
    flags.debug = true;
    datafiles::MpuScreen screen(context);
    screen.open();
    gui::DownloadDialog dialog(screen);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "MPU");
    EXPECT_FALSE(dialog.list()->isVisible());
    EXPECT_FALSE(dialog.listButton()->isVisible());
    EXPECT_TRUE(dialog.startButton()->isVisible());
    EXPECT_TRUE(dialog.progress()->isVisible());

    std::vector<std::pair<std::string, int>> seen;
    clock.onWait = [&](std::string_view what) {
        seen.emplace_back(std::string(what), dialog.progress()->value());
        EXPECT_EQ(dialog.progress()->value(), screen.log().progress());
        EXPECT_FALSE(dialog.startButton()->isEnabled());
        EXPECT_FALSE(dialog.closeButton()->isEnabled());
    };
    dialog.startButton()->click();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (std::pair<std::string, int>{"data commit", 4}));
    EXPECT_EQ(seen[2], (std::pair<std::string, int>{"data finish", 100}));
    EXPECT_EQ(regs.value(0x0102), 9);

    EXPECT_FALSE(dialog.progress()->isVisible());
    EXPECT_FALSE(dialog.startButton()->isVisible());
    ASSERT_TRUE(dialog.listButton()->isVisible());
    dialog.listButton()->click();
    ASSERT_TRUE(dialog.list()->isVisible());
    EXPECT_EQ(dialog.list()->count(), static_cast<int>(screen.log().lines().size()));
    EXPECT_EQ(dialog.list()->item(2)->text().toStdString(), "  1:R              :7     :   7H");
    dialog.closeButton()->click();
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(regs.sequences().back(), "serviceExit");
}

TEST_F(DownloadDialogs, TimingDownloadListsAndUmtInitDoesNot) {
    model.image.presetCount = 1;
    model.chassis.timingRegisters = {0x0100, 0x0101, 0x0102, 0, 0};
    datafiles::TimingDownloadScreen timing(context, datafiles::ServiceMode::Held);
    timing.open();
    {
        gui::DownloadDialog dialog(timing);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Down timing");
        EXPECT_TRUE(dialog.list()->isVisible());
        EXPECT_EQ(dialog.list()->item(0)->text().toStdString(), " === Down Timing Data List ===");
        dialog.startButton()->click();
        EXPECT_EQ(dialog.list()->count(), static_cast<int>(timing.log().lines().size()));
        EXPECT_TRUE(dialog.startButton()->isEnabled());
        dialog.reject();  // Escape
        EXPECT_TRUE(timing.closed());
    }

    model.image.umtNumber = 1;
    datafiles::UmtInitScreen umt(context);
    umt.open();
    gui::DownloadDialog dialog(umt);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "UMT INIT");
    EXPECT_FALSE(dialog.list()->isVisible());
    EXPECT_TRUE(dialog.progress()->isVisible());
    dialog.startButton()->click();
    EXPECT_FALSE(dialog.progress()->isVisible());
    dialog.closeButton()->click();
    EXPECT_TRUE(umt.closed());
}

} // namespace
