#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QKeyEvent>

#include "core/test_ui.h"
#include "core/text_format.h"
#include "gui/generator_control_dialog.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "siggen/recording_driver.h"

namespace {

QApplication& application() { return gui::testApplication(); }

void key(QObject* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, k, mods);
    QCoreApplication::sendEvent(target, &press);
}

struct Dialogs : ::testing::Test {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", ""};
    void SetUp() override {
        application();
        model.image.presetCount = 12;
        for (int i = 0; i < 12; ++i) {
            modeldb::ModelTiming& t = model.image.presets[static_cast<size_t>(i)];
            t.name = core::strf("Timing %d", i + 1);
            t.dotClock = 25.175f + static_cast<float>(i);
            t.hFrequency = t.dotClock / 800.0f * 1000.0f;  // 800 dots: even, sent as it is
            t.vFrequency = 60.0f;
            t.h = {800, 160, 16, 96, 48, 640};
            t.v = {525, 45, 10, 2, 33, 480};
        }
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(0, 1, 0);
        sg.SgResetDefault();
        driver = siggen::DriverLog{};
    }
};

} // namespace

TEST_F(Dialogs, ControlDialogShowsTheScreenAndForwardsClicksAndKeys) {
    model.image.special1[4] = 7;  // screen 1: preset 7 unusable
    app::GeneratorControlScreen screen(context);
    screen.open();
    gui::GeneratorControlDialog dialog(screen);
    dialog.show();
    EXPECT_EQ(dialog.modelField()->text(), "CM-17X");
    ASSERT_EQ(dialog.timingList()->count(), 12);
    EXPECT_EQ(dialog.timingList()->item(6)->text(), " 7 : Can not use    ");
    ASSERT_EQ(dialog.patternGroup()->buttons().size(), 12);
    ASSERT_EQ(dialog.colourGroup()->buttons().size(), 7);
    EXPECT_EQ(dialog.colourGroup()->buttons()[0]->text(), "Normal(RGB)");
    EXPECT_TRUE(dialog.patternGroup()->button(0)->isChecked());
    EXPECT_TRUE(dialog.colourGroup()->button(3)->isChecked());
    EXPECT_TRUE(dialog.inversionGroup()->button(0)->isChecked());

    dialog.patternGroup()->button(3)->click();
    EXPECT_EQ(driver.applies(), 1u);
    EXPECT_TRUE(dialog.patternGroup()->button(3)->isChecked());

    key(dialog.timingList(), Qt::Key_0);
    EXPECT_EQ(driver.timings.back().name, "Timing 10");
    EXPECT_EQ(dialog.numberField()->text(), "10");
    dialog.timingList()->setCurrentRow(2);
    key(dialog.timingList(), Qt::Key_Return);
    EXPECT_EQ(driver.timings.back().name, "Timing 3");
    key(dialog.timingList(), Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(driver.applies(), 3u);  // row 7 cannot be used

    key(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(model.image.presets[6].name, "Timing 7");
    EXPECT_EQ(driver.timings.back().name, "VGA Graphics");
}

TEST_F(Dialogs, PanelDialogHidesUnusedButtons) {
    model.chassis.panelButtons[0] = 0x0210;
    model.chassis.panelButtons[7] = 0x0105;
    regs.define(0x0210, "REG_0210");
    regs.define(0x0105, "REG_0105");
    app::AppliancePanel panel(context);
    panel.open();
    gui::AppliancePanelDialog dialog(panel);
    dialog.show();
    ASSERT_EQ(dialog.buttons().size(), 30u);
    EXPECT_TRUE(dialog.buttons()[0]->isVisible());
    EXPECT_EQ(dialog.buttons()[7]->text(), "REG_0105");
    EXPECT_FALSE(dialog.buttons()[1]->isVisible());
    dialog.buttons()[7]->click();
    EXPECT_EQ(regs.writes(), (std::vector<std::pair<uint16_t, int32_t>>{{0x0105, 1}}));
    EXPECT_EQ(regs.accesses().back().flags, 1);
    dialog.reject();
    EXPECT_TRUE(panel.closed());
}
