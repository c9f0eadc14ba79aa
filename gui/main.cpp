// pelaro: the monitor adjustment workstation.
#include <QApplication>
#include <cstdio>

#include "app/command_table.h"
#include "gui/command_line.h"
#include "gui/main_window.h"
#include "gui/qt_ui.h"

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
    window.statusLog(QString::fromStdString("Home: " + cl.home));
    window.show();
    return application.exec();
}
