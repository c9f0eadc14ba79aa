#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "app/configuration_screen.h"
#include "app/commands.h"
#include "app/generator_control_screen.h"
#include "app/signal_generator_layer.h"
#include "app/state/app_state.h"
#include "core/test_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "platform/clock.h"
#include "platform/sim_port.h"
#include "siggen/signal_generator.h"

using namespace app;

namespace {

struct NullDevice : platform::SimDevice {
    void fromHost(platform::SimLine&, const uint8_t*, size_t) override {}
};

// Records every open, apply and close with the kind it ran for.
class EventDriver : public siggen::SgDriver {
public:
    EventDriver(std::vector<std::string>& events, int kind) : events_(events), kind_(kind) {}
    void open(siggen::SignalGenerator&) override { events_.push_back("open " + std::to_string(kind_)); }
    void apply(siggen::SignalGenerator& sg) override {
        events_.push_back("apply " + std::to_string(kind_) + " " + sg.timing().name);
        timings.push_back(sg.timing());
    }
    void close(siggen::SignalGenerator&) override { events_.push_back("close " + std::to_string(kind_)); }
    std::vector<siggen::SgTiming> timings;

private:
    std::vector<std::string>& events_;
    int kind_;
};

struct StartUp : ::testing::Test {
    kit::TempFolder tmp{"sgstart"};
    std::string home = tmp.path() + "/home";
    std::string simName = "sgstart-" + std::to_string(getpid()) + "-" +
                          std::to_string(reinterpret_cast<uintptr_t>(this));
    std::unique_ptr<platform::SimRegistration> sim;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    SignalGeneratorLayer layer{sg};
    std::vector<std::string> events;
    EventDriver* drivers[11] = {};

    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        std::string map = "[COM]\n";
        for (int n = 0; n <= 5; ++n) map += "COM" + std::to_string(n) + "=sim:" + simName + "\n";
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/comports.ini", map));
        setenv("COMPORTS", (tmp.path() + "/comports.ini").c_str(), 1);
        sim = std::make_unique<platform::SimRegistration>(simName, [] { return std::make_shared<NullDevice>(); });
        for (int kind : {0, 6, 7}) {
            auto d = std::make_unique<EventDriver>(events, kind);
            drivers[kind] = d.get();
            sg.installDriver(kind, std::move(d));
        }
    }
    std::string profilePath() const { return tmp.path() + "/config/pelaro/pelaro.ini"; }

    void writeModel(int presets) {
        kit::ModelFile m;
        m.chassisFile = "CH.CHS";
        for (int i = 0; i < presets; ++i)
            m.presets.push_back(kit::makeTiming("T" + std::to_string(i + 1), 640 + 8 * i, 480, 800 + 8 * i, 525,
                                                31.5f, 60.0f));
        m.special1.assign(180, 0);
        m.special1[4] = 7;  // screen 1: preset 7 unusable
        m.special2.assign(100, 0);
        m.special3.assign(100, 0);
        ASSERT_TRUE(kit::writeFile(home + "/data/SG.mdl", kit::modelFile(m)));
        kit::ChassisFile c;
        c.standardFile = "ST.STD";
        c.panelButtons[0] = 0x0100;
        c.panelButtons[1] = -1;
        c.panelButtons[2] = 0x0101;
        ASSERT_TRUE(kit::writeFile(home + "/data/CH.CHS", kit::chassisFile(c)));
        kit::StandardFile s;
        s.linkDescriptionFile = "LK.BUS";
        ASSERT_TRUE(kit::writeFile(home + "/data/ST.STD", kit::standardFile(s)));
        kit::LinkDescription link;
        link.groups.push_back({});
        link.blocks = {{1, "B0"}, {2, "B1"}};
        link.registers = {{.name = "R0"}, {.name = "PTN_WHITE"}, {.name = "PTN_HATCH"}};
        ASSERT_TRUE(kit::writeFile(home + "/data/LK.BUS", kit::linkDescriptionFile(link)));
        ASSERT_TRUE(kit::writeFile(profilePath(), std::string("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nSG_NAME=0\n"
                                                              "SG_PORT=2\nPREV_QX=SG Model\nPREV_file=SG.mdl\n")));
    }
};

} // namespace

