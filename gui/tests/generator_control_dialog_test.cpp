#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QKeyEvent>

#include "app/tests/fake_generator_model.h"
#include "core/test_ui.h"
#include "gui/generator_control_dialog.h"
#include "platform/clock.h"
#include "siggen/tests/recording_driver.h"

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
    app::FakeGeneratorModel model{12};
    void SetUp() override {
        application();
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(0, 1, 0);
        sg.SgResetDefault();
        driver = siggen::DriverLog{};
    }
};

} // namespace

TEST_F(Dialogs, ControlDialogShowsTheScreenAndForwardsClicksAndKeys) {
    model.special[1] = 7;
    app::GeneratorControlScreen screen(model, sg, ui);
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
    EXPECT_EQ(model.selected, std::vector<int>{10});
    EXPECT_EQ(dialog.numberField()->text(), "10");
    dialog.timingList()->setCurrentRow(2);
    key(dialog.timingList(), Qt::Key_Return);
    EXPECT_EQ(model.selected.back(), 3);
    key(dialog.timingList(), Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(model.selected.size(), 2u);  // row 7 cannot be used

    key(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(model.names[6], "Timing 7");
    EXPECT_EQ(driver.timings.back().name, "VGA Graphics");
}

TEST_F(Dialogs, PanelDialogHidesUnusedButtons) {
    model.panel[0] = 0x0210;
    model.panel[7] = 0x0105;
    app::AppliancePanel panel(model, ui);
    panel.open();
    gui::AppliancePanelDialog dialog(panel);
    dialog.show();
    ASSERT_EQ(dialog.buttons().size(), 30u);
    EXPECT_TRUE(dialog.buttons()[0]->isVisible());
    EXPECT_EQ(dialog.buttons()[7]->text(), "REG_0105");
    EXPECT_FALSE(dialog.buttons()[1]->isVisible());
    dialog.buttons()[7]->click();
    ASSERT_EQ(model.writes.size(), 1u);
    EXPECT_EQ(model.writes[0], (app::RegisterWrite{0x0105, 1, 1}));
    dialog.reject();
    EXPECT_TRUE(panel.closed());
}
