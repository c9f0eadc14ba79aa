#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

#include "app/state/app_state.h"
#include "core/fake_ui.h"
#include "core/result_codes.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"
#include "platform/sim_port.h"

using namespace appstate;

namespace {

struct NullDevice : platform::SimDevice {
    void fromHost(platform::SimLine&, const uint8_t*, size_t) override {}
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct RecordingGenerator : GeneratorLayer {
    std::vector<std::string> calls;
    void select(int k, int p, int i) override
    {
        calls.push_back("select " + std::to_string(k) + " " + std::to_string(p) + " " + std::to_string(i));
    }
    int open() override { calls.push_back("open"); return 1; }
    void resetDefault() override { calls.push_back("reset"); }
    void close() override { calls.push_back("close"); }
};

struct StateTest : ::testing::Test {
    kit::TempFolder tmp{"appstate"};
    std::string home = tmp.path() + "/home";
    std::string simName = "appstate-" + std::to_string(reinterpret_cast<uintptr_t>(this));
    std::atomic<int> opens{0};
    std::unique_ptr<platform::SimRegistration> sim;
    core::FakeUi ui;

    void SetUp() override
    {
        ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; });
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        // Every port of the tests is a simulated one that counts its opens.
        std::string map = "[COM]\n";
        for (int n = 0; n <= 5; ++n) map += "COM" + std::to_string(n) + "=sim:" + simName + "\n";
        ASSERT_TRUE(kit::writeFile(tmp.path() + "/comports.ini", map));
        setenv("COMPORTS", (tmp.path() + "/comports.ini").c_str(), 1);
        sim = std::make_unique<platform::SimRegistration>(simName, [this] {
            ++opens;
            return std::make_shared<NullDevice>();
        });
    }

    std::string profilePath() const { return tmp.path() + "/config/pelaro/pelaro.ini"; }

    void writeModel(const std::string& stem, const std::string& chassis = "CH.CHS")
    {
        kit::ModelFile m;
        m.chassisFile = chassis;
        m.presets = {kit::makeTiming(stem, 640, 480, 800, 525, 31.5f, 60.0f)};
        ASSERT_TRUE(kit::writeFile(home + "/data/" + stem + ".mdl", kit::modelFile(m)));
        kit::ChassisFile c;
        c.standardFile = "ST.STD";
        ASSERT_TRUE(kit::writeFile(home + "/data/" + chassis, kit::chassisFile(c)));
        kit::StandardFile s;
        s.linkDescriptionFile = "LK.BUS";
        ASSERT_TRUE(kit::writeFile(home + "/data/ST.STD", kit::standardFile(s)));
        ASSERT_TRUE(kit::writeFile(home + "/data/LK.BUS", kit::linkDescriptionFile(kit::demoLinkDescription(1))));
    }
};

TEST_F(StateTest, FirstRunWritesTheDefaults)
{
    Profile profile(profilePath());
    AppState state(home, ui, profile);
    state.startApplicationState();
    EXPECT_EQ(state.ecsPort(), 1);
    EXPECT_EQ(state.ecsType(), 1);
    EXPECT_EQ(state.link().ecsType(), 1);
    EXPECT_EQ(state.generatorKind(), 0);
    EXPECT_EQ(state.generatorPort(), 0);
    EXPECT_EQ(state.generatorIsaNumber(), 0);
    EXPECT_TRUE(state.flags().expert);
    EXPECT_EQ(opens.load(), 1);
    // No previous model: the loader says so and the program runs without one.
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No mdl Files"});
    EXPECT_EQ(state.modelName(), "");

    platform::IniStore ini;
    ASSERT_TRUE(ini.load(profilePath()));
    EXPECT_EQ(ini.keys("PELARO"),
              (std::vector<std::string>{"INIT", "ECS_TYPE", "ECS_PORT", "SG_NAME", "SG_PORT", "SG_ISANO"}));
    EXPECT_EQ(ini.get("PELARO", "INIT", ""), "INIT_OK");
    EXPECT_EQ(ini.get("PELARO", "ECS_TYPE", ""), "1");
    EXPECT_EQ(ini.get("PELARO", "ECS_PORT", ""), "1");
    EXPECT_EQ(ini.get("PELARO", "SG_ISANO", ""), "0");
}

TEST_F(StateTest, LowerCaseInitIsAFirstRun)
{
    ASSERT_TRUE(kit::writeFile(profilePath(), std::string("[PELARO]\nINIT=init_ok\nECS_PORT=3\nECS_TYPE=2\nSG_NAME=6\n")));
    Profile profile(profilePath());
    AppState state(home, ui, profile);
    state.startApplicationState();
    EXPECT_EQ(state.ecsPort(), 1);
    EXPECT_EQ(state.ecsType(), 1);
    EXPECT_EQ(state.generatorKind(), 0);
    EXPECT_EQ(Profile(profilePath()).getString("INIT"), "INIT_OK");
    EXPECT_EQ(Profile(profilePath()).getInt("ECS_PORT"), 1);
}

