#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/commands.h"
#include "app/generator_control_screen.h"
#include "app/signal_generator_layer.h"
#include "app/state/service_session.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "procedure/procedure_runner.h"
#include "screen_fixture.h"
#include "screens/factory_preset.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

using namespace app;
using core::InputEvent;
using core::Key;

namespace {

// The program's commands on the demo station; the monitor port leads to a
// simulated monitor serving the ECS type 2 models.
struct Station : ::testing::Test {
    kit::TempFolder tmp{"commands"};
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::unique_ptr<sim::SimMonitor> monitor;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    SignalGeneratorLayer layer{sg};
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<appstate::AppState> state;
    std::unique_ptr<Commands> commands;

    void start(int kind) {
        ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
        sim::LinkTables tables;
        ASSERT_TRUE(sim::readLinkFile(tmp.path() + "/data/DEMO2.BUS", tables));
        protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), 2);
        sim::MonitorBehaviour behaviour;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(2), nullptr));
        behaviour.applyTo(*protocol);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "commands-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini",
                                   "[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=1\nSG_NAME=" + std::to_string(kind) +
                                       "\nSG_PORT=2\nPREV_QX=VX-1700\nPREV_file=VX1700.mdl\n"));
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        sg.installDriver(kind, std::make_unique<siggen::RecordingDriver>(driver));
        state = std::make_unique<appstate::AppState>(tmp.path(), ui, *profile, clock);
        state->setGeneratorLayer(&layer);
        state->startApplicationState();
        commands = std::make_unique<Commands>(*state, sg, ui, clock);
        ui.clear();
    }
};

} // namespace

