#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdlib>

#include "app/generator_control_screen.h"
#include "app/signal_generator_layer.h"
#include "app/state/app_state.h"
#include "gui/generator_control_dialog.h"
#include "gui/main_window.h"
#include "gui/qt_ui.h"
#include "gui/screen_dialogs.h"
#include "gui/tests/test_application.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"

namespace {

// The whole program's wiring on the demo station, with ports that do not exist.
struct Program {
    kit::TempFolder tmp{"gui-sg"};
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<gui::QtUi> ui;
    platform::FakeClock clock;
    std::unique_ptr<siggen::SignalGenerator> generator;
    std::unique_ptr<app::SignalGeneratorLayer> layer;
    std::unique_ptr<appstate::AppState> state;
    std::unique_ptr<app::Commands> commands;
    std::unique_ptr<gui::MainWindow> window;

    explicit Program(int kind) {
        gui::testApplication();
        EXPECT_TRUE(kit::writeDemoStation(tmp.path()));
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        EXPECT_TRUE(kit::writeFile(tmp.file("comports.ini"),
                                   std::string("[COM]\nCOM1=/dev/pelaro-none1\nCOM2=/dev/pelaro-none2\n")));
        setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
        const std::string path = tmp.path() + "/config/pelaro/pelaro.ini";
        EXPECT_TRUE(kit::writeFile(path, "[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=1\nSG_NAME=" +
                                             std::to_string(kind) +
                                             "\nSG_PORT=2\nPREV_QX=VX-1700\nPREV_file=VX1700.mdl\n"));
        profile = std::make_unique<appstate::Profile>(path);
        gui::registerScreenDialogs();
        ui = std::make_unique<gui::QtUi>();
        generator = std::make_unique<siggen::SignalGenerator>(*ui, clock);
        layer = std::make_unique<app::SignalGeneratorLayer>(*generator);
        state = std::make_unique<appstate::AppState>(tmp.path(), *ui, *profile, clock);
        state->setGeneratorLayer(layer.get());
        commands = std::make_unique<app::Commands>(*state, *generator, *ui, clock);
        window = std::make_unique<gui::MainWindow>(*commands);
        ui->setParent(window.get());
        generator->setLog([this](const std::string& line) { window->statusLog(QString::fromStdString(line)); });
        state->startApplicationState();
    }
    ~Program() {
        window.reset();
        commands.reset();
        state.reset();  // closes the generator
    }
};

} // namespace

TEST(GeneratorCommand, F6OpensTheControlScreenForTheCurrentModel) {
    Program p(0);
    QAction* command = p.window->action(app::CommandId::GeneratorControl);
    ASSERT_TRUE(command->isEnabled());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<gui::GeneratorControlDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->modelField()->text(), "VX-1700");
        EXPECT_GT(dialog->timingList()->count(), 0);
        dialog->patternGroup()->button(3)->click();
        // The demo's generator kind has no driver yet: the status bar says so.
        EXPECT_EQ(p.window->statusBar()->currentMessage(),
                  "SG PG-301: no driver for this generator kind in this build; timing and pattern not sent");
        dialog->okButton()->click();
    });
    command->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(p.generator->selection().pattern, 0);  // OK reset the generator
}

TEST(GeneratorCommand, ManualKindShowsTheNoticeOnly) {
    Program p(8);
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->accept();
    });
    p.window->action(app::CommandId::GeneratorControl)->trigger();
    EXPECT_EQ(text.toStdString(), app::kManualModeNotice);
}
