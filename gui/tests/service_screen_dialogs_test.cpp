#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "core/test_ui.h"
#include "core/text_format.h"
#include "gui/service_screen_dialogs.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "siggen/recording_driver.h"

namespace {

void key(QObject* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, k, mods);
    QCoreApplication::sendEvent(target, &press);
}

constexpr uint16_t kSize = 0x0100, kPosition = 0x0101, kUserSave = 0x0200, kMode = 0x0401, kPower = 0x0004;
constexpr uint16_t kFailure = 0x020D;

struct ServiceDialogs : ::testing::Test {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", ""};

    void SetUp() override {
        gui::testApplication();
        model.image.presetCount = 3;
        for (int i = 0; i < 3; ++i) {
            modeldb::ModelTiming& t = model.image.presets[static_cast<size_t>(i)];
            t.name = core::strf("Timing %d", i + 1);
            t.dotClock = 25.175f;
            t.hFrequency = 31.46875f;
            t.vFrequency = 60.0f;
            t.h = {800, 160, 16, 96, 48, 640};
            t.v = {525, 45, 10, 2, 33, 480};
        }
        auto& special = model.chassis.specialRegisters;
        auto at = [](size_t offset) { return (offset - modeldb::chassis::kSpecialRegisters) / 2; };
        special[at(modeldb::chassis::kFactoryPresets)] = kSize;
        special[at(modeldb::chassis::kFactoryPresets + 2)] = kPosition;
        special[at(modeldb::chassis::kUserSave)] = kUserSave;
        special[at(modeldb::chassis::kModeNumber)] = kMode;
        model.chassis.sequences.powerRegister = kPower;
        model.chassis.showPower = 1;
        model.chassis.failureTable = {{static_cast<int16_t>(kFailure), {"Fan"}}};
        regs.define(kSize, "H-Size", 100);
        regs.define(kPosition, "H-Pos", 0xFE, -32, 31);
        regs.define(kUserSave, "U_save");
        regs.define(kMode, "ModeNo", 0);  // the monitor shows mode 1
        regs.define(kPower, "Power", 1);
        regs.define(kFailure, "Fail_A", 1);
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(0, 1, 0);
    }
};

} // namespace

