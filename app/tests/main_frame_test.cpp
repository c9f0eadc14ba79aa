// The main frame's rules on the demo station against the simulated monitor:
// the notice file, the factory preset menu command against F5, the title,
// the enabling rules, the About box's hidden controls and TOT_TMR.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/about_box.h"
#include "app/commands.h"
#include "app/expert_commands.h"
#include "app/generator_control_screen.h"
#include "app/main_frame.h"
#include "app/signal_generator_layer.h"
#include "app/station_notices.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "screens/expert_screen.h"
#include "screens/factory_preset.h"
#include "siggen/recording_driver.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

using namespace app;
using core::InputEvent;
using core::Key;

namespace {

constexpr uint16_t kElapsedHigh = 0x0404, kElapsedLow = 0x0405, kServiceMode = 0x0002;

// The demo station with the simulated monitor of one ECS type; the model
// of that type is loaded (VX-1700 for type 1, VX-1900S for type 2).
struct Frame : ::testing::TestWithParam<int> {
    kit::TempFolder tmp{"main-frame"};
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
    std::unique_ptr<MainFrame> frame;

    int type() const { return GetParam(); }
    void SetUp() override {
        ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
        sim::LinkTables tables;
        ASSERT_TRUE(sim::readLinkFile(tmp.path() + "/data/DEMO" + std::to_string(type()) + ".BUS", tables));
        protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), type());
        sim::MonitorBehaviour behaviour;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(type()), nullptr));
        behaviour.applyTo(*protocol);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "frame-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
        const std::string model = type() == 1 ? "VX-1700" : "VX-1900S";
        const std::string file = type() == 1 ? "VX1700.mdl" : "VX1900S.mdl";
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini",
                                   "[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=" + std::to_string(type()) +
                                       "\nSG_NAME=0\nSG_PORT=2\nPREV_QX=" + model + "\nPREV_file=" + file + "\n"));
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        state = std::make_unique<appstate::AppState>(tmp.path(), ui, *profile, clock);
        state->setGeneratorLayer(&layer);
        state->startApplicationState();
        ASSERT_EQ(state->modelName(), model);
        commands = std::make_unique<Commands>(*state, sg, ui, clock);
        commands->setReleaseFile(tmp.path() + "/pelaro.rls");
        frame = std::make_unique<MainFrame>(*commands);
        ui.clear();
    }
    // Records the kind (and the factory preset's variant) of the next screen and closes it.
    std::vector<std::string> opened;
    void expectScreen() {
        ui.answerModal([this](core::Screen& s) {
            std::string k = s.kind();
            if (auto* p = dynamic_cast<screens::FactoryPreset*>(&s))
                k += p->variant() == screens::FactoryPreset::Variant::Appliance ? ":appliance" : ":timings";
            opened.push_back(k);
            return 0;
        });
    }
};

} // namespace

TEST_P(Frame, NoticeOfKind21BlocksTheMenuCommandButNotF5) {
    frame->create();
    ASSERT_EQ(frame->notices().size(), 1u);  // the demo's notice names VX-1900S
    if (type() == 2) {
        EXPECT_TRUE(frame->runMenuCommand(CommandId::FactoryPreset));
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Factory preset is not available for this model."});
        EXPECT_TRUE(opened.empty());
    } else {
        expectScreen();
        EXPECT_TRUE(frame->runMenuCommand(CommandId::FactoryPreset));
    }
    expectScreen();
    EXPECT_TRUE(frame->runKey(Key::F5));
    EXPECT_EQ(opened.back(), "FactoryPreset:timings");
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_P(Frame, OtherNoticeKindsAndOtherModelsDoNotBlock) {
    ASSERT_TRUE(kit::writeFile(tmp.path() + "/kovhlp.txt",
                               kit::noticeFile({{8, state->modelName(), "Kind 8 notice"},
                                                {21, state->modelName() + " ", "Another model"},
                                                {21, "vx-1900s", "Case matters"}})));
    frame->create();
    EXPECT_EQ(frame->notices().size(), 3u);
    expectScreen();
    EXPECT_TRUE(frame->runMenuCommand(CommandId::FactoryPreset));
    EXPECT_EQ(opened, std::vector<std::string>{"FactoryPreset:timings"});
    EXPECT_TRUE(ui.messages().empty());
}

TEST_P(Frame, GeneratorKind9OpensTheApplianceVariantFromTheMenuOnly) {
    std::filesystem::remove(tmp.path() + "/kovhlp.txt");
    frame->create();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"KOV HELP File Not Found!"});
    sg.SgSelect(siggen::kSgKindAppliance, 0, 0);
    expectScreen();
    EXPECT_TRUE(frame->runMenuCommand(CommandId::FactoryPreset));
    expectScreen();
    EXPECT_TRUE(frame->runKey(Key::F5));
    EXPECT_EQ(opened, (std::vector<std::string>{"FactoryPreset:appliance", "FactoryPreset:timings"}));
    // F6 with kind 9 opens the appliance panel; F2 and F3 their screens.
    expectScreen();
    EXPECT_TRUE(frame->runKey(Key::F6));
    expectScreen();
    EXPECT_TRUE(frame->runKey(Key::F2));
    expectScreen();
    EXPECT_TRUE(frame->runKey(Key::F3));
    EXPECT_EQ(opened.size(), 5u);
    EXPECT_EQ(opened[2], AppliancePanel::kKind);
    EXPECT_FALSE(frame->runKey(Key::F4));
}

