// Whole runs of the service screens on the demo station against the
// simulated monitor: the monitor follows the generator's timing and reports
// the mode it selects, as the demo does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/state/app_state.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"
#include "platform/clock.h"
#include "screens/factory_preset.h"
#include "screens/failure_screen.h"
#include "screens/maintenance_screen.h"
#include "siggen/signal_generator.h"
#include "siggen/recording_driver.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

using namespace screens;
using core::InputEvent;
using core::Key;

namespace {

// What a generator puts out for a timing record, as the monitor sees it.
sim::OutputTiming outputOf(const siggen::SgTiming& t) {
    sim::OutputTiming o;
    o.hKHz = t.hFrequency / 1000.0;
    o.vHz = t.vFrequency;
    o.hPositive = t.hPolarity == 0;
    o.vPositive = t.vPolarity == 0;
    o.sync = t.syncComposite == 1 ? sim::OutputTiming::Sync::Composite
             : t.syncOnGreen == 1 ? sim::OutputTiming::Sync::Green
                                  : sim::OutputTiming::Sync::Separate;
    return o;
}

class SignalDriver : public siggen::SgDriver {
public:
    SignalDriver(siggen::DriverLog& log, std::shared_ptr<sim::SignalStatus> signal) : recorder_(log), signal_(signal) {}
    void open(siggen::SignalGenerator&) override {}
    void apply(siggen::SignalGenerator& sg) override {
        signal_->setTiming(outputOf(sg.timing()));
        recorder_.apply(sg);
    }
    void close(siggen::SignalGenerator&) override {}

private:
    siggen::RecordingDriver recorder_;
    std::shared_ptr<sim::SignalStatus> signal_;
};

class DemoRun : public ::testing::TestWithParam<int> {
protected:
    kit::TempFolder tmp{"screens-demo"};
    std::string home = tmp.path() + "/home";
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::shared_ptr<sim::SignalStatus> signal;
    std::unique_ptr<sim::SimMonitor> monitor;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<appstate::AppState> state;
    std::unique_ptr<appstate::ScreenContext> context;

    void SetUp() override {
        const int ecsType = GetParam();
        ASSERT_TRUE(kit::writeDemoStation(home));
        sim::LinkTables tables;
        ASSERT_TRUE(sim::readLinkFile(home + "/data/DEMO" + std::to_string(ecsType) + ".BUS", tables));
        protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), ecsType);
        sim::MonitorBehaviour behaviour;
        std::string error;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(ecsType), &error)) << error;
        signal = behaviour.applyTo(*protocol);
        ASSERT_TRUE(signal);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "screens-demo-" + std::to_string(ecsType));

        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        state = std::make_unique<appstate::AppState>(home, ui, *profile, clock);
        state->startApplicationState();
        modeldb::ModelSelection selection(home, ui, *state);
        selection.open();
        for (int r = 1; r <= selection.entryCount(); ++r)
            if (selection.records()[r - 1].comTypeCode == ecsType) {
                selection.selectModel(r);
                break;
            }
        ASSERT_EQ(state->link().ecsType(), ecsType);
        sg.installDriver(0, std::make_unique<SignalDriver>(driver, signal));
        sg.SgSelect(0, 2, 0);
        context = std::make_unique<appstate::ScreenContext>(appstate::ScreenContext{
            state->document().data(), state->link(), sg, ui, clock, state->flags(), state->modelName(), home});
        ui.clear();
    }
};

} // namespace

TEST_P(DemoRun, FactoryPresetAdjustsTheModeTheMonitorRecognises) {
    FactoryPreset s(*context);
    ASSERT_TRUE(s.open());
    ASSERT_EQ(s.rows().size(), 5u);
    s.handle(InputEvent::charKey('2', true));
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
    ASSERT_TRUE(s.adjusting());
    EXPECT_EQ(s.status().mode, "2    ");
    EXPECT_EQ(s.status().hFrequency, "+46.90[KHz]");
    EXPECT_EQ(s.status().vFrequency, "+75.00[Hz]");
    EXPECT_EQ(s.status().sync, "Ext");
    EXPECT_EQ(s.sliders().slider(0).valueText, "128  ");
    EXPECT_EQ(s.sliders().slider(1).valueText, "-6   ");

    s.handle(InputEvent::charKey('W', true));
    s.handle(InputEvent::typed("-20"));
    s.handle(InputEvent::press(Key::Enter));
    EXPECT_EQ(static_cast<int8_t>(protocol->registerValue(0x0101)), -20);
    ui.answerYesNo(true);
    // The fifth timing is the monitor's sixth mode.
    s.handle(InputEvent::charKey('5', true));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"The monitor has selected mode 6 instead of 5."});
    EXPECT_FALSE(s.adjusting());
    s.handle(InputEvent::click("Restore"));
    s.handle(InputEvent::press(Key::Escape));
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(protocol->registerValue(0x0002), 0);  // service mode left
    EXPECT_EQ(clock.waitsNamed(kRestorePowerOffWait).size(), GetParam() == 2 ? 1u : 0u);
}

TEST_P(DemoRun, MaintenanceReadsTheIdentifiersAndSwitchesTheMonitor) {
    MaintenanceScreen s(*context);
    ASSERT_TRUE(s.open());
    EXPECT_EQ(s.monitorIdText(), "Monitor ID : 1A2B");
    EXPECT_EQ(s.factoryIdText(), "Factory ID : VX17A259");
    EXPECT_EQ(s.powerCaption(), "POWER OFF");
    s.handle(InputEvent::click("Degauss"));
    EXPECT_EQ(protocol->registerValue(0x0206), 0);  // carried out and cleared
    s.handle(InputEvent::click("Aging ON"));
    EXPECT_EQ(s.agingCaption(), "Aging OFF");
    EXPECT_EQ(protocol->registerValue(0x0207), 1);
    s.handle(InputEvent::click("POWER OFF"));
    EXPECT_EQ(s.powerCaption(), "POWER ON");
    EXPECT_EQ(protocol->registerValue(0x0004), 0);
    s.handle(InputEvent::press(Key::Escape));
    EXPECT_EQ(protocol->registerValue(0x0207), 0);  // aging off on the way out
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
}

TEST_P(DemoRun, FailureListsThePresetBitsAndRefreshClearsThem) {
    FailureScreen s(*context);
    ASSERT_TRUE(s.open());
    const std::vector<std::string> before = s.lines();
    ASSERT_EQ(before.size(), 10u);
    EXPECT_EQ(before[1], "H-Deflection     : Error ");
    EXPECT_EQ(before[3], "High Voltage     : Error ");
    EXPECT_EQ(before[9], "Fan              : Error ");
    s.handle(InputEvent::click("Refresh"));
    for (size_t i = 0; i + 1 < s.lines().size(); ++i)
        EXPECT_EQ(s.lines()[i].find("Error"), std::string::npos) << s.lines()[i];
    EXPECT_EQ(s.lines().back(), "=== Refresh done ===");
    EXPECT_EQ(protocol->registerValue(0x0004), 1);  // powered up again
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, DemoRun, ::testing::Values(1, 2));
