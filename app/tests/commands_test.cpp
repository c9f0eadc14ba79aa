#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/commands.h"
#include "datafiles/viewer_screen.h"
#include "datafiles/data_file_screen.h"
#include "datafiles/download_screens.h"
#include "app/generator_control_screen.h"
#include "app/signal_generator_layer.h"
#include "app/state/service_session.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "screen_fixture.h"

using namespace app;
using core::InputEvent;
using core::Key;

namespace {

// The program's commands on the demo station; the monitor port leads nowhere.
struct Station : ::testing::Test {
    kit::TempFolder tmp{"commands"};
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
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), std::string("[COM]\nCOM1=/dev/pelaro-none1\n")));
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

    for (const std::string& k : ui.modalKinds()) opened.insert(k);
    // The data file screens need a monitor that answers: data_file_commands_test.cpp opens them.
    // So do the downloads: download_commands_test.cpp.
    for (const char* k : {datafiles::SaveDataScreen::kKind, datafiles::LoadDataScreen::kKind,
                          datafiles::ViewerScreen::kKind, datafiles::MpuScreen::kKind,
                          datafiles::UmtInitScreen::kKind, datafiles::TimingDownloadScreen::kKind})
        opened.insert(k);
    for (const std::string& k : Commands::screenKinds()) EXPECT_TRUE(opened.count(k)) << k << " never opened";
    EXPECT_TRUE(ui.allAnswersUsed());
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
