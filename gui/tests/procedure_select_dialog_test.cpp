#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "core/test_ui.h"
#include "gui/procedure_select_dialog.h"
#include "kit/prc_file.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"

namespace {

struct Runner : procedure::ProcedureRunner {
    std::vector<std::string> names;
    void runProcedure(const procedure::ProcedureChoice& c) override { names.push_back(c.name); }
};

struct ProcedureDialog : ::testing::Test {
    platform::testing::TestFolder folder;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", folder.path()};
    Runner runner;
    void SetUp() override {
        gui::testApplication();
        model.chassis.procedureFolder = "PRC";
        model.image.adjustProcedureCount = 2;
        model.image.adjustProcedures[0] = "ONE";
        model.image.adjustProcedures[1] = "TWO";
        for (const char* name : {"ONE", "TWO"}) {
            kit::PrcFileSpec spec;
            spec.title = std::string("Title ") + name;
            ASSERT_TRUE(kit::writeFile(folder.path() + "/PELARO/PRC/" + name + ".PRC", kit::prcFile(spec)));
        }
    }
};

TEST_F(ProcedureDialog, ShowsTheRowsInAFixedPitchFontAndStartsADoubleClickedRow) {
    procedure::ProcedureSelect screen(context, procedure::kAdjustmentList, runner);
    screen.open();
    gui::ProcedureSelectDialog dialog(screen);
    dialog.show();
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(1)->text().toStdString(), " 2:TWO         :Title TWO                     ");
    EXPECT_TRUE(QFontInfo(dialog.list()->font()).fixedPitch());

    emit dialog.list()->itemDoubleClicked(dialog.list()->item(1));
    EXPECT_EQ(runner.names, std::vector<std::string>{"TWO"});
    ASSERT_EQ(dialog.list()->count(), 6);  // rebuilt with the adjusted group
    EXPECT_EQ(dialog.list()->currentRow(), 0);

    dialog.startButton()->click();  // the first row again
    EXPECT_EQ(runner.names, (std::vector<std::string>{"TWO", "ONE"}));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.list(), &escape);
    EXPECT_TRUE(screen.closed());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"serviceEntry", "serviceExit"}));
}

} // namespace
