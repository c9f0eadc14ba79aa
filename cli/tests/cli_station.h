#pragma once
// Runs pelaro-cli as a process on a kit-written demo station, with its own
// profile, COM port map and settings store, and the simulated monitor served
// on a pseudo-terminal by this process (so a test sees the monitor's memory
// and every transaction).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/testing/test_folder.h"
#include "sim/monitor/sim_monitor.h"

namespace clitest {

struct CliRun {
    int exit = -1;
    std::string out;
    std::string err;
    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;
};

// Runs `program` with `args` in `folder`, standard input from /dev/null.
CliRun runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& folder);

// The simulated pattern generator (pelaro-patgen-sim) on a pseudo-terminal,
// logging what it receives and stores to a file; `args` are its options
// (--timing-file FILE shares its output timing with the simulated monitor).
class SimulatedGenerator {
public:
    explicit SimulatedGenerator(std::string logPath, std::vector<std::string> args = {});
    ~SimulatedGenerator();
    const std::string& path() const { return path_; }
    std::string log() const;

private:
    int pid_ = -1;
    std::string path_;
    std::string logPath_;
};

class CliStation : public ::testing::Test {
protected:
    CliStation();
    ~CliStation() override;

    // pelaro-cli --home HOME ARGS...
    CliRun cli(std::vector<std::string> args);
    // A profile as pelaro leaves it after choosing `model` (empty: none).
    void writeProfile(const std::string& model, int ecsType, int sgName = 8, int sgPort = 0, int ecsPort = 1);
    std::string profileText() const;
    // Maps COMn to `device` in the port map.
    void mapPort(int n, const std::string& device);
    // Serves the demo's link description of `ecsType` on a pseudo-terminal
    // mapped to COM1; `behaviour` takes the simulator's options beyond plain
    // register memory (status registers, modes, preset registers).
    sim::MonitorProtocol& startMonitor(int ecsType, const std::vector<std::string>& behaviour = {});
    // The generator link's protocol time-outs in the settings store.
    void writeSettingsStore(bool zeroTimeouts = false);

    platform::testing::TestFolder folder_;
    std::string home_;
    platform::testing::ScopedEnv config_;
    platform::testing::ScopedEnv ports_;
    platform::testing::ScopedEnv store_;
    platform::testing::ScopedEnv lock_;
    std::vector<std::pair<int, std::string>> portMap_;
    std::shared_ptr<sim::MonitorProtocol> protocol_;
    std::unique_ptr<sim::MonitorPtyServer> server_;
};

} // namespace clitest
