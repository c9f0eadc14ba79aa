#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <set>

#include "app/configuration_screen.h"
#include "app/generator_control_screen.h"
#include "gui/gui_clock.h"
#include "gui/screen_dialogs.h"
#include "modeldb/model_selection.h"
#include "platform/pseudo_terminal.h"
#include "platform/serial_port.h"
#include "screens/factory_preset.h"
#include "screens/failure_screen.h"
#include "screens/maintenance_screen.h"
#include "procedure/procedure_runner.h"
#include "procedure/procedure_select.h"

namespace {

TEST(ScreenDialogs, EveryScreenTheCommandsOpenHasADialogThatOpens) {
    gui::TestStation station;
    station.state->startApplicationState();
    station.ui.clear();
    gui::registerScreenDialogs();
    EXPECT_TRUE(gui::kindsWithoutDialog(app::Commands::screenKinds()).empty());

    appstate::ScreenContext context = station.commands.context();
    modeldb::ModelSelection selection(station.tmp.path(), station.ui, *station.state);
    app::ConfigurationScreen configuration(*station.state, station.ui);
    app::GeneratorControlScreen control(context);
    app::AppliancePanel panel(context);
    // The service screens render before they open (the station's monitor
    // port leads nowhere).
    screens::FactoryPreset preset(context);
    screens::MaintenanceScreen maintenance(context);
    screens::FailureScreen failure(context);
    procedure::NoStepRunner runner;
    procedure::ProcedureSelect procedures(context, procedure::kAdjustmentList, runner);  // not opened: no monitor
    selection.open();
    configuration.open();
    control.open();
    panel.open();
    std::set<std::string> opened;
    for (core::Screen* screen : std::initializer_list<core::Screen*>{&selection, &configuration, &control, &panel,
                                                                     &preset, &maintenance, &failure, &procedures}) {
        QDialog* dialog = gui::makeScreenDialog(*screen, nullptr);
        ASSERT_NE(dialog, nullptr) << screen->kind();
        dialog->show();
        EXPECT_TRUE(dialog->isVisible());
        delete dialog;
        opened.insert(screen->kind());
    }
    // A new kind of screen needs its line above.
    EXPECT_EQ(opened, std::set<std::string>(app::Commands::screenKinds().begin(), app::Commands::screenKinds().end()));
    EXPECT_FALSE(gui::kindsWithoutDialog({"NoSuchScreen"}).empty());
}

TEST(GuiClock, TheEventLoopRunsWhileASerialLineIsSilent) {
    gui::testApplication();
    auto pty = platform::PseudoTerminal::open();
    ASSERT_TRUE(pty);
    gui::GuiClock clock;
    auto port = platform::openSerialPort(pty->slavePath(), nullptr, &clock);
    ASSERT_TRUE(port);
    port->setTimeouts({300, 0, 300, 0, 0});
    bool fired = false;
    QTimer::singleShot(50, [&] { fired = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    uint8_t byte = 0;
    EXPECT_EQ(port->read(&byte, 1), 0u);
    EXPECT_GE(elapsed.elapsed(), 280);
    EXPECT_TRUE(fired);  // a timer of the window fired during the wait
}

} // namespace