TEST_F(StartUp, GeneratorOpensResetsReopensOnConfigurationAndClosesAtExit) {
    ASSERT_TRUE(kit::writeFile(profilePath(), std::string("[PELARO]\nINIT=INIT_OK\nSG_NAME=7\nSG_PORT=2\n")));
    {
        appstate::Profile profile(profilePath());
        appstate::AppState state(home, ui, profile, clock);
        state.setGeneratorLayer(&layer);
        ui.clear();
        state.startApplicationState();
        EXPECT_EQ(sg.kind(), 7);
        EXPECT_EQ(sg.port(), 2);
        EXPECT_EQ(events, (std::vector<std::string>{"open 7", "apply 7 VGA Graphics"}));

        events.clear();
        clock.clearSleeps();
        state.applyConfiguration({1, 6, 0, 3});
        EXPECT_EQ(events, (std::vector<std::string>{"close 7", "open 6", "apply 6 VGA Graphics"}));
        EXPECT_EQ(sg.kind(), 6);
        EXPECT_EQ(sg.isaNumber(), 3);
        // The command generator's close waits a second, the apply half a second.
        EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{1000, 500}));

        events.clear();
        state.applyConfiguration({1, 0, 2, 0});
        EXPECT_EQ(events, (std::vector<std::string>{"close 6", "open 0", "apply 0 VGA Graphics"}));
        events.clear();
    }
    EXPECT_EQ(events, std::vector<std::string>{"close 0"});
}

TEST_F(StartUp, ControlScreenRunsOnTheLoadedModel) {
    writeModel(8);
    appstate::Profile profile(profilePath());
    appstate::AppState state(home, ui, profile, clock);
    state.setGeneratorLayer(&layer);
    state.startApplicationState();
    ASSERT_EQ(state.document().linkDescriptionFileName(), "LK.BUS");
    events.clear();
    drivers[0]->timings.clear();

    Commands commands(state, sg, ui, clock);
    appstate::ScreenContext context = commands.context();
    GeneratorControlScreen screen(context);
    screen.open();
    EXPECT_EQ(screen.modelName(), "SG Model");
    ASSERT_EQ(screen.timingLines().size(), 8u);
    EXPECT_EQ(screen.timingLines()[1], " 2 : T2             ");
    EXPECT_EQ(screen.timingLines()[6], " 7 : Can not use    ");
    screen.pressDigit(7);
    EXPECT_TRUE(events.empty());

    screen.pressDigit(2);
    ASSERT_EQ(drivers[0]->timings.size(), 1u);
    const siggen::SgTiming& t = drivers[0]->timings[0];
    EXPECT_EQ(t.name, "T2");
    EXPECT_EQ(t.mode, 2);
    EXPECT_EQ(t.resolution, " 648 x 480 ");
    EXPECT_EQ(t.hFrequency, 31500.0f);
    EXPECT_EQ(t.syncExternal, 1);

    screen.ok();
    EXPECT_EQ(state.document().modelImage().presets[6].name, "T7");
    EXPECT_EQ(events.back(), "apply 0 VGA Graphics");

    AppliancePanel panel(context);
    panel.open();
    EXPECT_EQ(panel.buttons()[0].text, "PTN_WHITE");
    EXPECT_FALSE(panel.buttons()[1].visible);
    EXPECT_EQ(panel.buttons()[2].text, "PTN_HATCH");
    EXPECT_FALSE(panel.buttons()[3].visible);
}

TEST_F(StartUp, ConfigurationListIsTheKindTable) {
    appstate::Profile profile(profilePath());
    appstate::AppState state(home, ui, profile, clock);
    ConfigurationScreen screen(state, ui);
    const std::vector<std::string>& items = screen.items(ConfigurationScreen::Generator);
    const auto& kinds = siggen::sgKindTable();
    ASSERT_EQ(items.size() + 1, kinds.size());  // "END" ends the list unseen
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i], kinds[i].name) << i;
    EXPECT_STREQ(kinds.back().name, "END");
}
