// pelaro: the monitor adjustment workstation.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/command_line.h"
#include "app/commands.h"
#include "app/signal_generator_layer.h"
#include "app/state/app_state.h"
#include "gui/gui_clock.h"
#include "gui/main_window.h"
#include "gui/qt_ui.h"
#include "gui/screen_dialogs.h"
#include "siggen/install_drivers.h"
#include "siggen/signal_generator.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    app::CommandLine cl = app::parseCommandLine(args);
    if (cl.help) {
        std::fputs(app::usageText().c_str(), stdout);
        return 0;
    }
    if (cl.version) {
        std::fputs(app::versionText().c_str(), stdout);
        return 0;
    }
    if (!cl.unknown.empty()) {
        std::fprintf(stderr, "pelaro: unknown option %s\n%s", cl.unknown.front().c_str(), app::usageText().c_str());
        return 2;
    }

    QApplication application(argc, argv);
    // The desktop entry and the icon installed with the program.
    QGuiApplication::setDesktopFileName("pelaro");
    QApplication::setWindowIcon(QIcon::fromTheme("pelaro"));
    gui::registerScreenDialogs();
    const std::vector<std::string> missing = gui::kindsWithoutDialog(app::Commands::screenKinds());
    if (!missing.empty()) {
        std::fprintf(stderr, "pelaro: no dialog renders the screen %s\n", missing.front().c_str());
        return 4;
    }

    gui::QtUi ui;
    gui::GuiClock clock;
    appstate::Profile profile;
    // The generator outlives the state, which closes it when destroyed.
    siggen::SignalGenerator generator(ui, clock);
    siggen::installDrivers(generator, cl.home);
    app::SignalGeneratorLayer generatorLayer(generator);
    appstate::AppState state(cl.home, ui, profile, clock);
    state.setGeneratorLayer(&generatorLayer);
    app::Commands commands(state, generator, ui, clock);
    gui::MainWindow window(commands);
    ui.setParent(&window);
    generator.setLog([&window](const std::string& line) { window.statusLog(QString::fromStdString(line)); });
    state.document().addView([&window] { window.showView(); });
    window.statusLog(QString::fromStdString("Home: " + cl.home));
    window.show();
    state.startApplicationState();
    return application.exec();
}
