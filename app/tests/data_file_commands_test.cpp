// The File menu's data commands and the viewer on the demo station, with
// the simulated monitor on the monitor port: the choosers start in the
// profile's "SAVE_PATH" and keep the folder chosen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/commands.h"
#include "app/data_file_commands.h"
#include "app/signal_generator_layer.h"
#include "core/record_io.h"
#include "core/test_ui.h"
#include "datafiles/viewer_screen.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "platform/testing/test_folder.h"
#include "sim/monitor/sim_monitor.h"

using namespace app;
using core::InputEvent;
using core::Key;

namespace {

struct DataStation : ::testing::Test {
    kit::TempFolder tmp{"data-commands"};
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

    void SetUp() override {
        ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
        protocol = std::make_shared<sim::MonitorProtocol>(kit::demoLinkDescription(1), 1);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "data-commands-" + std::to_string(getpid()));
        config = std::make_unique<platform::testing::ScopedEnv>("XDG_CONFIG_HOME", tmp.path() + "/config");
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        ports = std::make_unique<platform::testing::ScopedEnv>("COMPORTS", tmp.file("comports.ini"));
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini",
                                   std::string("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=1\nSG_NAME=0\nSG_PORT=2\n"
                                               "PREV_QX=VX-1700\nPREV_file=VX1700.mdl\n")));
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        state = std::make_unique<appstate::AppState>(tmp.path(), ui, *profile, clock);
        state->setGeneratorLayer(&layer);
        state->startApplicationState();
        commands = std::make_unique<Commands>(*state, sg, ui, clock);
        ui.clear();
    }
};

TEST_F(DataStation, SaveLoadAndViewFromTheCommands) {
    EXPECT_TRUE(commands->enabled(CommandId::SaveData));
    EXPECT_TRUE(commands->enabled(CommandId::LoadData));
    protocol->setMemory(0x01, 0x00, 77);  // H-Size
    protocol->setMemory(0x01, 0x05, 40);  // Contrast

    ui.answerFile(tmp.path() + "/saves/before");
    ui.answerModal({InputEvent::click("Start"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::SaveData));
    EXPECT_EQ(ui.fileChoices().back().title, "Save the data from monitor to File");
    EXPECT_EQ(ui.fileChoices().back().folder, "");  // no "SAVE_PATH" yet
    EXPECT_EQ(profile->getString("SAVE_PATH"), tmp.path() + "/saves");
    std::vector<uint8_t> saved;
    ASSERT_TRUE(core::readWholeFile(tmp.path() + "/saves/before.dat", saved));
    EXPECT_EQ(saved.size(), 48u + 3 * 16 + 6 * 7 + 4 * (16 + 4 * 7));  // GEOMETRY, PICTURE, USER MODES in 4 modes
    EXPECT_EQ(protocol->memory(0x05, 0x30), 0);       // service mode left

    // The board exchange, then the load.
    protocol->setMemory(0x01, 0x00, 0);
    protocol->setMemory(0x01, 0x05, 0);
    ui.answerFile(tmp.path() + "/saves/before.dat");
    ui.answerModal({InputEvent::press(Key::Enter), InputEvent::click("Close")});
    ASSERT_TRUE(commands->run(CommandId::LoadData));
    EXPECT_EQ(ui.fileChoices().back().title, "Load the data from File to monitor");
    EXPECT_EQ(ui.fileChoices().back().folder, tmp.path() + "/saves");
    EXPECT_EQ(protocol->memory(0x01, 0x00), 77);
    EXPECT_EQ(protocol->memory(0x01, 0x05), 40);

    // The viewer, as the expert screen opens it.
    appstate::ScreenContext context = commands->context();
    ui.answerFile(tmp.path() + "/saves/before.dat");
    std::vector<std::string> shown;
    ui.answerModal([&](core::Screen& s) {
        EXPECT_TRUE(s.handle(InputEvent::selectRow(3)));
        shown = s.view().lists[1].lines;
        s.handle(InputEvent::press(Key::Escape));
        return s.result();
    });
    runViewer(context, *profile);
    EXPECT_EQ(ui.fileChoices().back().folder, tmp.path() + "/saves");
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1], "LABEL = PICTURE        ");
    EXPECT_EQ(shown[3], "  2:Contrast       :40    ");
    EXPECT_EQ(ui.modalKinds(), (std::vector<std::string>{datafiles::SaveDataScreen::kKind,
                                                         datafiles::LoadDataScreen::kKind,
                                                         datafiles::ViewerScreen::kKind}));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(DataStation, ACancelledChooserOpensNothingAndLeavesServiceMode) {
    ui.answerFile(std::nullopt);
    ASSERT_TRUE(commands->run(CommandId::LoadData));
    EXPECT_TRUE(ui.modalKinds().empty());
    EXPECT_EQ(protocol->memory(0x05, 0x30), 0);
    EXPECT_EQ(profile->getString("SAVE_PATH"), "");
}

} // namespace