TEST_F(StateTest, LaterRunsReadTheProfileAndLoadThePreviousModel)
{
    writeModel("PREV");
    ASSERT_TRUE(kit::writeFile(profilePath(), std::string("[PELARO]\nINIT=INIT_OK\nECS_PORT=4\nSG_NAME=7\nSG_PORT=2\n"
                                                          "SG_ISANO=3\nPREV_QX=Prev Model\nPREV_file=PREV.mdl\n")));
    Profile profile(profilePath());
    RecordingGenerator gen;  // outlives the state, which closes it
    AppState state(home, ui, profile);
    state.setGeneratorLayer(&gen);
    int refreshed = 0;
    state.document().addView([&] { ++refreshed; });
    state.startApplicationState();
    EXPECT_EQ(state.ecsPort(), 4);
    EXPECT_EQ(state.ecsType(), 2);  // ECS_TYPE missing selects type 2
    EXPECT_EQ(state.link().ecsType(), 2);
    EXPECT_EQ(gen.calls, (std::vector<std::string>{"select 7 2 3", "open", "reset"}));
    EXPECT_EQ(state.modelName(), "Prev Model");
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(state.document().modelFileName(), "PREV.mdl");
    EXPECT_EQ(state.document().linkDescriptionFileName(), "LK.BUS");
    EXPECT_EQ(state.document().modelImage().presets[0].name, "PREV");
    EXPECT_EQ(refreshed, 1);
    EXPECT_FALSE(Profile(profilePath()).get("ECS_TYPE").has_value());  // nothing written
}

TEST_F(StateTest, RunOverridesReplaceThePortAndModelWithoutStoringThem)
{
    writeModel("PREV");
    writeModel("OTHER", "CH2.CHS");
    const std::string profileText = "[PELARO]\nINIT=INIT_OK\nECS_PORT=4\nECS_TYPE=2\nPREV_QX=Prev Model\nPREV_file=PREV.mdl\n";
    ASSERT_TRUE(kit::writeFile(profilePath(), profileText));
    Profile profile(profilePath());
    {
        AppState state(home, ui, profile);
        state.setRunOverrides({"sim:" + simName, "Other Model", "OTHER.mdl", 1, true});
        state.startApplicationState();
        EXPECT_EQ(state.link().serial().port()->device(), "sim:" + simName);
        EXPECT_EQ(state.ecsType(), 1);
        EXPECT_EQ(state.modelName(), "Other Model");
        EXPECT_EQ(state.document().modelFileName(), "OTHER.mdl");
        EXPECT_EQ(state.document().modelImage().presets[0].name, "OTHER");
        EXPECT_EQ(state.document().chassisFileName(), "CH2.CHS");
        EXPECT_TRUE(ui.messages().empty());
    }
    {
        AppState state(home, ui, profile);
        state.setRunOverrides({{}, {}, {}, 0, false});
        state.startApplicationState();
        EXPECT_EQ(state.modelName(), "Prev Model");
        EXPECT_EQ(state.document().linkDescriptionFileName(), "");  // nothing loaded
        EXPECT_TRUE(ui.messages().empty());
    }
    EXPECT_EQ(readFile(profilePath()), profileText);
}

TEST_F(StateTest, RememberModelWritesTheProfile)
{
    Profile profile(profilePath());
    AppState state(home, ui, profile);
    state.startApplicationState();
    state.rememberModel("Some Model", "SOME.mdl");
    EXPECT_EQ(state.modelName(), "Some Model");
    EXPECT_EQ(state.modelFileName(), "SOME.mdl");
    EXPECT_EQ(state.document().modelFileName(), "SOME.mdl");
    Profile reread(profilePath());
    EXPECT_EQ(reread.getString("PREV_QX"), "Some Model");
    EXPECT_EQ(reread.getString("PREV_file"), "SOME.mdl");
}