TEST_F(ServiceDialogs, FactoryPresetDialogRendersTheScreenAndForwardsListSliderAndButtons) {
    screens::FactoryPreset screen(context);
    ASSERT_TRUE(screen.open());
    gui::FactoryPresetDialog dialog(screen);
    dialog.show();
    ASSERT_EQ(dialog.timingList()->count(), 3);
    EXPECT_EQ(dialog.timingList()->item(0)->text(), "  1:Timing 1       ");
    EXPECT_TRUE(dialog.sliderRows()[0].slider->isVisible());
    EXPECT_FALSE(dialog.sliderRows()[2].slider->isVisible());
    EXPECT_FALSE(dialog.sliderRows()[0].slider->isEnabled());

    // Taking the focus makes no choice; a click on the first row does.
    dialog.timingList()->setFocus();
    dialog.timingList()->setCurrentRow(1);
    EXPECT_EQ(driver.applies(), 0u);
    emit dialog.timingList()->itemClicked(dialog.timingList()->item(0));
    ASSERT_EQ(driver.applies(), 1u);
    EXPECT_TRUE(screen.adjusting());
    EXPECT_EQ(dialog.timingList()->item(0)->text(), "* 1:Timing 1       ");
    EXPECT_EQ(dialog.statusField(0)->text(), "1    ");
    EXPECT_EQ(dialog.sliderRows()[1].value->text(), "-2   ");
    EXPECT_EQ(dialog.sliderRows()[1].slider->minimum(), -32);
    EXPECT_EQ(dialog.sliderRows()[1].slider->value(), -2);

    // A click beside the thumb pages up; the slider shows what was written.
    dialog.sliderRows()[0].slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(regs.value(kSize), 120);
    EXPECT_EQ(dialog.sliderRows()[0].slider->value(), 120);
    EXPECT_EQ(screen.selectedSlider(), 0);

    // Typing into the second box, then keys on it.
    dialog.sliderRows()[1].value->setText("7");
    key(dialog.sliderRows()[1].value, Qt::Key_Return);
    EXPECT_EQ(regs.value(kPosition), 7);
    key(dialog.sliderRows()[1].value, Qt::Key_End);
    EXPECT_EQ(regs.value(kPosition), -32);
    dialog.sliderRows()[1].value->setText("0");  // refused: zero is typed "0 "
    key(dialog.sliderRows()[1].value, Qt::Key_Return);
    EXPECT_EQ(dialog.sliderRows()[1].value->text(), "-32  ");

    dialog.saveButton()->click();
    EXPECT_EQ(regs.value(kUserSave), 0);
    EXPECT_FALSE(screen.modified());

    // Tab goes to the screen: from the second slider to "Save".
    key(&dialog, Qt::Key_Tab);
    EXPECT_EQ(screen.focus(), screens::FactoryPreset::kFocusSave);
    key(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ServiceDialogs, TheKind9FormHasNoListAndAdjustsAtOnce) {
    screens::FactoryPreset screen(context, screens::FactoryPreset::Variant::Appliance);
    ASSERT_TRUE(screen.open());
    gui::FactoryPresetDialog dialog(screen);
    dialog.show();
    EXPECT_FALSE(dialog.timingList()->isVisible());
    EXPECT_FALSE(dialog.statusBox()->isVisible());
    EXPECT_TRUE(dialog.sliderRows()[0].slider->isEnabled());
    EXPECT_EQ(dialog.sliderRows()[0].value->text(), "100  ");
    key(dialog.sliderRows()[0].value, Qt::Key_Q, Qt::AltModifier);
    key(dialog.sliderRows()[0].value, Qt::Key_Up);
    EXPECT_EQ(regs.value(kSize), 101);
    ui.answerYesNo(false);
    dialog.closeButton()->click();
    EXPECT_TRUE(screen.closed());
}

TEST_F(ServiceDialogs, MaintenanceDialogShowsOnlyTheOfferedButtonsWithTheirCaptions) {
    screens::MaintenanceScreen screen(context);
    ASSERT_TRUE(screen.open());
    gui::MaintenanceDialog dialog(screen);
    dialog.show();
    EXPECT_FALSE(dialog.degaussButton()->isVisible());
    EXPECT_FALSE(dialog.agingButton()->isVisible());
    EXPECT_FALSE(dialog.factoryIdLabel()->isVisible());
    EXPECT_TRUE(dialog.noteLabel()->isVisible());
    ASSERT_TRUE(dialog.powerButton()->isVisible());
    EXPECT_EQ(dialog.powerButton()->text(), "POWER OFF");
    dialog.powerButton()->click();
    EXPECT_EQ(dialog.powerButton()->text(), "POWER ON");
    EXPECT_EQ(regs.value(kPower), 0);
    dialog.reject();
    EXPECT_TRUE(screen.closed());
}

TEST_F(ServiceDialogs, FailureDialogListsAndRefreshes) {
    screens::FailureScreen screen(context);
    ASSERT_TRUE(screen.open());
    gui::FailureDialog dialog(screen);
    dialog.show();
    ASSERT_EQ(dialog.failureList()->count(), 2);
    EXPECT_EQ(dialog.failureList()->item(1)->text(), "Fan              : Error ");
    dialog.refreshButton()->click();
    ASSERT_EQ(dialog.failureList()->count(), 3);
    EXPECT_EQ(dialog.failureList()->item(1)->text(), "Fan              : Normal");
    EXPECT_EQ(dialog.failureList()->item(2)->text(), "=== Refresh done ===");
    dialog.closeButton()->click();
    EXPECT_TRUE(screen.closed());
}
