#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>

#include "core/test_ui.h"
#include "gui/step_by_step_dialog.h"
#include "kit/prc_file.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "procedure/job_kinds.h"

namespace {

using procedure::prc::Operand;

struct NoScreens : procedure::NestedScreens {
    int openFactoryPreset(procedure::FactoryPresetVariant) override { return 0; }
    int openFailure() override { return 0; }
};

kit::PrcStepSpec step(const char* name, uint8_t kind) {
    kit::PrcStepSpec s;
    s.name = name;
    s.kind = kind;
    return s;
}

struct StepDialog : ::testing::Test {
    platform::testing::TestFolder folder;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", folder.path()};
    NoScreens nested;
    procedure::StepByStep screen{context, nested};

    void SetUp() override { gui::testApplication(); }

    void open(int16_t end, std::vector<kit::PrcStepSpec> steps) {
        kit::PrcFileSpec spec;
        spec.title = "Dialog run";
        spec.endStep = end;
        spec.steps = std::move(steps);
        procedure::ProcedureChoice c;
        c.path = folder.file("RUN.PRC");
        c.file = c.path;
        ASSERT_TRUE(kit::writeFile(c.file, kit::prcFile(spec)));
        screen.open(c);
    }
    static void key(QWidget* to, int qtKey, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QCoreApplication::sendEvent(to, &press);
    }
};

TEST_F(StepDialog, RendersThePanelAndSendsKeysSlidersAndButtonsToTheScreen) {
    regs.define(0x0100, "Gain", 40, 0, 255);
    regs.define(0x0101, "Beam", 7);
    open(4, {step("Gain", procedure::JOB_ADJUST_MONITOR)
                 .with(Operand::Sliders, {0x0100})
                 .with(Operand::Displays, {0x0101})
                 .with(Operand::Keys, {procedure::kKeyOk, procedure::kKeyCancel}),
             step("Done", procedure::JOB_MESSAGE).with(Operand::Keys, {procedure::kKeyOk})});
    gui::StepByStepDialog dialog(screen);
    dialog.show();
    EXPECT_TRUE(QFontInfo(dialog.logList()->font()).fixedPitch());
    EXPECT_EQ(dialog.stepLabel()->text().toStdString(), " Step No =   1 ");
    EXPECT_EQ(dialog.buttonRows()[0].button->text().toStdString(), "OK");
    EXPECT_TRUE(dialog.buttonRows()[1].button->isVisible());
    EXPECT_FALSE(dialog.buttonRows()[2].button->isVisible());
    EXPECT_FALSE(dialog.buttonRows()[0].jump->isVisible());  // not in debug mode
    EXPECT_FALSE(dialog.cancelDebugButton()->isVisible());
    EXPECT_TRUE(dialog.sliderRows()[0].slider->isVisible());
    EXPECT_FALSE(dialog.sliderRows()[1].slider->isVisible());
    EXPECT_EQ(dialog.sliderRows()[0].value->text().toStdString(), "40   ");
    EXPECT_EQ(dialog.displayRows()[0].value->text().toStdString(), "7    ");
    EXPECT_FALSE(dialog.dateField(0)->isVisible());

    // "Q" selects the slider; the slider's page step is the screen's PageUp.
    key(dialog.logList(), Qt::Key_Q, "q");
    EXPECT_EQ(screen.selectedSlider(), 0);
    dialog.sliderRows()[0].slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(regs.value(0x0100), 60);
    EXPECT_EQ(dialog.sliderRows()[0].slider->value(), 60);
    // A value typed into the box and entered.
    dialog.sliderRows()[0].value->setText("90");
    key(dialog.sliderRows()[0].value, Qt::Key_Return);
    EXPECT_EQ(regs.value(0x0100), 90);

    dialog.buttonRows()[0].button->click();  // OK: the next step
    EXPECT_EQ(dialog.nameLabel()->text().toStdString(), " Done                ");
    EXPECT_FALSE(dialog.sliderRows()[0].slider->isVisible());
    key(dialog.logList(), Qt::Key_F1);  // to END
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(StepDialog, ProductDateFieldsTakeTypedText) {
    for (uint16_t c = 0x0320; c < 0x0326; ++c) regs.define(c, "Date");
    open(3, {step("Date", procedure::JOB_PRODUCT_DATE)
                 .with(Operand::ProductDateRegisters, {0x0320, 0x0321, 0x0322, 0x0323, 0x0324, 0x0325})
                 .with(Operand::Keys, {procedure::kKeyOk})});
    gui::StepByStepDialog dialog(screen);
    dialog.show();
    ASSERT_TRUE(dialog.dateField(1)->isVisible());
    dialog.dateField(1)->setFocus();
    emit dialog.dateField(1)->textEdited("12");
    EXPECT_EQ(screen.productDate().week, "12");
    EXPECT_EQ(screen.focus(), procedure::StepByStep::kFocusWeek);
    emit dialog.dateField(0)->textEdited("1999");
    EXPECT_EQ(screen.productDate().year, "1999");
    dialog.buttonRows()[0].button->click();
    EXPECT_EQ(regs.value(0x0320), 9);
    EXPECT_EQ(regs.value(0x0321), 12);
}

TEST_F(StepDialog, DebugModeShowsJumpBoxesAndThePointWindowJumps) {
    flags.debug = true;
    for (uint16_t c = 0x0500; c < 0x0504; ++c) regs.define(c, "Point", 0x20);
    std::vector<int32_t> column(48, 0);
    for (int i = 0; i < 4; ++i) column[static_cast<size_t>(i)] = 0x0500 + i;
    auto point = [](uint8_t col, uint8_t row, int32_t reg) {
        return step("Point", procedure::JOB_DCNV_ADJUST)
            .with(Operand::PointColumn, {col})
            .with(Operand::PointRow, {row})
            .with(Operand::Sliders, {reg})
            .with(Operand::Keys, {procedure::kKeyOk});
    };
    open(8, {step("Table", procedure::JOB_DCNV_DATA).with(Operand::DcnvColumn, {1}).with(Operand::DcnvValues, column),
             step("Grid", procedure::JOB_DCNV_COND).with(Operand::GridColumns, {2}).with(Operand::GridRows, {2}),
             point(1, 1, 0x0500), point(2, 1, 0x0501), point(1, 2, 0x0502), point(2, 2, 0x0503)});
    gui::StepByStepDialog dialog(screen);
    dialog.show();
    // Debug: the grid step stops too (the table step does not).
    EXPECT_EQ(screen.run().currentStep, 2);
    EXPECT_TRUE(dialog.cancelDebugButton()->isVisible());
    EXPECT_TRUE(dialog.buttonRows()[0].jump->isVisible());
    EXPECT_EQ(dialog.buttonRows()[0].jump->text().toStdString(), "3");
    dialog.buttonRows()[0].button->click();
    EXPECT_EQ(screen.run().currentStep, 3);
    ASSERT_TRUE(dialog.pointDialog()->isVisible());
    EXPECT_EQ(dialog.pointDialog()->grid()->item(0, 0)->text().toStdString(), "**");
    EXPECT_EQ(dialog.pointDialog()->grid()->verticalHeaderItem(1)->text().toStdString(), "B");
    emit dialog.pointDialog()->grid()->cellClicked(1, 0);  // B01: point 3
    dialog.pointDialog()->jumpButton()->click();
    EXPECT_EQ(screen.run().currentStep, 5);
    EXPECT_EQ(dialog.pointDialog()->grid()->item(1, 0)->text().toStdString(), "**");
    EXPECT_EQ(dialog.pointDialog()->grid()->item(0, 0)->text().toStdString(), "  ");
    dialog.cancelDebugButton()->click();
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
