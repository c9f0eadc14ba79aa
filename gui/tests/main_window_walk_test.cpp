// The main window on the demo station with a simulated monitor: every
// command of the table, reached through its menu entry (and the function
// keys and the tool bar), opens its screen, whose dialog renders, or shows
// its message; and the expert and About dialogs drive their screens.
#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QToolBar>
#include <cstdlib>
#include <set>

#include "app/about_box.h"
#include "app/signal_generator_layer.h"
#include "gui/expert_dialogs.h"
#include "gui/main_window.h"
#include "gui/screen_dialogs.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "link/memory_registers.h"
#include "siggen/recording_driver.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

namespace {

using app::CommandId;
using core::InputEvent;

struct DemoWindow : ::testing::Test {
    kit::TempFolder tmp{"gui-walk"};
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::unique_ptr<sim::SimMonitor> monitor;
    core::FakeUi ui;  // what nobody scripted is recorded, not failed
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    app::SignalGeneratorLayer layer{sg};
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<appstate::AppState> state;
    std::unique_ptr<app::Commands> commands;
    std::vector<std::string> rendered;  // kinds whose dialog showed

    void SetUp() override {
        gui::testApplication();
        gui::registerScreenDialogs();
        ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
        sim::LinkTables tables;
        ASSERT_TRUE(sim::readLinkFile(tmp.path() + "/data/DEMO1.BUS", tables));
        protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), 1);
        sim::MonitorBehaviour behaviour;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(1), nullptr));
        behaviour.applyTo(*protocol);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "gui-walk");
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini",
                                   "[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=1\nSG_NAME=0\nSG_PORT=2\n"
                                   "PREV_QX=VX-1700\nPREV_file=VX1700.mdl\n"));
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        state = std::make_unique<appstate::AppState>(tmp.path(), ui, *profile, clock);
        state->setGeneratorLayer(&layer);
        state->startApplicationState();
        commands = std::make_unique<app::Commands>(*state, sg, ui, clock);
        commands->setReleaseFile(tmp.path() + "/pelaro.rls");
        ui.clear();
    }
    // The next screen: its dialog opens on it, then it is left as it is
    // (the command closes it).
    void renderNext() {
        ui.answerModal([this](core::Screen& s) {
            std::unique_ptr<QDialog> dialog(gui::makeScreenDialog(s, nullptr));
            EXPECT_TRUE(dialog) << s.kind();
            if (!dialog) return 0;
            dialog->show();
            if (dialog->isVisible()) rendered.push_back(s.kind());
            return 0;
        });
    }
    size_t reactions() const {
        return ui.modalKinds().size() + ui.messages().size() + ui.fileChoices().size() + ui.questions().size();
    }
};

} // namespace

TEST_F(DemoWindow, EveryCommandOfTheTableOpensItsScreenOrSaysWhy) {
    gui::MainWindow window(*commands);
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(),
              "  New PELARO Program                                 Release Ver 1.0 demo");
    EXPECT_TRUE(ui.messages().empty());  // the demo has its notice file
    ASSERT_EQ(window.frame().notices().size(), 1u);

    for (const app::Command& c : app::commandTable()) {
        if (c.id == CommandId::Exit) continue;
        SCOPED_TRACE(c.text);
        QAction* action = window.action(c.id);
        ASSERT_NE(action, nullptr);
        window.updateCommands();
        // Every command is on for the demo's first model.
        ASSERT_TRUE(action->isEnabled());
        const size_t before = reactions();
        renderNext();
        renderNext();  // a screen may open a nested one
        action->trigger();
        EXPECT_GT(reactions(), before);
        ui.clear();
    }
    for (const char* kind : {"ModelSelection", "Configuration", "FactoryPreset", "GeneratorControl", "Maintenance",
                             "ProcedureSelect", "Failure", "Mpu", "UmtInit", "Expert", "About"})
        EXPECT_NE(std::find(rendered.begin(), rendered.end(), kind), rendered.end()) << kind;
    EXPECT_EQ(protocol->registerValue(0x0002), 0);  // every screen left service mode

    // The demo model's UMT number brings the UMT command back to the end of the File menu.
    QMenu* file = nullptr;
    for (QAction* a : window.menuBar()->actions())
        if (a->menu() && a->menu()->title() == "&File") file = a->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->actions().last()->text(), "&UMT Init");

    // The tool bar's About button opens the About box.
    rendered.clear();
    renderNext();
    for (QAction* a : window.toolBar()->actions())
        if (a->text() == "About") a->trigger();
    EXPECT_EQ(rendered, std::vector<std::string>{"About"});

    window.action(CommandId::Exit)->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DemoWindow, F5SkipsTheNoticeThatBlocksTheMenuCommand) {
    ASSERT_TRUE(kit::writeFile(tmp.path() + "/kovhlp.txt", kit::noticeFile({{21, "VX-1700", "Not for VX-1700"}})));
    gui::MainWindow window(*commands);
    window.action(CommandId::FactoryPreset)->trigger();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Not for VX-1700"});
    EXPECT_TRUE(ui.modalKinds().empty());
    QShortcut* f5 = nullptr;
    for (QShortcut* s : window.findChildren<QShortcut*>())
        if (s->key() == QKeySequence(Qt::Key_F5)) f5 = s;
    ASSERT_NE(f5, nullptr);
    renderNext();
    emit f5->activated();
    EXPECT_EQ(ui.modalKinds(), std::vector<std::string>{"FactoryPreset"});
}

