#pragma once
// The program's options: --home DIR, --help, --version.
#include <string>
#include <vector>

namespace app {

struct CommandLine {
    std::string home;
    bool help = false;
    bool version = false;
    std::vector<std::string> unknown;
};

// The program home of both front ends: "--home DIR" (removed from args), else
// $PELARO_HOME, else the executable's folder when it holds a station (a model
// database), else the installed station folder (share/pelaro).
std::string chooseHome(std::vector<std::string>& args);

CommandLine parseCommandLine(std::vector<std::string> args);
std::string usageText();
std::string versionText();

} // namespace app
