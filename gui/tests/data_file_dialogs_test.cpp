#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <functional>
#include <string_view>

#include "core/test_ui.h"
#include "gui/data_file_dialogs.h"
#include "gui/file_filter.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
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

modeldb::DataGroup group(const std::string& name, uint8_t page, int items, uint8_t a = 0) {
    modeldb::DataGroup g;
    g.name = name;
    g.page = page;
    g.itemCount = static_cast<uint8_t>(items);
    for (int i = 0; i < items; ++i) g.itemLow[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    g.itemFlag[0] = a;
    return g;
}

struct DataDialogs : ::testing::Test {
    core::TestUi ui;
    WatchingClock clock;
    siggen::SignalGenerator sg{ui, clock};
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    platform::testing::TestFolder dir;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", ""};

    void SetUp() override {
        gui::testApplication();
        model.chassis.standardFile = "CM17.STD";
        model.standard.groups[0] = group("PLAIN", 1, 3);
        model.standard.groups[1] = group("SP1SEL", 2, 3, 1);  // two selector settings, a wait each
        model.standard.groupCount = 2;
        for (uint16_t page : {0x0100, 0x0200})
            for (uint16_t i = 0; i < 3; ++i) regs.define(static_cast<uint16_t>(page + i), "R", 5);
    }
};

} // namespace

TEST_F(DataDialogs, SaveDialogShowsEveryLineAndTheProgressAtEveryWait) {
    datafiles::SaveDataScreen screen(context, {dir.path(), {}});
    ui.answerFile(dir.file("x.dat"));
    screen.open();
    gui::DataFileDialog dialog(screen);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Save File :x.dat");
    EXPECT_EQ(dialog.list()->count(), 1);
    EXPECT_TRUE(dialog.startButton()->isEnabled());

    struct Seen {
        std::string wait;
        int progress;
        int lines;
        bool startEnabled;
    };
    std::vector<Seen> seen;
    clock.onWait = [&](std::string_view what) {
        seen.push_back({std::string(what), dialog.progress()->value(), dialog.list()->count(),
                        dialog.startButton()->isEnabled()});
        // What the window shows is what the screen holds.
        EXPECT_EQ(dialog.progress()->value(), screen.log().progress());
        EXPECT_EQ(dialog.list()->count(), static_cast<int>(screen.log().lines().size()));
    };
    dialog.startButton()->click();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].wait, "data selector");
    EXPECT_EQ(seen[0].progress, 8);
    EXPECT_EQ(seen[0].lines, 1 + 4 + 1);  // header, PLAIN and its items, SP1SEL
    EXPECT_FALSE(seen[0].startEnabled);   // no second start during a run
    EXPECT_EQ(seen[1].lines, 1 + 4 + 1 + 1);
    EXPECT_EQ(seen[2].wait, "data finish");
    EXPECT_EQ(seen[2].progress, 95);
    EXPECT_EQ(seen[3].progress, 100);

    EXPECT_EQ(screen.lastResult(), datafiles::RunResult::Completed);
    EXPECT_EQ(dialog.list()->count(), static_cast<int>(screen.log().lines().size()));
    EXPECT_EQ(dialog.list()->item(1)->text().toStdString(), "LABEL = PLAIN          ");
    EXPECT_TRUE(dialog.startButton()->isEnabled());
    dialog.closeButton()->click();
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(regs.sequences().back(), "serviceExit");
}

TEST_F(DataDialogs, ViewerDialogListsTheSelectedGroup) {
    {
        datafiles::SaveDataScreen save(context, {dir.path(), {}});
        ui.answerFile(dir.file("x.dat"));
        save.open();
        save.start();
        save.finish();
    }
    datafiles::ViewerScreen screen(context, dir.path());
    ui.answerFile(dir.file("x.dat"));
    screen.open();
    gui::ViewerDialog dialog(screen);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "x.dat");
    ASSERT_EQ(dialog.groupList()->count(), 3);
    EXPECT_EQ(dialog.groupList()->item(1)->text().toStdString(), " 1:PLAIN               ");
    dialog.groupList()->setCurrentRow(1);
    ASSERT_EQ(dialog.dataList()->count(), static_cast<int>(screen.dataLines().size()));
    EXPECT_EQ(dialog.dataList()->item(1)->text().toStdString(), "LABEL = PLAIN          ");
    EXPECT_EQ(dialog.dataList()->item(2)->text().toStdString(), "  1:R              :5     ");
    dialog.reject();
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
}

TEST(FileFilter, ChooserFiltersBecomeQtFilters) {
    EXPECT_EQ(gui::qtFileFilter("FILE(*.dat)|*.dat|ALL FILES|*.*||").toStdString(),
              "FILE(*.dat) (*.dat);;ALL FILES (*)");
    EXPECT_EQ(gui::qtFileFilter("Data files (*.dat)").toStdString(), "Data files (*.dat)");
    EXPECT_EQ(gui::qtFileFilter("").toStdString(), "");
}
