#include "app/command_line.h"

#include "modeldb/model_database.h"
#include "platform/program_home.h"

#ifndef PELARO_VERSION
#define PELARO_VERSION "0.1.0"
#endif

namespace app {

std::string chooseHome(std::vector<std::string>& args) {
    return platform::chooseProgramHome(args, modeldb::tableInfo(modeldb::Table::Model).fileName);
}

CommandLine parseCommandLine(std::vector<std::string> args) {
    CommandLine cl;
    cl.home = chooseHome(args);
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h")
            cl.help = true;
        else if (a == "--version")
            cl.version = true;
        else if (a.rfind("-platform", 0) == 0 || a.rfind("-style", 0) == 0)
            ++i;  // Qt's own options and their values
        else
            cl.unknown.push_back(a);
    }
    return cl;
}

std::string usageText() {
    return "usage: pelaro [--home DIR] [--help] [--version]\n"
           "\n"
           "  --home DIR   program home: model database, data and message files\n"
           "               (default: $PELARO_HOME, else the program's folder when it\n"
           "               holds a station, else the installed share/pelaro)\n"
           "  --help       show this text\n"
           "  --version    show the version\n"
           "\n"
           "Serial ports COMn map to devices through $COMPORTS or\n"
           "$XDG_CONFIG_HOME/comports.ini ([COM] COM1=/dev/ttyUSB0 ...).\n";
}

std::string versionText() { return std::string("pelaro ") + PELARO_VERSION + "\n"; }

} // namespace app
