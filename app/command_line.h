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

CommandLine parseCommandLine(std::vector<std::string> args);
std::string usageText();
std::string versionText();

} // namespace app
