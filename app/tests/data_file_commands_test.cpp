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
#include "datafiles/data_run.h"
#include "datafiles/viewer_screen.h"
#include "kit/dat_file.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "platform/testing/test_folder.h"
#include "sim/monitor/monitor_behaviour.h"
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
        sim::MonitorBehaviour behaviour;
        std::string error;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(1), &error)) << error;
        behaviour.applyTo(*protocol);
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

// The demo's registers (see kit/demo_station.cpp).
constexpr uint16_t kHSize = 0x0100, kContrast = 0x0105, kUserSave = 0x0200, kAging = 0x0207;
constexpr uint16_t kModeHSize = 0x0500, kModeVPosition = 0x0503;
constexpr uint16_t kColourTemp = 0x0600, kGreenGain = 0x0602, kWhiteSave = 0x0604;

TEST_F(DataStation, SaveLoadAndViewFromTheCommands) {
    EXPECT_TRUE(commands->enabled(CommandId::SaveData));
    EXPECT_TRUE(commands->enabled(CommandId::LoadData));
    protocol->setRegister(kHSize, 77);
    protocol->setRegister(kContrast, 40);

    ui.answerFile(tmp.path() + "/saves/before");
    ui.answerModal({InputEvent::click("Start"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::SaveData));
    EXPECT_EQ(ui.fileChoices().back().title, "Save the data from monitor to File");
    EXPECT_EQ(ui.fileChoices().back().filter, "FILE(*.dat)|*.dat|ALL FILES|*.*||");
    EXPECT_EQ(ui.fileChoices().back().folder, "");  // no "SAVE_PATH" yet
    EXPECT_EQ(profile->getString("SAVE_PATH"), tmp.path() + "/saves");
    // Every group of the demo's standard file, with the values the demo
    // monitor starts with.
    kit::DatWriter expected;
    expected.header("VX-1700", "VX1700.mdl", "VXA.STD");
    expected.label("GEOMETRY");
    for (int v : {77, 0xFA, 120, 4}) expected.value(v);
    expected.label("PICTURE");
    for (int v : {90, 40}) expected.value(v);
    expected.label("SERVICE");
    for (int v : {3, 0, 1}) expected.value(v);  // ABL, Aging skipped, Degauss constant
    expected.label("MODE GEOMETRY");
    for (int k = 0; k < 4; ++k) {
        expected.mode(k);
        for (int v : {124, 30, 116, 20}) expected.value(v + 2 * k);
    }
    expected.label("SP4WHITE");
    for (int temp = 0; temp < 3; ++temp)
        for (int v : {128, 120, 112}) expected.value(v);
    expected.label("POLARITY");
    for (int v : {0, 0}) expected.value(v);  // sync kind and horizontal polarity of the mode shown
    std::vector<uint8_t> saved;
    ASSERT_TRUE(core::readWholeFile(tmp.path() + "/saves/before.dat", saved));
    EXPECT_EQ(saved, expected.bytes());
    EXPECT_EQ(clock.waitsNamed(datafiles::kWaitModeSelector), (std::vector<uint32_t>{2000, 2000, 2000}));
    EXPECT_EQ(protocol->registerValue(kColourTemp), 1);  // the technician's colour temperature again
    EXPECT_EQ(protocol->memory(0x05, 0x30), 0);          // service mode left

    // The board exchange, then the load.
    protocol->setRegister(kHSize, 0);
    protocol->setRegister(kContrast, 0);
    protocol->setRegister(kModeVPosition, 0, 2);
    protocol->setRegister(kGreenGain, 0);
    protocol->setRegister(kAging, 5);
    protocol->setRegister(kUserSave, 9);
    protocol->setRegister(kWhiteSave, 9);
    clock.clearSleeps();
    ui.answerFile(tmp.path() + "/saves/before.dat");
    ui.answerModal({InputEvent::press(Key::Enter), InputEvent::click("Close")});
    ASSERT_TRUE(commands->run(CommandId::LoadData));
    EXPECT_EQ(ui.fileChoices().back().title, "Load the data from File to monitor");
    EXPECT_EQ(ui.fileChoices().back().folder, tmp.path() + "/saves");
    EXPECT_EQ(protocol->registerValue(kHSize), 77);
    EXPECT_EQ(protocol->registerValue(kContrast), 40);
    EXPECT_EQ(protocol->registerValue(kModeVPosition, 2), 24);
    EXPECT_EQ(protocol->registerValue(kModeHSize, 3), 130);
    EXPECT_EQ(protocol->registerValue(kGreenGain), 120);
    EXPECT_EQ(protocol->registerValue(kAging), 5);  // skipped
    EXPECT_EQ(protocol->registerValue(kUserSave), 0);   // committed
    EXPECT_EQ(protocol->registerValue(kWhiteSave), 0);
    EXPECT_EQ(protocol->registerValue(kColourTemp), 1);
    EXPECT_EQ(clock.waitsNamed(datafiles::kWaitCommit), (std::vector<uint32_t>{2000, 1000, 1000, 1000}));

    // The viewer, as the expert screen opens it.
    appstate::ScreenContext context = commands->context();
    ui.answerFile(tmp.path() + "/saves/before.dat");
    std::vector<std::string> groups, picture, modes;
    ui.answerModal([&](core::Screen& s) {
        groups = s.view().lists[0].lines;
        EXPECT_TRUE(s.handle(InputEvent::selectRow(3)));
        picture = s.view().lists[1].lines;
        EXPECT_TRUE(s.handle(InputEvent::selectRow(5)));
        modes = s.view().lists[1].lines;
        s.handle(InputEvent::press(Key::Escape));
        return s.result();
    });
    runViewer(context, *profile);
    EXPECT_EQ(ui.fileChoices().back().folder, tmp.path() + "/saves");
    EXPECT_EQ(groups, (std::vector<std::string>{" === Viewer List === ", " 1:GEOMETRY            ",
                                                " 2:PICTURE             ", " 3:SERVICE             ",
                                                " 4:MODE GEOMETRY       ", " 5:SP4WHITE            ",
                                                " 6:POLARITY            "}));
    // The special group is listed whatever the selection.
    EXPECT_EQ(picture, (std::vector<std::string>{" === Data List === ", "LABEL = PICTURE        ",
                                                 "  1:Brightness     :90    ", "  2:Contrast       :40    ",
                                                 "LABEL = SP4WHITE       "}));
    ASSERT_EQ(modes.size(), 2u + 4 * 5 + 1);
    EXPECT_EQ(modes[1], "LABEL = MODE GEOMETRY  ");
    EXPECT_EQ(modes[17], "Mode = 3    ");
    EXPECT_EQ(modes[18], "M-HSize        :130  ");
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