TEST_F(DemoWindow, ExpertDialogEditsTheModeTableThroughTheScreen) {
    protocol->setMemory(2, 0x73, 0x02);
    protocol->setMemory(2, 0x74, 0xAF);  // mode 3: H frequency 687
    ui.answerModal([this](core::Screen& s) {
        auto& screen = static_cast<screens::ExpertScreen&>(s);
        gui::ExpertDialog dialog(screen);
        dialog.show();
        dialog.button("Timing Edit")->click();
        QTableWidget* grid = dialog.grid();
        EXPECT_EQ(grid->rowCount(), 5);
        EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), " HFRE");
        EXPECT_EQ(grid->item(2, 4)->text(), "  687");
        EXPECT_FALSE(dialog.button("Write")->isHidden());
        emit grid->cellClicked(2, 4);  // mode 3's H frequency cell
        EXPECT_EQ(dialog.modeLabel()->text(), "Mode :  3");
        EXPECT_EQ(screen.editColumn(), screens::ExpertScreen::kHFreColumn);
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &backspace);
        QKeyEvent nine(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, "9");
        QCoreApplication::sendEvent(grid, &nine);
        EXPECT_EQ(grid->item(2, 4)->text(), "689");
        dialog.button("Write")->click();
        EXPECT_EQ(grid->item(2, 6)->text(), " wrt");
        emit grid->horizontalHeader()->sectionClicked(1);
        EXPECT_EQ(dialog.modeLabel()->text(), "Select Mode");
        dialog.button("SYNC")->click();
        dialog.reject();
        EXPECT_TRUE(screen.closed());
        return 1;
    });
    ASSERT_TRUE(commands->run(CommandId::Expert));
    EXPECT_EQ(protocol->memory(2, 0x73) * 256 + protocol->memory(2, 0x74), 689);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Select Mode !"});
}

TEST_F(DemoWindow, AboutDialogUnlocksItsDebugControlsByRightClicks) {
    ui.answerModal([this](core::Screen& s) {
        gui::AboutDialog dialog(static_cast<app::AboutBox&>(s));
        dialog.show();
        EXPECT_EQ(dialog.versionLabel()->text(), "PELARO Version 1.0 demo");
        EXPECT_FALSE(dialog.debugButton()->isVisible());
        QMouseEvent left(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(dialog.area(1), &left);
        EXPECT_TRUE(dialog.area(1)->isVisible());
        for (int i : {1, 0}) {
            QMouseEvent right(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::RightButton,
                              Qt::RightButton, Qt::NoModifier);
            QCoreApplication::sendEvent(dialog.area(i), &right);
            EXPECT_FALSE(dialog.area(i)->isVisible());
        }
        EXPECT_TRUE(dialog.debugButton()->isVisible());
        EXPECT_EQ(dialog.debugButton()->text(), "Debug OFF");
        EXPECT_EQ(dialog.logButton()->text(), "Log close ");
        dialog.debugButton()->click();
        EXPECT_EQ(dialog.debugButton()->text(), "Debug ON");
        dialog.accept();
        EXPECT_TRUE(s.closed());
        return 1;
    });
    gui::MainWindow window(*commands);
    window.action(CommandId::Version)->trigger();
    EXPECT_EQ(state->flags().debugState, 3);
    EXPECT_TRUE(state->flags().debug);
    EXPECT_EQ(sg.showConversion(), 1);
    // The view shows the model file once debug mode is on.
    EXPECT_EQ(commands->mainView().fileLine, "File Name    :VX1700.mdl");
}
