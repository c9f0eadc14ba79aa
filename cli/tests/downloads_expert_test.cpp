// The MPU download, the timing download, the UMT initialisation and the
// expert screen driven by --keys, and info's notices and releases, as
// processes against the simulated monitor on the demo station.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_station.h"
#include "kit/demo_station.h"

using clitest::CliRun;
using clitest::CliStation;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Where the demo's link description puts things (device byte, address);
// per-mode registers take the mode as their device byte.
constexpr uint8_t kGeometry = 0x01, kHSize = 0x00, kContrast = 0x05;
constexpr uint8_t kService = 0x05, kServiceMode = 0x30;
constexpr uint8_t kStatus = 0x07, kNUser = 0x02, kNFact = 0x03;
constexpr uint8_t kModeHSize = 0x60;                                       // the geometry of each mode
constexpr uint8_t kTableSync = 0x70, kTableHPol = 0x71, kTableHFreq = 0x73, kTableVFreq = 0x75;  // the mode table
constexpr int kPresets = 5;

class Downloads : public CliStation {
protected:
    sim::MonitorProtocol& start(const std::string& model, int ecsType) {
        writeProfile(model, ecsType);
        return startMonitor(ecsType, kit::demoMonitorArguments(ecsType));
    }
    static int word(sim::MonitorProtocol& m, uint8_t device, uint8_t address) {
        return m.memory(device, address) * 256 + m.memory(device, static_cast<uint8_t>(address + 1));
    }
};

} // namespace

TEST_F(Downloads, MpuWritesTheModelsDefaultsAndLeavesServiceMode) {
    sim::MonitorProtocol& monitor = start("VX-1700", 1);
    CliRun r = cli({"mpu", "--keys", "Enter,Escape"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.errLines().at(0), "screen: MPU") << r.err;
    EXPECT_EQ(monitor.memory(kGeometry, kHSize), 120);
    EXPECT_EQ(monitor.memory(kGeometry, kContrast), 180);
    for (uint8_t k = 0; k < 4; ++k) EXPECT_EQ(monitor.memory(k, kModeHSize), 120 + k) << int(k);
    EXPECT_EQ(monitor.memory(kService, kServiceMode), 0);

    // Without keys the screen waits for the operator: exit 3, nothing written.
    monitor.setMemory(kGeometry, kHSize, 7);
    r = cli({"mpu"});
    EXPECT_EQ(r.exit, 3) << r.err;
    EXPECT_EQ(monitor.memory(kGeometry, kHSize), 7);
}

TEST_F(Downloads, TimingDownloadFillsTheModeTableInEcsType2) {
    sim::MonitorProtocol& monitor = start("VX-1900S", 2);
    CliRun r = cli({"download-timing", "--keys", "click=Start,click=Close"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(word(monitor, 0, kTableHFreq), 314);  // 640x480@60: 31.469 kHz
    EXPECT_EQ(word(monitor, 0, kTableVFreq), 5994);
    EXPECT_EQ(word(monitor, 1, kTableHFreq), 468);  // 800x600@75: 46.875 kHz, the bias keeps it below
    EXPECT_EQ(monitor.memory(kStatus, kNFact), kPresets);
    EXPECT_EQ(monitor.memory(kStatus, kNUser), kPresets);
    EXPECT_EQ(monitor.memory(kService, kServiceMode), 0);
}

TEST_F(Downloads, UmtInitRewritesTheUmtGroupForEachPresetAndIsRefusedWithoutANumber) {
    sim::MonitorProtocol& monitor = start("VX-1700", 1);
    CliRun r = cli({"umt-init", "--keys", "Enter,Escape"});
    ASSERT_EQ(r.exit, 0) << r.err;
    for (uint8_t k = 0; k < kPresets; ++k) EXPECT_EQ(monitor.memory(k, kModeHSize), 120 + k) << int(k);
    EXPECT_EQ(monitor.memory(kStatus, kNUser), kPresets);

    writeProfile("KR-2100", 1);
    r = cli({"umt-init", "--keys", "Enter,Escape"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_NE(r.err.find("the model KR-2100 has no UMT number 1..30 to initialise"), std::string::npos) << r.err;
}

TEST_F(Downloads, ExpertEditsOneModeOfTheTableAndWritesIt) {
    sim::MonitorProtocol& monitor = start("VX-1700", 1);
    monitor.setMemory(1, kTableSync, 0);
    monitor.setMemory(1, kTableHPol, 0);
    CliRun r = cli({"expert", "--keys", "click=Timing Edit,row=2,click=SYNC,click=Hp,click=Write,Escape"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(monitor.memory(1, kTableSync), 2);  // EXT -> COMP; the second row is mode 1
    EXPECT_EQ(monitor.memory(1, kTableHPol), 1);
    EXPECT_EQ(monitor.memory(kService, kServiceMode), 0);

    // Write with no mode chosen tells the operator: exit 1.
    r = cli({"expert", "--keys", "click=Timing Edit,click=Write,Escape"});
    EXPECT_EQ(r.exit, 1) << r.err;
    EXPECT_NE(r.err.find("Select Mode !"), std::string::npos) << r.err;
}

TEST_F(Downloads, InfoShowsTheNoticesAndTheReleases) {
    writeProfile("VX-1700", 1);
    CliRun r = cli({"info"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> out = r.outLines();
    EXPECT_TRUE(contains(out, "notice  21 VX-1900S             Factory preset is not available for this model."))
        << r.out;
    // Not in the current directory: the one in the program home.
    EXPECT_TRUE(contains(out, "release file: " + home_ + "/pelaro.rls: PELARO RELEASE")) << r.out;
    const auto releases = std::count_if(out.begin(), out.end(), [](const std::string& l) {
        return l.rfind("release ", 0) == 0 && l.rfind("release file:", 0) != 0;
    });
    EXPECT_EQ(releases, 2) << r.out;
    EXPECT_NE(r.out.find("release 1.0 demo"), std::string::npos) << r.out;
}
