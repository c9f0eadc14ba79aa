// The demo station against the simulated monitor: each ECS type's link
// description is served, and a selected model talks to the monitor.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/state/app_state.h"
#include "core/fake_ui.h"
#include "core/result_codes.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "link/service_lists.h"
#include "modeldb/model_selection.h"
#include "platform/clock.h"
#include "sim/monitor/sim_monitor.h"

namespace {

class DemoMonitor : public ::testing::TestWithParam<int> {};

TEST_P(DemoMonitor, SelectedModelEntersServiceModeAndReadsRegisters)
{
    const int ecsType = GetParam();
    kit::TempFolder tmp{"demo-monitor"};
    const std::string home = tmp.path() + "/home";
    ASSERT_TRUE(kit::writeDemoStation(home));
    sim::LinkTables tables;
    ASSERT_TRUE(sim::readLinkFile(home + "/data/DEMO" + std::to_string(ecsType) + ".BUS", tables));
    auto protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), ecsType);
    protocol->setMemory(0x01, 0x00, 77);  // H-Size
    std::string name = "demo-monitor-" + std::to_string(reinterpret_cast<uintptr_t>(&tmp));
    sim::SimMonitor monitor(protocol, name);

    setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
    ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor.portName() + "\n"));
    setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);

    core::FakeUi ui;
    ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; });
    platform::FakeClock clock;
    appstate::Profile profile(tmp.path() + "/config/pelaro/pelaro.ini");
    appstate::AppState state(home, ui, profile, clock);
    state.startApplicationState();
    ui.clear();

    modeldb::ModelSelection screen(home, ui, state);
    screen.open();
    int row = 0;
    for (int r = 1; r <= screen.entryCount(); ++r)
        if (screen.records()[r - 1].comTypeCode == ecsType) row = r;
    ASSERT_GT(row, 0);
    screen.selectModel(row);
    ASSERT_TRUE(ui.messages().empty());

    const modeldb::ChassisRecord& chassis = state.document().chassis();
    const ecs::ChassisSequences& seq = chassis.sequences;
    EXPECT_EQ(state.link().serviceEntry(seq), core::ECS_OK);
    EXPECT_FALSE(state.monitorNotConnected());
    EXPECT_EQ(protocol->memory(0x05, 0x30), 1);  // service mode on
    int32_t value = 0;
    EXPECT_EQ(state.link().readRegister(0x0100, value, 1), core::ECS_OK);
    EXPECT_EQ(value, 77);
    EXPECT_EQ(state.link().writeRegister(0x0105, 40, 1), core::ECS_OK);  // Contrast
    EXPECT_EQ(protocol->memory(0x01, 0x05), 40);
    EXPECT_EQ(state.link().serviceExit(seq), core::ECS_OK);
    EXPECT_EQ(protocol->memory(0x05, 0x30), 0);
    EXPECT_TRUE(ui.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, DemoMonitor, ::testing::Values(1, 2));

} // namespace
