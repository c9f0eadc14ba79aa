// Whole applies from the generator control screen, driven by input events,
// through the installed drivers and their libraries to the emulated command
// generator and timing card, on the demo station's "SG" folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/generator_control_screen.h"
#include "kit/demo_sg.h"
#include "platform/program_home.h"
#include "platform/testing/test_folder.h"
#include "screen_fixture.h"
#include "siggen/install_drivers.h"
#include "siggen/vtg_files.h"

using namespace app;
using core::InputEvent;
using core::Key;
using platform::testing::ScopedEnv;

namespace {

struct DriverStation : ::testing::Test, app::testing::ScreenFixture {
    platform::testing::TestFolder home;
    ScopedEnv given{"QDMGEN32_LOG", home.file("given.log")};
    ScopedEnv card{"QDMGEN32_SIM_LOG", home.file("card.log")};
    ScopedEnv device{"QDMGEN32_DEVICE", ""};
    ScopedEnv firmware{"QDMGEN32_FIRMWARE", ""};
    ScopedEnv vtgLog{"VTG32_LOG", home.file("vtg.log")};
    ScopedEnv cards{"VTG32_CARDS", "1"};

    void SetUp() override {
        ASSERT_TRUE(kit::writeDemoSgFolder(home.path()));
        siggen::installDrivers(sg, home.path());
    }
    // Opens `kind` as at start-up, then runs the screen with `events`.
    void run(int kind, int port, int isa, std::vector<InputEvent> events) {
        sg.SgSelect(kind, port, isa);
        sg.SgOpen();
        sg.SgResetDefault();
        ui.answerModal(std::move(events));
        runGeneratorControl(context);
        sg.SgClose();
    }
    std::string log(const char* name) const { return home.read(name); }
};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST_F(DriverStation, TheIsaCardShowsTimingPatternColourAndInversion) {
    run(6, 0, 1,
        {InputEvent::selectRow(3), InputEvent::press(Key::Enter), InputEvent::click("WHITE"),
         InputEvent::click("GUN_R"), InputEvent::click("INVERT"), InputEvent::click("6%_WHITE"),
         InputEvent::press(Key::Escape)});
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
    const std::string card = log("card.log");
    EXPECT_FALSE(has(card, "error")) << card;
    EXPECT_TRUE(has(card, "in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,1), image Linearty, invert 0"))
        << card;
    EXPECT_TRUE(has(card, "format Mode4 saved: HRAT 33969 HRES 640 HTOT 800 HSPD 16 HSPW 96")) << card;
    EXPECT_TRUE(has(card, "image in use: FLAT, invert 0")) << card;
    EXPECT_TRUE(has(card, "in use: format Mode4 (640x480, 33969 Hz, 800 dots, guns 1,0,0), image FLAT, invert 0"))
        << card;
    EXPECT_TRUE(has(card, "image in use: FLAT, invert 1")) << card;
    EXPECT_TRUE(has(card, "image FREE_IRE saved: RECT White 156 117 241 181 GrayPat100, levels 1.000 1.000 1.000"))
        << card;
    EXPECT_TRUE(has(card, "image in use: FREE_IRE, invert 1")) << card;
    // OK returned the generator to its default.
    const std::string last = card.substr(card.rfind("in use: format"));
    EXPECT_TRUE(has(last, "format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,1), image Linearty, invert 0")) << last;

    const std::string given = log("given.log");
    EXPECT_TRUE(has(given, "\nHRAT  31469\n"));
    EXPECT_TRUE(has(given, "\nALLU \n"));
    EXPECT_TRUE(has(given, "\nIMGU \n"));
}

TEST_F(DriverStation, ThePciCardShowsHatchesByItsFirmware) {
    ScopedEnv newer("QDMGEN32_FIRMWARE", "3.500");
    run(10, 0, 0, {InputEvent::click("PATT_43_HATCH"), InputEvent::click("SMALL_HATCH"), InputEvent::press(Key::Escape)});
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
    std::string card = log("card.log");
    EXPECT_TRUE(has(card, "reply \"3.500\"")) << card;
    EXPECT_TRUE(has(card, "in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,1), image hatch5x4")) << card;
    EXPECT_TRUE(has(card, "image in use: hatch4x3, invert 0")) << card;
    EXPECT_TRUE(has(card, "image in use: hatch24s, invert 0")) << card;
    EXPECT_FALSE(has(card, "error")) << card;

    std::filesystem::remove(home.file("card.log"));
    ScopedEnv older("QDMGEN32_FIRMWARE", "2.982");
    run(10, 0, 0, {InputEvent::click("PATT_43_HATCH"), InputEvent::press(Key::Escape)});
    card = log("card.log");
    EXPECT_TRUE(has(card, "image in use: Linearty, invert 0")) << card;
    EXPECT_FALSE(has(card, "hatch")) << card;
}

TEST_F(DriverStation, TheSerialGeneratorGetsAnOddTotalMadeEven) {
    home.write("comports.ini", "[COM]\nCOM2=sim:qdgen\n");
    ScopedEnv ports("COMPORTS", home.file("comports.ini"));
    // Preset 4 has 801 dots a line: the check makes it 800 before it is sent.
    modeldb::ModelTiming& odd = model.image.presets[3];
    odd.hFrequency = odd.dotClock / 801.0f * 1000.0f;
    run(7, 2, 0, {InputEvent::charKey('4'), InputEvent::click("GRAYSCALE"), InputEvent::press(Key::Escape)});
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
    const std::string card = log("card.log");
    EXPECT_FALSE(has(card, "error")) << card;
    EXPECT_TRUE(has(card, "format Mode5 saved: HRAT")) << card;
    EXPECT_TRUE(has(card, "in use: format Mode5 (640x480, ")) << card;
    const std::string mode5 = card.substr(card.find("in use: format Mode5"));
    EXPECT_TRUE(has(mode5.substr(0, mode5.find('\n')), " Hz, 800 dots, guns 1,1,1), image Linearty")) << mode5;
    EXPECT_TRUE(has(card, "image in use: GRAYBAR, invert 0")) << card;
}

TEST_F(DriverStation, TheTimingCardLoadsTheDemoFiles) {
    std::filesystem::remove(home.file("SG/KOV_P4.vtp"));
    run(4, 0, 0,
        {InputEvent::charKey('2'), InputEvent::click("PATT_54_HATCH"), InputEvent::click("GUN_B"),
         InputEvent::click("INVERT"), InputEvent::click("WHITE"), InputEvent::press(Key::Escape)});
    EXPECT_EQ(ui.messages(), std::vector<std::string>{" VTG File is nothing ! "});
    const std::string sgFolder = home.file("SG/");
    const std::string vtg = log("vtg.log");
    for (const std::string& line : std::vector<std::string>{
             "open 1 1\n", "tim " + sgFolder + "KOV_VTG.vtt 0\npic " + sgFolder + "KOV_P1.vtp 0\ncol " + sgFolder + "KOV_RGB.vtc 0\n",
          "pic " + sgFolder + "KOV_P8.vtp 0\ncol " + sgFolder + "KOV_RGB.vtc 0\n",
          "pic " + sgFolder + "KOV_P8.vtp 0\ncol " + sgFolder + "KOV_B.vtc 0\n",
          "pic " + sgFolder + "KOV_P8.vtp 0\ncol " + sgFolder + "KOV_IB.vtc 0\n",
          "pic " + sgFolder + "KOV_P4.vtp 1 (missing)\n", "close 1 1\n"})
        EXPECT_TRUE(has(vtg, line)) << line << "\nin:\n" << vtg;
    EXPECT_EQ(vtg.find(" 1 (line"), std::string::npos) << vtg;  // every written file was taken
    // Row 2 went out as a timing file of its own.
    EXPECT_TRUE(has(vtg, "tim " + sgFolder + "KOV_VTG.vtt 0\npic " + sgFolder + "KOV_P1.vtp 0\n"));
}

TEST(DemoSgFolder, HoldsEveryFileTheTimingCardDriverCanChoose) {
    platform::testing::TestFolder home;
    ASSERT_TRUE(kit::writeDemoSgFolder(home.path()));
    std::vector<std::string> names;
    for (int32_t pattern = -1; pattern <= 17; ++pattern)
        if (pattern != siggen::kPatternSpecialWhite) names.push_back(siggen::vtgPictureName(pattern));
    for (int32_t colour = -1; colour <= 7; ++colour)
        for (int32_t invert : {0, 1}) names.push_back(siggen::vtgColourName(colour, invert));
    for (const std::string& name : names)
        EXPECT_TRUE(platform::findFile(home.path(), std::string("SG/") + name)) << name;
    EXPECT_EQ(kit::demoSgFileNames().size(), 15u + 15u);
}