TEST_F(StateTest, ConfigurationRebuildsTheLinkAndReloadsEveryTime)
{
    writeModel("CUR");
    Profile profile(profilePath());
    RecordingGenerator gen;
    AppState state(home, ui, profile);
    state.startApplicationState();
    ui.clear();
    state.rememberModel("Cur", "CUR.mdl");
    state.setEcsType(1);
    state.setGeneratorLayer(&gen);
    int refreshed = 0;
    state.document().addView([&] { ++refreshed; });
    state.setMonitorNotConnected(true);
    int before = opens.load();

    state.applyConfiguration(state.configuration());  // nothing changed
    EXPECT_EQ(opens.load(), before + 1);
    EXPECT_FALSE(state.monitorNotConnected());  // a fresh link
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(state.document().linkDescriptionFileName(), "LK.BUS");
    EXPECT_EQ(state.link().ecsType(), 1);
    EXPECT_EQ(gen.calls, (std::vector<std::string>{"close", "select 0 0 0", "open", "reset"}));
    EXPECT_TRUE(ui.messages().empty());

    state.applyConfiguration({3, 6, 0, 4});
    EXPECT_EQ(opens.load(), before + 2);
    EXPECT_EQ(state.ecsPort(), 3);
    Profile reread(profilePath());
    EXPECT_EQ(reread.getInt("ECS_PORT"), 3);
    EXPECT_EQ(reread.getInt("SG_NAME"), 6);
    EXPECT_EQ(reread.getInt("SG_ISANO"), 4);
    EXPECT_EQ(refreshed, 2);

    // "NON" still builds a link, on "COM0", which no device answers.
    state.applyConfiguration({0, 0, 0, 0});
    EXPECT_EQ(opens.load(), before + 2);
    EXPECT_EQ(state.ecsPort(), 0);
    EXPECT_EQ(state.document().linkDescriptionFileName(), "LK.BUS");
    int32_t value = 0;
    EXPECT_EQ(state.link().readRegister(0x0100, value, 1), core::ECS_ERR_LINK);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(StateTest, SelectingATypeTwoModelSwitchesTheLink)
{
    writeModel("TWO", "TWO.CHS");
    kit::ModelDatabaseFiles db;
    db.models = {{"Type Two", 0, "TWO", "", 0, 2, 0, ""}, {"Type One", 0, "ONE", "", 0, 1, 0, ""}};
    ASSERT_TRUE(kit::writeModelDatabase(home, db));
    Profile profile(profilePath());
    AppState state(home, ui, profile);
    state.startApplicationState();  // first run: type 1
    ui.clear();
    ASSERT_EQ(state.link().ecsType(), 1);

    modeldb::ModelSelection screen(home, ui, state);
    screen.open();
    screen.selectModel(1);
    EXPECT_EQ(state.link().ecsType(), 2);
    EXPECT_EQ(state.ecsType(), 2);
    EXPECT_EQ(state.modelName(), "Type Two");
    EXPECT_EQ(state.document().chassisFileName(), "TWO.CHS");
    EXPECT_TRUE(ui.messages().empty());
    Profile reread(profilePath());
    EXPECT_EQ(reread.getInt("ECS_TYPE"), 2);
    EXPECT_EQ(reread.getString("PREV_QX"), "Type Two");
    EXPECT_EQ(reread.getString("PREV_file"), "TWO.mdl");

    // A model whose files are missing still keeps its type and the profile.
    screen.selectModel(2);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No mdl Files"});
    EXPECT_EQ(state.link().ecsType(), 1);
    EXPECT_EQ(Profile(profilePath()).getString("PREV_file"), "ONE.mdl");
}

TEST(ProfileTest, IntegersAndDefaults)
{
    kit::TempFolder tmp{"profile"};
    ASSERT_TRUE(kit::writeFile(tmp.file("p.ini"), std::string("[pelaro]\nA=12abc\nB=abc\nC= 7\nD=-3\n")));
    Profile p(tmp.file("p.ini"));
    EXPECT_EQ(p.getInt("A"), 12);
    EXPECT_EQ(p.getInt("B", 5), 0);
    EXPECT_EQ(p.getInt("C"), 7);
    EXPECT_EQ(p.getInt("D"), -3);
    EXPECT_EQ(p.getInt("MISSING", 9), 9);
    EXPECT_TRUE(p.writeInt("E", 4));
    EXPECT_NE(readFile(tmp.file("p.ini")).find("E=4"), std::string::npos);
}

} // namespace

namespace {

TEST_F(StateTest, EveryDemoModelLoadsCompletely)
{
    ASSERT_TRUE(kit::writeDemoStation(home));
    Profile profile(profilePath());
    AppState state(home, ui, profile);
    state.startApplicationState();
    ui.clear();
    modeldb::ModelSelection screen(home, ui, state);
    screen.open();
    ASSERT_EQ(screen.entryCount(), static_cast<int>(std::size(kit::kDemoModels)));
    for (int row = 1; row <= screen.entryCount(); ++row) {
        const kit::DemoModelInfo& info = kit::kDemoModels[row - 1];
        screen.selectModel(row);
        EXPECT_EQ(state.modelName(), info.name);
        EXPECT_EQ(state.modelFileName(), info.modelFile);
        EXPECT_EQ(state.link().ecsType(), info.ecsType);
        EXPECT_EQ(state.document().modelFileName(), info.modelFile);
        EXPECT_FALSE(state.document().chassisFileName().empty());
        EXPECT_FALSE(state.document().standardFileName().empty());
        EXPECT_EQ(state.document().linkDescriptionFileName(), "DEMO" + std::to_string(info.ecsType) + ".BUS");
        EXPECT_GT(state.link().registers().registerCount(), 5u);
        EXPECT_EQ(state.link().registerName(0x0101), "H-Position");
        EXPECT_GT(state.document().modelImage().presetCount, 0);
    }
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