TEST_P(Frame, TitleAndVersionComeFromTheLastReleaseRecord) {
    EXPECT_EQ(frame->title(), "  New PELARO Program                                 Release Ver 1.0 demo");
    ASSERT_TRUE(kit::writeFile(tmp.path() + "/pelaro.rls", kit::releaseFile({})));
    EXPECT_EQ(frame->title(), "  New PELARO Program                                 Release Ver ");
    std::filesystem::remove(tmp.path() + "/pelaro.rls");
    EXPECT_EQ(frame->version(), "");
}

TEST_P(Frame, EnablingRulesFollowTheModelAndTheFlags) {
    modeldb::ModelData& data = state->document().data();
    for (int umt : {0, 31, -1}) {
        data.image.umtNumber = static_cast<int16_t>(umt);
        EXPECT_FALSE(commands->enabled(CommandId::UmtInit)) << umt;
    }
    for (int umt : {1, 30}) {
        data.image.umtNumber = static_cast<int16_t>(umt);
        EXPECT_TRUE(commands->enabled(CommandId::UmtInit)) << umt;
    }
    EXPECT_TRUE(commands->enabled(CommandId::Expert));
    state->flags().expert = false;
    EXPECT_FALSE(commands->enabled(CommandId::Expert));
    data.chassis.factoryPresetAvailable = 0;
    EXPECT_FALSE(frame->runMenuCommand(CommandId::FactoryPreset));
    EXPECT_FALSE(frame->runKey(Key::F5));
    EXPECT_TRUE(commands->enabled(CommandId::Mpu));
}

