// The File menu's "&MPU" and "&UMT Init" and the timing download command on
// the demo station, with the simulated monitor on the monitor port: each
// does visible work in the monitor's memory and leaves service mode.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/signal_generator_layer.h"
#include "core/test_ui.h"
#include "datafiles/download_screens.h"
#include "datafiles/timing_download.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "platform/testing/test_folder.h"
#include "sim/monitor/sim_monitor.h"

using namespace app;
using core::InputEvent;
using core::Key;

namespace {

// Where the demo's link description puts things (device byte, address).
constexpr uint8_t kServiceDevice = 0x05, kServiceMode = 0x30, kUserSave = 0x40, kServiceSave = 0x44;
constexpr uint8_t kStatusDevice = 0x07, kNUser = 0x02, kNFact = 0x03;
constexpr uint8_t kTableSync = 0x70, kTableHFrequency = 0x73, kTableVFrequency = 0x75, kModeHSize = 0x60;

struct DownloadStation : ::testing::Test {
    kit::TempFolder tmp{"download-commands"};
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    SignalGeneratorLayer layer{sg};
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::unique_ptr<sim::SimMonitor> monitor;
    std::unique_ptr<platform::testing::ScopedEnv> config, ports;
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<appstate::AppState> state;
    std::unique_ptr<Commands> commands;

    void start(const std::string& model, const std::string& file, int type) {
        ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
        protocol = std::make_shared<sim::MonitorProtocol>(kit::demoLinkDescription(type), type);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "download-commands-" + std::to_string(getpid()));
        config = std::make_unique<platform::testing::ScopedEnv>("XDG_CONFIG_HOME", tmp.path() + "/config");
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        ports = std::make_unique<platform::testing::ScopedEnv>("COMPORTS", tmp.file("comports.ini"));
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini",
                                   "[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=" + std::to_string(type) +
                                       "\nSG_NAME=0\nSG_PORT=2\nPREV_QX=" + model + "\nPREV_file=" + file + "\n"));
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        state = std::make_unique<appstate::AppState>(tmp.path(), ui, *profile, clock);
        state->setGeneratorLayer(&layer);
        state->startApplicationState();
        commands = std::make_unique<Commands>(*state, sg, ui, clock);
        ui.clear();
    }
    int presets() { return state->document().data().image.presetCount; }
    int word(uint8_t device, uint8_t address) {
        return protocol->memory(device, address) * 256 + protocol->memory(device, static_cast<uint8_t>(address + 1));
    }
};

TEST_F(DownloadStation, MpuWritesTheModelsDefaultsIntoTheDemoMonitor) {
    start("VX-1700", "VX1700.mdl", 1);
    ASSERT_TRUE(commands->enabled(CommandId::Mpu));
    protocol->setMemory(0x01, 0x00, 0);
    ui.answerModal({InputEvent::click("Start"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::Mpu));
    EXPECT_EQ(ui.modalKinds(), std::vector<std::string>{datafiles::MpuScreen::kKind});
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(protocol->memory(0x01, 0x00), 120);  // H-Size from MPU_DATA 0
    EXPECT_EQ(protocol->memory(0x01, 0x05), 180);  // Contrast from MPU_DATA 1
    for (uint8_t k = 0; k < 4; ++k) EXPECT_EQ(protocol->memory(k, kModeHSize), 120 + k) << int(k);  // MODE GEOMETRY
    EXPECT_EQ(protocol->memory(kServiceDevice, kServiceMode), 0);  // service mode left
}

TEST_F(DownloadStation, TimingDownloadFillsTheMonitorsTimingTable) {
    start("VX-1900S", "VX1900S.mdl", 2);
    protocol->setMemory(kServiceDevice, kServiceSave, 9);
    ui.answerModal({InputEvent::press(Key::Enter), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::TimingDownload));
    EXPECT_EQ(ui.modalKinds(), std::vector<std::string>{datafiles::TimingDownloadScreen::kKind});
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(word(0, kTableHFrequency), 314);  // 640x480@60
    EXPECT_EQ(word(0, kTableVFrequency), 5994);
    const auto& image = state->document().data().image;
    for (int k = 0; k < presets(); ++k) {
        const auto values = datafiles::timingTableValues(image.presets[static_cast<size_t>(k)]);
        EXPECT_EQ(protocol->memory(static_cast<uint8_t>(k), kTableSync), values[0]);
        EXPECT_EQ(word(static_cast<uint8_t>(k), kTableVFrequency), values[4]) << k;
    }
    EXPECT_EQ(protocol->memory(kStatusDevice, kNFact), presets());
    EXPECT_EQ(protocol->memory(kStatusDevice, kNUser), presets());
    EXPECT_EQ(protocol->memory(kServiceDevice, kServiceSave), 0);  // stored
    EXPECT_EQ(protocol->memory(kServiceDevice, kServiceMode), 0);
}

TEST_F(DownloadStation, UmtInitResetsTheUserModesForEachPreset) {
    start("VX-1700", "VX1700.mdl", 1);
    ASSERT_TRUE(commands->enabled(CommandId::UmtInit));
    protocol->setMemory(kServiceDevice, kUserSave, 9);
    ui.answerModal({InputEvent::click("Start"), InputEvent::click("Close")});
    ASSERT_TRUE(commands->run(CommandId::UmtInit));
    EXPECT_EQ(ui.modalKinds(), std::vector<std::string>{datafiles::UmtInitScreen::kKind});
    EXPECT_TRUE(ui.messages().empty());
    for (int k = 0; k < presets(); ++k)
        EXPECT_EQ(protocol->memory(static_cast<uint8_t>(k), kModeHSize), 120 + k) << k;
    EXPECT_EQ(protocol->memory(static_cast<uint8_t>(presets()), kModeHSize), 0);  // beyond the presets
    EXPECT_EQ(protocol->memory(kServiceDevice, kUserSave), 0);  // the group's commit
    EXPECT_EQ(protocol->memory(kStatusDevice, kNUser), presets());
}

TEST_F(DownloadStation, AModelWithoutUmtNumberCannotInitialise) {
    start("KR-2100", "KR2100.mdl", 1);
    EXPECT_EQ(state->modelName(), "KR-2100");
    EXPECT_FALSE(commands->enabled(CommandId::UmtInit));
    EXPECT_FALSE(commands->run(CommandId::UmtInit));
    EXPECT_TRUE(commands->enabled(CommandId::Mpu));
}

} // namespace
