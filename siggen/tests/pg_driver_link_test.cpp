// The driver through the generator-link library to the simulated generator
// on a pseudo-terminal: what the generator stored is read from its log.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/fake_ui.h"
#include "platform/clock.h"
#include "siggen/pg_driver.h"
#include "siggen/signal_generator.h"
#include "setstore.h"
#include "platform/testing/test_folder.h"

using namespace siggen;

namespace {

class SimProcess {
public:
    explicit SimProcess(const std::string& log) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            std::freopen(log.c_str(), "w", stderr);
            close(out[0]);
            close(out[1]);
            execl(PATGEN_SIM, PATGEN_SIM, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        FILE* in = fdopen(out[0], "r");
        char line[256] = {};
        if (in && std::fgets(line, sizeof line, in)) path_ = std::string(line, std::strcspn(line, "\n"));
        if (in) std::fclose(in);
    }
    ~SimProcess() {
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

TEST(PgDriverLink, TimingAndPatternReachTheSimulatedGenerator) {
    platform::testing::TestFolder folder;
    const std::string instance = "pgdriver-" + std::to_string(getpid());
    platform::testing::ScopedEnv config("XDG_CONFIG_HOME", folder.path());
    platform::testing::ScopedEnv store("SETSTORE_INSTANCE", instance);
    platform::testing::ScopedEnv lock("GENLINK_INSTANCE", instance);
    SimProcess sim(folder.file("sim.log"));
    ASSERT_FALSE(sim.path().empty());
    folder.write("comports.ini", "[COM]\nCOM2=" + sim.path() + "\n");
    platform::testing::ScopedEnv ports("COMPORTS", folder.file("comports.ini"));

    // The protocol time-outs the generator's set-up tools leave in the store.
    ASSERT_EQ(REG_Init(), 0);
    ASSERT_EQ(REG_WriteTimeoutByte(50), 0);
    ASSERT_EQ(REG_WriteTimeoutCmdACK(500), 0);
    ASSERT_EQ(REG_WriteTimeoutDataACK(500), 0);
    ASSERT_EQ(REG_WriteTimeout(1000), 0);

    core::FakeUi ui;
    platform::FakeClock clock;
    SignalGenerator sg(ui, clock);
    sg.SgSelect(0, 2, 0);
    sg.timing() = defaultSgTiming();
    PgDriver driver(makeGenlinkPgLink());
    driver.open(sg);
    ASSERT_TRUE(ui.messages().empty()) << ui.messages().front();
    sg.selection() = {kPatternCrosshatch, kColourAll, 1};
    EXPECT_EQ(driver.PgApply(sg), 0);
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();

    // Through the generator layer, as the control screen changes them.
    installPgDrivers(sg, makeGenlinkPgLink());
    EXPECT_TRUE(sg.selectPattern(kPatternWhite));
    modeldb::SgTiming other = defaultSgTiming();
    other.vTotal = 628, other.vActive = 600;
    sg.applyTiming(other);
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();

    REG_Terminate();
    const std::string log = folder.read("sim.log");
    EXPECT_NE(log.find("stored group:00002 (8) \"127F1416\""), std::string::npos) << log;
    EXPECT_NE(log.find("stored signon: (5) \"^_`Pb\""), std::string::npos) << log;
    EXPECT_NE(log.find(",0000628"), std::string::npos) << log;
    EXPECT_NE(log.find("command 0x5D \"000\""), std::string::npos) << "log:\n" << log;
    EXPECT_NE(log.find("stored program2:000 (250) \"002517317725420381019000000000,0000525020000000003304800000000000,"), std::string::npos) << log;
    EXPECT_NE(log.find("stored group:00003 (8) \"00640064\""), std::string::npos) << log;
    EXPECT_NE(log.find("stored signon: (6) \"^_`QUb\""), std::string::npos) << log;
    EXPECT_NE(log.find("stored select:000 (3) \"^_`\""), std::string::npos) << log;
}
