// What the simulators read besides the host's bytes: the simulated monitor's
// options (the demo station's argument file, one option or value a line),
// the generators' state file with their output timing, which sets the
// monitor's status registers, and the program text from which the pattern
// generator takes that timing.
//
// Input: the options (a part), the state file (a part; absent: no file),
// then the program text.
#include <string>
#include <utility>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/scratch.h"
#include "kit/demo_station.h"
#include "sim/monitor/link_file.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/patgen/output_timing.h"

namespace {

std::vector<std::string> lines(const fuzz::Bytes& b) {
    std::vector<std::string> out;
    std::string line;
    for (uint8_t c : b) {
        if (c == '\n') {
            out.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) out.push_back(line);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const sim::LinkTables tables = kit::demoLinkDescription(1);
    fuzz::Input in(data, size);
    sim::MonitorBehaviour behaviour;
    std::string error;
    const std::optional<fuzz::Bytes> options = in.part();
    if (options) behaviour.parse(lines(*options), &error);
    fuzz::placeFile("output-timing.ini", in.part());
    const fuzz::Bytes program = in.rest();
    sim::programOutputTiming(std::string(program.begin(), program.end()));

    sim::SignalStatus signal(behaviour.status, behaviour.modes);
    const std::string path = fuzz::scratchFolder() + "/output-timing.ini";
    signal.setSource([&path] { return sim::readOutputTiming(path); });
    const std::vector<std::pair<uint16_t, int32_t>> values = signal.registerValues(tables);
    // The mode number, first when there is one, is a preset's index or the first user mode.
    if (behaviour.status.modeNumber != 0 && !values.empty() &&
        (values[0].second < 0 || static_cast<size_t>(values[0].second) > behaviour.modes.size()))
        __builtin_trap();
    return 0;
}
