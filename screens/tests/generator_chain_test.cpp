// The whole chain of the demo: a timing chosen on the factory preset screen
// goes through the generator link to the simulated generator on a
// pseudo-terminal, which writes it to the shared state file; the simulated
// monitor reads that file and reports the mode it selected.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/state/app_state.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "modeldb/model_selection.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "screens/factory_preset.h"
#include "setstore.h"
#include "siggen/pg_driver.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

namespace {

// The simulated generator as its own process; its first output line is its terminal.
class GeneratorProcess {
public:
    GeneratorProcess(const std::string& log, const std::string& timingFile) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            std::freopen(log.c_str(), "w", stderr);
            close(out[0]);
            close(out[1]);
            execl(PATGEN_SIM, PATGEN_SIM, "--timing-file", timingFile.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        FILE* in = fdopen(out[0], "r");
        char line[256] = {};
        if (in && std::fgets(line, sizeof line, in)) path_ = std::string(line, std::strcspn(line, "\n"));
        if (in) std::fclose(in);
    }
    ~GeneratorProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& path() const { return path_; }

private:
    pid_t pid_ = -1;
    std::string path_;
};

} // namespace

TEST(GeneratorChain, TheChosenTimingReachesTheGeneratorAndTheMonitorReportsItsMode) {
    platform::testing::TestFolder folder;
    const std::string instance = "screens-chain-" + std::to_string(getpid());
    platform::testing::ScopedEnv config("XDG_CONFIG_HOME", folder.path());
    platform::testing::ScopedEnv store("SETSTORE_INSTANCE", instance);
    platform::testing::ScopedEnv lock("GENLINK_INSTANCE", instance);
    const std::string timingFile = folder.file("timing.ini");
    GeneratorProcess generator(folder.file("patgen.log"), timingFile);
    ASSERT_FALSE(generator.path().empty());

    const std::string home = folder.path() + "/home";
    ASSERT_TRUE(kit::writeDemoStation(home));
    sim::LinkTables tables;
    ASSERT_TRUE(sim::readLinkFile(home + "/data/DEMO1.BUS", tables));
    auto protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), 1);
    sim::MonitorBehaviour behaviour;
    ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(1), nullptr));
    behaviour.timingFile = timingFile;
    ASSERT_TRUE(behaviour.applyTo(*protocol));
    sim::SimMonitor monitor(protocol, instance);
    folder.write("comports.ini", "[COM]\nCOM1=" + monitor.portName() + "\nCOM2=" + generator.path() + "\n");
    platform::testing::ScopedEnv ports("COMPORTS", folder.file("comports.ini"));

    ASSERT_EQ(REG_Init(), 0);
    ASSERT_EQ(REG_WriteTimeoutByte(50), 0);
    ASSERT_EQ(REG_WriteTimeoutCmdACK(1000), 0);
    ASSERT_EQ(REG_WriteTimeoutDataACK(1000), 0);
    ASSERT_EQ(REG_WriteTimeout(2000), 0);

    core::TestUi ui;
    platform::FakeClock clock;
    appstate::Profile profile(folder.file("pelaro.ini"));
    appstate::AppState state(home, ui, profile, clock);
    state.startApplicationState();
    modeldb::ModelSelection selection(home, ui, state);
    selection.open();
    selection.selectModel(1);  // VX-1700, ECS type 1
    ASSERT_EQ(state.modelName(), "VX-1700");
    siggen::SignalGenerator sg(ui, clock);
    siggen::installPgDrivers(sg, siggen::makeGenlinkPgLink());
    sg.SgSelect(0, 2, 0);
    sg.SgOpen();
    ui.clear();

    appstate::ScreenContext context{state.document().data(), state.link(), sg, ui, clock, state.flags(),
                                    state.modelName(), home};
    screens::FactoryPreset screen(context);
    ASSERT_TRUE(screen.open());
    screen.handle(core::InputEvent::charKey('3', true));
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
    EXPECT_TRUE(screen.adjusting());
    EXPECT_EQ(screen.status().mode, "3    ");
    EXPECT_EQ(screen.status().hFrequency, "+68.70[KHz]");
    EXPECT_EQ(screen.status().vFrequency, "+85.00[Hz]");
    EXPECT_EQ(screen.status().sync, "Ext");
    screen.handle(core::InputEvent::press(core::Key::Escape));
    REG_Terminate();
    EXPECT_NE(folder.read("patgen.log").find("stored screen:"), std::string::npos);
}