TEST_P(Frame, TotTmrReadsTheElapsedTimeCounter) {
    protocol->setRegister(kElapsedHigh, 0x12);
    protocol->setRegister(kElapsedLow, 0x35);
    appstate::ScreenContext c = commands->context();
    AboutBox box(c, state->link(), frame->version(), tmp.path());
    EXPECT_EQ(box.versionText(), "PELARO Version 1.0 demo");
    ui.answerModal({InputEvent::typed("TOT_TMX"), InputEvent::click("OK")});
    ui.answerModal({InputEvent::typed("TOT_TMR"), InputEvent::click("Cancel")});
    protocol->clearTransactions();
    EXPECT_TRUE(box.handle(InputEvent::click("area3")));
    EXPECT_TRUE(box.handle(InputEvent::click("area3")));
    EXPECT_EQ(box.elapsedTime(), "");
    EXPECT_EQ(protocol->transactionCount(), 0u);

    ui.answerModal({InputEvent::typed("TOT_TMR"), InputEvent::press(Key::Enter)});
    EXPECT_TRUE(box.handle(InputEvent::click("area3")));
    // Type 2: high x 65536 + low; type 1: high x 256 + low, in service mode.
    EXPECT_EQ(box.elapsedTime(), type() == 2 ? "589850" : "2330");
    bool serviceWrites = false;
    for (const sim::MonitorTransaction& t : protocol->transactions()) serviceWrites |= t.wrote && t.b == 0x30;
    EXPECT_EQ(serviceWrites, type() == 1);
    EXPECT_EQ(protocol->registerValue(kServiceMode), 0);
    EXPECT_EQ(box.view().fields.at(1).value, box.elapsedTime());
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
    EXPECT_EQ(state->flags().debugState, 0);  // the third area unlocks nothing

    // A monitor that does not answer leaves the box as it was.
    protocol->setSilent(true);
    ui.answerModal({InputEvent::typed("TOT_TMR"), InputEvent::click("OK")});
    box.handle(InputEvent::click("area3"));
    EXPECT_EQ(box.elapsedTime(), type() == 2 ? "589850" : "2330");
    EXPECT_FALSE(ui.messages().empty());
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_P(Frame, DebugControlsNeedBothHiddenAreasInEitherOrderAndStayAfterOk) {
    for (bool firstArea1 : {true, false}) {
        state->flags().debugState = 0;
        appstate::ScreenContext c = commands->context();
        AboutBox box(c, state->link(), frame->version(), tmp.path());
        EXPECT_FALSE(box.debugControlsVisible());
        EXPECT_EQ(box.view().buttons.size(), 1u);
        EXPECT_FALSE(box.handle(InputEvent::click("Debug OFF")));
        EXPECT_TRUE(box.handle(InputEvent::click(firstArea1 ? "area1" : "area2")));
        EXPECT_FALSE(box.debugControlsVisible());
        EXPECT_FALSE(box.handle(InputEvent::click(firstArea1 ? "area1" : "area2")));  // hidden now
        EXPECT_TRUE(box.handle(InputEvent::click(firstArea1 ? "area2" : "area1")));
        EXPECT_TRUE(box.debugControlsVisible());
        EXPECT_EQ(state->flags().debugState, 3);
        box.handle(InputEvent::click("OK"));
        EXPECT_TRUE(box.closed());
        EXPECT_EQ(state->flags().debugState, 3);
    }
    // A box opened in debug state 3 shows its controls at once.
    appstate::ScreenContext c = commands->context();
    AboutBox again(c, state->link(), frame->version(), tmp.path());
    EXPECT_TRUE(again.debugControlsVisible());
    const core::ScreenView v = again.view();
    ASSERT_EQ(v.buttons.size(), 3u);
    EXPECT_EQ(v.buttons[0].caption, "Debug OFF");
    EXPECT_EQ(v.buttons[1].caption, "Log close ");
}

TEST_P(Frame, OneHiddenAreaIsForgottenWhenTheBoxCloses) {
    ui.answerModal({InputEvent::click("area2"), InputEvent::click("OK")});
    ASSERT_TRUE(commands->run(CommandId::Version));
    EXPECT_EQ(state->flags().debugState, 0);
    ui.answerModal({InputEvent::click("area1"), InputEvent::press(Key::Escape)});
    ASSERT_TRUE(commands->run(CommandId::Version));
    EXPECT_EQ(state->flags().debugState, 0);
    EXPECT_EQ(ui.modalKinds(), (std::vector<std::string>{"About", "About"}));
}

TEST_P(Frame, DebugButtonSwitchesTheFlagTheConversionNoticesAndTheFileLine) {
    state->flags().debugState = 3;
    appstate::ScreenContext c = commands->context();
    AboutBox box(c, state->link(), frame->version(), tmp.path());
    EXPECT_EQ(commands->mainView().fileLine, "");
    box.handle(InputEvent::click("Debug OFF"));
    EXPECT_TRUE(state->flags().debug);
    EXPECT_EQ(sg.showConversion(), 1);
    EXPECT_EQ(box.debugCaption(), "Debug ON");
    EXPECT_EQ(commands->mainView().fileLine,
              std::string("File Name    :") + (type() == 1 ? "VX1700.mdl" : "VX1900S.mdl"));
    box.handle(InputEvent::click("Debug ON"));
    EXPECT_FALSE(state->flags().debug);
    EXPECT_EQ(sg.showConversion(), 0);
    EXPECT_EQ(box.debugCaption(), "Debug OFF");
}

TEST_P(Frame, LogButtonOpensAndClosesTheCommunicationLog) {
    state->flags().debugState = 3;
    appstate::ScreenContext c = commands->context();
    AboutBox box(c, state->link(), frame->version(), tmp.path());
    const std::string log = tmp.path() + (type() == 1 ? "/ecs.log" : "/ecs2.log");
    EXPECT_EQ(box.logCaption(), "Log close ");
    box.handle(InputEvent::click("Log close "));
    EXPECT_TRUE(state->link().isLogging());
    EXPECT_EQ(box.logCaption(), "Log open ");
    int32_t v = 0;
    state->link().readRegister(kElapsedLow, v, 1);
    box.handle(InputEvent::click("Log open "));
    EXPECT_FALSE(state->link().isLogging());
    EXPECT_EQ(box.logCaption(), "Log close");
    EXPECT_GT(std::filesystem::file_size(log), 0u);
    // Opened again with the log on, the box says so.
    state->link().openLog(tmp.path());
    AboutBox again(c, state->link(), frame->version(), tmp.path());
    EXPECT_EQ(again.logCaption(), "Log open");
    state->link().closeLog();
}

TEST_P(Frame, ExpertCommandOpensTheViewerAndTheTimingDownloadBesideIt) {
    state->profile().writeString("SAVE_PATH", tmp.path());
    ui.answerModal({InputEvent::click("Timing Edit"), InputEvent::click("Viewer"), InputEvent::click("Down timing"),
                    InputEvent::press(Key::Escape)});
    ui.answerFile(std::nullopt);  // the viewer's chooser, cancelled
    bool serviceHeld = false;
    ui.answerModal([&](core::Screen& screen) {
        serviceHeld = protocol->registerValue(kServiceMode) != 0;  // the expert screen still holds it
        screen.handle(InputEvent::click("Close"));
        return 0;
    });
    ASSERT_TRUE(commands->run(CommandId::Expert));
    EXPECT_TRUE(ui.allAnswersUsed());
    ASSERT_EQ(ui.fileChoices().size(), 1u);
    EXPECT_EQ(ui.fileChoices()[0].folder, tmp.path());
    EXPECT_EQ(ui.modalKinds(), (std::vector<std::string>{screens::ExpertScreen::kKind, "TimingDownload"}));
    EXPECT_TRUE(serviceHeld);
    EXPECT_EQ(protocol->registerValue(kServiceMode), 0);
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, Frame, ::testing::Values(1, 2));

TEST(NoticeFile, RecordsReadUpToTheLastWholeOneAndErrorsHaveTheirTexts) {
    kit::TempFolder tmp{"notices"};
    core::TestUi ui;
    kit::Bytes bytes = kit::noticeFile({{21, "A-1", "First"}, {8, "B-2", "Second"}});
    bytes.resize(bytes.size() + 70, 'x');
    ASSERT_TRUE(kit::writeFile(tmp.path() + "/KOVHLP.TXT", bytes));  // found ignoring case
    std::vector<modeldb::Notice> notices = readNoticeFile(tmp.path(), ui);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1].text, "Second");
    ASSERT_NE(factoryPresetNotice(notices, "A-1"), nullptr);
    EXPECT_EQ(factoryPresetNotice(notices, "B-2"), nullptr);
    EXPECT_TRUE(ui.messages().empty());

    std::filesystem::remove(tmp.path() + "/KOVHLP.TXT");
    EXPECT_TRUE(readNoticeFile(tmp.path(), ui).empty());
    std::filesystem::create_directory(tmp.path() + "/kovhlp.txt");
    EXPECT_TRUE(readNoticeFile(tmp.path(), ui).empty());
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"KOV HELP File Not Found!", "HELP File Read Err!"}));
}

TEST(ViewLayout, ScalesWithThePixelsPerInchAndWarnsOnSmallScreens) {
    ViewLayout l = viewLayout(1920, 96, 96);
    EXPECT_EQ(l.width, 800);
    EXPECT_EQ(l.height, 575);
    EXPECT_TRUE(l.centre);
    EXPECT_FALSE(l.resolutionWarning);
    l = viewLayout(1920, 120, 144);
    EXPECT_EQ(l.width, 1000);
    EXPECT_EQ(l.height, 862);
    l = viewLayout(800, 96, 96);
    EXPECT_FALSE(l.centre);
    EXPECT_FALSE(l.resolutionWarning);
    l = viewLayout(800, 120, 120);
    EXPECT_TRUE(l.resolutionWarning);
    EXPECT_FALSE(viewLayout(1024, 120, 120).resolutionWarning);
    EXPECT_EQ(std::string(kResolutionMessage),
              "Resolution is under 800*600.or System Font is not Normal.\nThis condition can't use this program.Please "
              "change condition!");
}
