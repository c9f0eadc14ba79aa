// The command-generator and timing-card drivers through their libraries: the
// simulated generator on a pseudo-terminal and the emulated card take what
// the drivers send and write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/test_ui.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "siggen/qd_driver.h"
#include "siggen/signal_generator.h"
#include "siggen/vtg_driver.h"

using namespace siggen;

namespace {

class QdgenProcess {
public:
    QdgenProcess(const std::string& log, const char* firmware) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            if (!std::freopen(log.c_str(), "w", stderr)) _exit(126);
            close(out[0]);
            close(out[1]);
            execl(QDGEN_SIM, QDGEN_SIM, "--firmware", firmware, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        FILE* in = fdopen(out[0], "r");
        char line[256] = {};
        if (in && std::fgets(line, sizeof line, in)) path_ = std::string(line, std::strcspn(line, "\n"));
        if (in) std::fclose(in);
    }
    ~QdgenProcess() {
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

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

} // namespace

TEST(QdDriverLink, TheSerialGeneratorTakesEveryCommand) {
    platform::testing::TestFolder folder;
    QdgenProcess sim(folder.file("sim.log"), "2.900");
    ASSERT_FALSE(sim.path().empty());
    folder.write("comports.ini", "[COM]\nCOM3=" + sim.path() + "\n");
    platform::testing::ScopedEnv ports("COMPORTS", folder.file("comports.ini"));
    platform::testing::ScopedEnv givenLog("QDMGEN32_LOG", folder.file("given.log"));

    core::TestUi ui;
    platform::FakeClock clock;
    SignalGenerator sg(ui, clock);
    installQdDrivers(sg, makeQdmgen32Link());
    sg.SgSelect(7, 3, 0);
    sg.SgOpen();
    sg.SgResetDefault();
    sg.setSpecialWhite(60, 25);
    EXPECT_TRUE(sg.selectPattern(kPatternSpecialWhite));
    EXPECT_TRUE(sg.selectColour(kColourRG));
    EXPECT_TRUE(sg.selectPattern(kPattern6PercentWhite));
    EXPECT_TRUE(sg.selectInvert(1));
    SgTiming odd = defaultSgTiming();
    odd.mode = 7;
    odd.hTotal = 31.8f;  // 800.6 dots: 801, though the dot clock and line rate give 800
    sg.applyTiming(odd);
    sg.SgClose();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{" Quntum SG can't set the timing ! \nHtot is not even."});

    const std::string log = folder.read("sim.log");
    EXPECT_EQ(count(log, "error"), 0u) << log;
    EXPECT_NE(log.find("in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,1), image Linearty, invert 0"),
              std::string::npos) << log;
    EXPECT_NE(log.find("image FREE_IRE saved: RECT White 320 240 160 120 GrayPat100, levels 0.600 0.600 0.600"),
              std::string::npos) << log;
    EXPECT_NE(log.find("in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,0), image FREE_IRE, invert 0"),
              std::string::npos) << log;
    EXPECT_NE(log.find("image in use: FREE_IRE, invert 1"), std::string::npos) << log;
    EXPECT_NE(log.find("format Mode8 saved: HRAT 31469 HRES 640 HTOT 801"), std::string::npos) << log;
    EXPECT_NE(log.find("reply \"2091\""), std::string::npos) << log;
    EXPECT_EQ(log.find("format Mode8 ("), std::string::npos) << log;  // never put in use
    EXPECT_EQ(count(log, "command \"ALLU \""), 3u) << log;

    // What went out, as given: one line per command, blanks kept.
    const std::string given = folder.read("given.log");
    EXPECT_EQ(given.substr(0, 40), "OUTG 0\nIMGL Linearty\nFMTN Mode2\nFMTB\nHRA");
    EXPECT_EQ(count(given, "\nALLU \n"), 3u);
    EXPECT_EQ(count(given, "\n"), count(log, "command \""));
}

TEST(VtgDriverLink, TheCardTakesTheFilesTheDriverWrites) {
    platform::testing::TestFolder home;
    std::filesystem::create_directory(home.file("Sg"));
    for (const char* name : {"KOV_P1.vtp", "KOV_P8.vtp", "KOV_RGB.vtc", "KOV_IB.vtc"})
        home.write(std::string("Sg/") + name, "VTG-Ver 5.2.0\nready-made\n");
    platform::testing::ScopedEnv log("VTG32_LOG", home.file("vtg.log"));
    platform::testing::ScopedEnv cards("VTG32_CARDS", "1");

    core::TestUi ui;
    platform::FakeClock clock;
    SignalGenerator sg(ui, clock);
    installVtgDrivers(sg, makeVtg32Link(), home.path());
    sg.SgSelect(5, 0, 0);
    sg.SgOpen();
    sg.SgResetDefault();
    SgTiming every = defaultSgTiming();
    every.interlace = 1;
    every.vActive = 240;
    every.syncOnGreen = every.syncComposite = 1;
    every.hPolarity = every.vPolarity = 1;
    sg.applyTiming(every);
    sg.setSpecialWhite(100, 6);
    EXPECT_TRUE(sg.selectPattern(kPatternSpecialWhite));
    sg.selection() = {kPattern54Hatch, kColourB, 1};
    sg.SgApply();
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();

    EXPECT_TRUE(sg.selectPattern(kPatternWhite));  // KOV_P4.vtp is not there
    EXPECT_EQ(ui.messages(), std::vector<std::string>{" VTG File is nothing ! "});
    sg.SgClose();

    const std::string sg_ = home.path() + "/Sg/";
    EXPECT_EQ(home.read("vtg.log"),
              "open 1 1\n"
              "tim " + sg_ + "KOV_VTG.vtt 0\npic " + sg_ + "KOV_P1.vtp 0\ncol " + sg_ + "KOV_RGB.vtc 0\n"
              "tim " + sg_ + "KOV_VTG.vtt 0\npic " + sg_ + "KOV_P1.vtp 0\ncol " + sg_ + "KOV_RGB.vtc 0\n"
              "tim " + sg_ + "KOV_VTG.vtt 0\npic " + sg_ + "KOV_BOX.vtp 0\ncol " + sg_ + "KOV_IRE.vtc 0\n"
              "tim " + sg_ + "KOV_VTG.vtt 0\npic " + sg_ + "KOV_P8.vtp 0\ncol " + sg_ + "KOV_IB.vtc 0\n"
              "tim " + sg_ + "KOV_VTG.vtt 0\npic " + sg_ + "KOV_P4.vtp 1 (missing)\n"
              "close 1 1\n");

    // No card: the open says so, and every apply fails its first load.
    ui.clear();
    platform::testing::ScopedEnv none("VTG32_CARDS", "0");
    sg.SgOpen();
    sg.SgApply();
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{" PG110.120 is NG. Please check condition ! ",
                                                        " VTG File is nothing ! "}));
}