TEST_F(Station, EveryCommandOpensItsScreenDrivenByInputEventsAlone) {
    start(0);
    std::set<std::string> opened;

    // Model selection: move to row 2, choose it with Enter, leave with Escape.
    ui.answerModal({InputEvent::selectRow(2), InputEvent::press(Key::Enter), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::ModelSelection));
    EXPECT_EQ(state->modelName(), "VX-1900S");
    EXPECT_EQ(state->link().ecsType(), 2);

    // The procedure lists of the chosen model: start its second procedure, then leave.
    struct Runner : procedure::ProcedureRunner {
        std::vector<std::string> names;
        void runProcedure(const procedure::ProcedureChoice& c) override { names.push_back(c.name); }
    } runner;
    commands->setProcedureRunner(&runner);
    ui.answerModal({InputEvent::selectRow(2), InputEvent::press(Key::Enter), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::Procedure));
    ui.answerModal({InputEvent::click("Exit")});
    ASSERT_TRUE(commands->run(CommandId::TouchUp));
    EXPECT_FALSE(commands->enabled(CommandId::DCnv));  // no DCnv procedure in the demo's touch-up list
    EXPECT_EQ(runner.names, std::vector<std::string>{"WHITEBAL"});
    commands->setProcedureRunner(nullptr);
    EXPECT_EQ(protocol->registerValue(0x0002), 0);  // service mode left again
    EXPECT_TRUE(ui.messages().empty());

    // Configuration: focus the generator list, pick "PG-301S", OK.
    ui.answerModal({InputEvent::press(Key::Tab), InputEvent::selectRow(2), InputEvent::click("OK")});
    ASSERT_TRUE(commands->run(CommandId::Configuration));
    EXPECT_EQ(state->generatorKind(), 1);
    EXPECT_EQ(profile->getInt("SG_NAME"), 1);

    // Back to kind 0 with Cancel changing nothing first.
    ui.answerModal({InputEvent::press(Key::Tab), InputEvent::press(Key::Up), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::Configuration));
    EXPECT_EQ(state->generatorKind(), 1);
    ui.answerModal({InputEvent::press(Key::Tab), InputEvent::press(Key::Up), InputEvent::press(Key::Enter)});
    ASSERT_TRUE(commands->run(CommandId::Configuration));
    EXPECT_EQ(state->generatorKind(), 0);

    // Generator control: the second timing, a pattern, then Escape.
    driver = siggen::DriverLog{};
    ui.answerModal({InputEvent::charKey('2'), InputEvent::click("WHITE"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::GeneratorControl));
    ASSERT_EQ(driver.applies(), 3u);
    EXPECT_EQ(driver.timings[0].name, "800x600@75");
    EXPECT_EQ(driver.selections[1].pattern, siggen::kPatternWhite);
    EXPECT_EQ(driver.timings[2].name, "VGA Graphics");  // reset on closing

    // The appliance kind opens its panel instead.
    sg.SgSelect(siggen::kSgKindAppliance, 0, 0);
    ui.answerModal({InputEvent::click("OK")});
    ASSERT_TRUE(commands->run(CommandId::GeneratorControl));
    sg.SgSelect(0, 2, 0);

    // Factory preset: the first timing (the monitor shows mode 1), a slider
    // up, Save, then close.
    ASSERT_TRUE(commands->enabled(CommandId::FactoryPreset));
    ui.answerModal({InputEvent::charKey('1', true), InputEvent::charKey('Q', true), InputEvent::press(Key::Up),
                    InputEvent::click("Save"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::FactoryPreset));
    EXPECT_EQ(protocol->registerValue(0x0100), 129);  // H-Size
    EXPECT_EQ(protocol->registerValue(0x0002), 0);    // service mode left

    // Maintenance: aging on, power off, close (aging goes off again).
    ui.answerModal({InputEvent::click("Aging ON"), InputEvent::click("POWER OFF"), InputEvent::click("Close")});
    ASSERT_TRUE(commands->run(CommandId::Maintenance));
    EXPECT_EQ(protocol->registerValue(0x0004), 0);
    EXPECT_EQ(protocol->registerValue(0x0207), 0);

    // Failure: refresh clears the preset failure bits.
    ui.answerModal({InputEvent::click("Refresh"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::Failure));
    EXPECT_EQ(protocol->registerValue(0x020D), 0);
    EXPECT_EQ(protocol->registerValue(0x0004), 1);
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();

    for (const std::string& k : ui.modalKinds()) opened.insert(k);
    for (const std::string& k : Commands::screenKinds()) EXPECT_TRUE(opened.count(k)) << k << " never opened";
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(Station, DcnvIsEnabledWhileTheTouchUpListNamesADcnvProcedure) {
    start(0);
    modeldb::ModelImage& image = state->document().data().image;
    image.touchUpProcedures[1] = "dcnv";
    image.touchUpProcedureCount = 2;
    EXPECT_TRUE(commands->enabled(CommandId::DCnv));
    image.touchUpProcedures[1] = "DCNV";  // the test is case-sensitive
    EXPECT_FALSE(commands->enabled(CommandId::DCnv));
    EXPECT_TRUE(commands->enabled(CommandId::Procedure));
    EXPECT_TRUE(commands->enabled(CommandId::TouchUp));
}

TEST_F(Station, EventsAScreenCannotTakeAreRefused) {
    start(0);
    ui.answerModal([](core::Screen& s) {
        EXPECT_FALSE(s.handle(InputEvent::click("NO SUCH BUTTON")));
        EXPECT_FALSE(s.handle(InputEvent::selectRow(99)));
        EXPECT_FALSE(s.handle(InputEvent::charKey('Q', true)));
        EXPECT_FALSE(s.closed());
        EXPECT_TRUE(s.handle(InputEvent::press(Key::Escape)));
        return s.result();
    });
    ASSERT_TRUE(commands->run(CommandId::GeneratorControl));
}

TEST_F(Station, ServiceCommandsFollowTheChassisFlags) {
    start(0);
    modeldb::ChassisRecord& chassis = state->document().chassis();
    chassis.factoryPresetAvailable = 0;
    chassis.maintenanceAvailable = 0;
    chassis.failureAvailable = 0;
    for (CommandId id : {CommandId::FactoryPreset, CommandId::Maintenance, CommandId::Failure}) {
        EXPECT_FALSE(commands->enabled(id));
        EXPECT_FALSE(commands->run(id));
    }
    chassis.factoryPresetAvailable = 1;
    chassis.maintenanceAvailable = 0x80;
    chassis.failureAvailable = -1;  // any nonzero int16
    for (CommandId id : {CommandId::FactoryPreset, CommandId::Maintenance, CommandId::Failure})
        EXPECT_TRUE(commands->enabled(id));
    EXPECT_TRUE(ui.modalKinds().empty());
}

TEST_F(Station, MainViewShowsTheFileNameOnlyInDebugMode) {
    start(0);
    EXPECT_EQ(commands->mainView().modelName, "VX-1700");
    EXPECT_EQ(commands->mainView().fileLine, "");
    state->flags().debug = true;
    EXPECT_EQ(commands->mainView().fileLine, "File Name    :VX1700.mdl");
}

TEST_F(Station, ExitRunsTheFrontEndsAction) {
    start(0);
    EXPECT_FALSE(commands->enabled(CommandId::Exit));
    int exits = 0;
    commands->setExitAction([&] { ++exits; });
    EXPECT_TRUE(commands->run(CommandId::Exit));
    EXPECT_EQ(exits, 1);
}

namespace {

struct Session : ::testing::Test, app::testing::ScreenFixture {};

} // namespace

TEST_F(Session, EntersOnOpenAndLeavesOnceOnEveryWayOut) {
    {
        appstate::ServiceSession s(context);
        EXPECT_TRUE(s.open());
        EXPECT_TRUE(s.open());  // already open: nothing more
        s.close();
        s.close();
    }
    {
        appstate::ServiceSession s(context);
        ASSERT_TRUE(s.open());
    }  // leaving the scope closes it
    EXPECT_EQ(regs.sequences(),
              (std::vector<std::string>{"serviceEntry", "serviceExit", "serviceEntry", "serviceExit"}));
}

TEST_F(Session, RefusesWhenTheMonitorIsNotConnectedAndThenLeavesNothing) {
    regs.disconnect();
    {
        appstate::ServiceSession s(context);
        EXPECT_FALSE(s.open());
        EXPECT_FALSE(s.isOpen());
    }
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceEntry"});
    // The monitor is back: the next screen enters again.
    regs.disconnect(false);
    appstate::ServiceSession again(context);
    EXPECT_TRUE(again.open());
}

TEST_F(Session, ProcedureRunningSkipsBothSequencesWhereTheScreenSaysSo) {
    flags.procedureRunning = true;
    {
        appstate::ServiceSession skipping(context, appstate::ServiceSession::Policy::UnlessProcedureRunning);
        EXPECT_TRUE(skipping.open());
    }
    EXPECT_TRUE(regs.sequences().empty());
    {
        appstate::ServiceSession always(context);
        EXPECT_TRUE(always.open());
    }
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"serviceEntry", "serviceExit"}));
    // Skipped while the flag from an earlier failure is still set: refused.
    regs.setMonitorNotConnected(true);
    appstate::ServiceSession skipping(context, appstate::ServiceSession::Policy::UnlessProcedureRunning);
    EXPECT_FALSE(skipping.open());
}
