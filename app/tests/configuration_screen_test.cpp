#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "app/configuration_screen.h"
#include "core/fake_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "platform/sim_port.h"

using app::ConfigurationScreen;

namespace {

struct NullDevice : platform::SimDevice {
    void fromHost(platform::SimLine&, const uint8_t*, size_t) override {}
};

struct ConfigTest : ::testing::Test {
    kit::TempFolder tmp{"config"};
    std::string simName = "config-" + std::to_string(reinterpret_cast<uintptr_t>(this));
    std::atomic<int> opens{0};
    std::unique_ptr<platform::SimRegistration> sim;
    core::FakeUi ui;
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<appstate::AppState> state;

    void SetUp() override
    {
        ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; });
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        std::string map = "[COM]\nCOM0=sim:" + simName + "\nCOM1=sim:" + simName + "\nCOM2=/dev/pelaro-test-none\n";
        for (int n = 3; n <= 5; ++n) map += "COM" + std::to_string(n) + "=sim:" + simName + "\n";
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/comports.ini", map));
        setenv("COMPORTS", (tmp.path() + "/comports.ini").c_str(), 1);
        sim = std::make_unique<platform::SimRegistration>(simName, [this] {
            ++opens;
            return std::make_shared<NullDevice>();
        });
    }

    void start(const std::string& ini)
    {
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini", ini));
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        state = std::make_unique<appstate::AppState>(tmp.path() + "/home", ui, *profile);
        state->startApplicationState();
        ui.clear();
    }
};

TEST_F(ConfigTest, ListsAndOpening)
{
    start("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nSG_NAME=6\nSG_PORT=0\nSG_ISANO=2\n");
    ConfigurationScreen s(*state, ui);
    s.open();
    EXPECT_EQ(s.items(ConfigurationScreen::MonitorPort),
              (std::vector<std::string>{"NON", "COM1", "COM2", "COM3", "COM4", "COM5"}));
    EXPECT_EQ(s.items(ConfigurationScreen::Generator).size(), 11u);
    EXPECT_EQ(s.items(ConfigurationScreen::Generator)[10], "PG-202_PCI");
    EXPECT_EQ(s.items(ConfigurationScreen::IsaNumber),
              (std::vector<std::string>{"NON", "ISA1", "Default", "ISA3", "ISA4"}));
    EXPECT_EQ(s.shown(ConfigurationScreen::MonitorPort), 1);
    EXPECT_EQ(s.shown(ConfigurationScreen::Generator), 6);
    EXPECT_EQ(s.shown(ConfigurationScreen::IsaNumber), 2);
    EXPECT_FALSE(s.enabled(ConfigurationScreen::GeneratorPort));
    EXPECT_TRUE(s.enabled(ConfigurationScreen::IsaNumber));
    EXPECT_EQ(s.portDevice(1), "sim:" + simName);
    EXPECT_EQ(s.portDevice(2), "/dev/pelaro-test-none");
    EXPECT_EQ(s.portDevice(0), "");
}

TEST_F(ConfigTest, EnablingFollowsTheGeneratorKind)
{
    start("[PELARO]\nINIT=INIT_OK\nSG_NAME=10\n");
    ConfigurationScreen s(*state, ui);
    s.open();
    // On opening kind 10 enables both lists.
    EXPECT_TRUE(s.enabled(ConfigurationScreen::GeneratorPort));
    EXPECT_TRUE(s.enabled(ConfigurationScreen::IsaNumber));
    struct Row { int kind; bool port, isa; };
    for (Row r : {Row{0, true, false}, Row{1, true, false}, Row{2, true, false}, Row{3, true, false},
                  Row{7, true, false}, Row{4, false, false}, Row{5, false, false}, Row{8, false, false},
                  Row{10, false, false}, Row{6, false, true}, Row{9, true, true}}) {
        s.choose(ConfigurationScreen::Generator, r.kind);
        EXPECT_EQ(s.enabled(ConfigurationScreen::GeneratorPort), r.port) << r.kind;
        EXPECT_EQ(s.enabled(ConfigurationScreen::IsaNumber), r.isa) << r.kind;
        EXPECT_EQ(s.choice(ConfigurationScreen::Generator), r.kind);
    }
}

TEST_F(ConfigTest, PortConflictsAreRefused)
{
    start("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nSG_NAME=0\nSG_PORT=2\n");
    ConfigurationScreen s(*state, ui);
    s.open();
    s.choose(ConfigurationScreen::MonitorPort, 2);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Ecs Port is same as SG Port -> Change Port No."});
    EXPECT_EQ(s.choice(ConfigurationScreen::MonitorPort), 1);
    EXPECT_EQ(s.shown(ConfigurationScreen::MonitorPort), 1);

    ui.clear();
    s.choose(ConfigurationScreen::GeneratorPort, 1);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"SG Port is same as Ecs Port -> Change Port No."});
    EXPECT_EQ(s.choice(ConfigurationScreen::GeneratorPort), 2);

    // "NON" for both is allowed.
    ui.clear();
    s.choose(ConfigurationScreen::MonitorPort, 0);
    s.choose(ConfigurationScreen::GeneratorPort, 0);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(s.choice(ConfigurationScreen::MonitorPort), 0);
    EXPECT_EQ(s.choice(ConfigurationScreen::GeneratorPort), 0);

    // A refusal never leaves both on one port, even after earlier changes.
    s.choose(ConfigurationScreen::MonitorPort, 3);
    s.choose(ConfigurationScreen::GeneratorPort, 1);
    s.choose(ConfigurationScreen::MonitorPort, 1);
    EXPECT_EQ(s.choice(ConfigurationScreen::MonitorPort), 3);
    EXPECT_EQ(s.choice(ConfigurationScreen::GeneratorPort), 1);

    s.choose(ConfigurationScreen::IsaNumber, 4);  // no check
    EXPECT_EQ(s.choice(ConfigurationScreen::IsaNumber), 4);
    s.ok();
    appstate::Profile reread(tmp.path() + "/config/pelaro/pelaro.ini");
    EXPECT_EQ(reread.getInt("ECS_PORT"), 3);
    EXPECT_EQ(reread.getInt("SG_PORT"), 1);
    EXPECT_EQ(reread.getInt("SG_ISANO"), 4);
}

TEST_F(ConfigTest, OkWithoutChangesRebuildsAndReloads)
{
    start("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nECS_TYPE=1\n");
    int refreshed = 0;
    state->document().addView([&] { ++refreshed; });
    int before = opens.load();
    ConfigurationScreen s(*state, ui);
    s.open();
    s.ok();
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), ConfigurationScreen::Ok);
    EXPECT_EQ(opens.load(), before + 1);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No mdl Files"});  // the (missing) model again
    EXPECT_EQ(state->ecsPort(), 1);
}

TEST_F(ConfigTest, CancelChangesNothing)
{
    start("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nSG_NAME=0\nSG_PORT=0\n");
    int before = opens.load();
    ConfigurationScreen s(*state, ui);
    s.open();
    s.choose(ConfigurationScreen::MonitorPort, 4);
    s.choose(ConfigurationScreen::Generator, 3);
    s.cancel();
    EXPECT_EQ(s.result(), ConfigurationScreen::Cancel);
    EXPECT_EQ(opens.load(), before);
    EXPECT_EQ(state->ecsPort(), 1);
    EXPECT_EQ(appstate::Profile(tmp.path() + "/config/pelaro/pelaro.ini").getInt("ECS_PORT"), 1);
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
