#pragma once
// The demo station: fictional models with complete file chains, one link
// description per ECS type (DEMO1.BUS, DEMO2.BUS in the data folder) for the
// simulated monitor to serve, message files, notice and release files.
#include <string>
#include <vector>

#include "kit/model_kit.h"

namespace kit {

// The names of the demo's models, in database order, and their ECS types.
struct DemoModelInfo {
    const char* name;
    const char* modelFile;
    int ecsType;
};
constexpr DemoModelInfo kDemoModels[] = {
    {"VX-1700", "VX1700.mdl", 1},
    {"VX-1900S", "VX1900S.mdl", 2},
    {"KR-2100", "KR2100.mdl", 1},
    {"KR-1500P", "KR1500P.mdl", 2},
};

LinkDescription demoLinkDescription(int ecsType);
// The simulated monitor's behaviour for the demo (pelaro-monitor-sim
// options: status registers, its preset modes, registers preset at start,
// the self-clearing degauss), and the file below the station's home that
// lists them one per line for scripts/demo.
std::vector<std::string> demoMonitorArguments(int ecsType);
std::string demoMonitorArgumentsPath(const std::string& home, int ecsType);
// Writes the whole station below `home`; false when a file cannot be written.
bool writeDemoStation(const std::string& home);

} // namespace kit
