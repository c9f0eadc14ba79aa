// pelaro: the monitor adjustment workstation.
#include <QApplication>
#include <cstdio>

#include "app/command_table.h"
#include "app/signal_generator_layer.h"
#include "app/state/app_state.h"
#include "gui/command_line.h"
#include "gui/generator_commands.h"
#include "gui/gui_clock.h"
#include "gui/main_window.h"
#include "gui/qt_ui.h"
#include "gui/state_commands.h"
#include "siggen/pg_driver.h"
#include "siggen/signal_generator.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    gui::CommandLine cl = gui::parseCommandLine(args);
    if (cl.help) {
        std::fputs(gui::usageText().c_str(), stdout);
        return 0;
    }
    if (cl.version) {
        std::fputs(gui::versionText().c_str(), stdout);
        return 0;
    }
    if (!cl.unknown.empty()) {
        std::fprintf(stderr, "pelaro: unknown option %s\n%s", cl.unknown.front().c_str(), gui::usageText().c_str());
        return 2;
    }

    QApplication application(argc, argv);
    app::CommandDispatcher commands;
    gui::MainWindow window(commands);
    gui::QtUi ui(&window);
    gui::GuiClock clock;
    appstate::Profile profile;
    // The generator outlives the state, which closes it when destroyed.
    siggen::SignalGenerator generator(ui, clock);
    siggen::installPgDrivers(generator, siggen::makeGenlinkPgLink());
    app::SignalGeneratorLayer generatorLayer(generator);
    appstate::AppState state(cl.home, ui, profile, clock);
    state.setGeneratorLayer(&generatorLayer);
    gui::StateCommands stateCommands(window, commands, state, ui);
    gui::GeneratorCommands generatorCommands(window, commands, state, generator, ui);
    window.statusLog(QString::fromStdString("Home: " + cl.home));
    window.show();
    state.startApplicationState();
    return application.exec();
}
