#include <gtest/gtest.h>

#include "app/generator_control_screen.h"
#include "app/screen_open_handling.h"
#include "screen_fixture.h"

using namespace app;
using app::testing::RegisterWrite;

namespace {

const char* kSyntax = " ECS syntax Error   NG! NG! NG! ";
const char* kNoMonitor = " Can't connect the Monitor ! \n Check Bus line and condition! ";

struct Control : ::testing::Test, app::testing::ScreenFixture {
    void SetUp() override {
        useKind(0);
        sg.SgResetDefault();  // as at start-up
        driver = siggen::DriverLog{};
    }
    // The timing names the generator was sent, in order.
    std::vector<std::string> sent() const {
        std::vector<std::string> names;
        for (const auto& t : driver.timings) names.push_back(t.name);
        return names;
    }
    std::string& presetName(int index) { return model.image.presets[static_cast<size_t>(index)].name; }
};

} // namespace

TEST_F(Control, OpeningListsThePresetsAndChecksTheDefaults) {
    presetName(1) = "1024x768 @ 85Hz";
    GeneratorControlScreen screen(context);
    screen.open();
    EXPECT_EQ(screen.modelName(), "CM-17X");
    ASSERT_EQ(screen.timingLines().size(), 12u);
    EXPECT_EQ(screen.timingLines()[0], " 1 : Timing 1       ");
    EXPECT_EQ(screen.timingLines()[1], " 2 : 1024x768 @ 85Hz");
    EXPECT_EQ(screen.timingLines()[11], "12 : Timing 12      ");
    EXPECT_EQ(screen.currentRow(), -1);
    EXPECT_EQ(screen.timingNumberText(), "");
    EXPECT_EQ(screen.checkedPattern(), 0);
    EXPECT_EQ(screen.checkedColour(), 3);
    EXPECT_EQ(screen.checkedInversion(), 0);
    EXPECT_EQ(driver.applies(), 0u);  // opening sends nothing
}

TEST_F(Control, ButtonsInTheirOrder) {
    const auto& p = GeneratorControlScreen::patternButtons();
    for (size_t i = 0; i < p.size(); ++i) EXPECT_EQ(p[i], static_cast<int32_t>(i));
    EXPECT_EQ(GeneratorControlScreen::colourButtons(), (std::array<int32_t, 7>{3, 0, 1, 2, 4, 5, 6}));
    EXPECT_EQ(GeneratorControlScreen::inversionButtons(), (std::array<int32_t, 2>{0, 1}));
    EXPECT_EQ(GeneratorControlScreen::patternButtonText(11), "6%_WHITE");
    EXPECT_EQ(GeneratorControlScreen::colourButtonText(3), "Normal(RGB)");
}

TEST_F(Control, ApplyingARowSendsItsTimingOnceAndShowsItsNumber) {
    GeneratorControlScreen screen(context);
    screen.open();
    screen.pressPattern(5);  // leaves patternOnly set
    screen.applyRow(2);
    EXPECT_EQ(sent(), (std::vector<std::string>{"VGA Graphics", "Timing 3"}));  // the pattern, then row 3
    ASSERT_EQ(driver.applies(), 2u);
    EXPECT_EQ(driver.timings[1].name, "Timing 3");
    EXPECT_FALSE(driver.patternOnly[1]);
    EXPECT_EQ(sg.patternChanged(), 0);
    EXPECT_EQ(screen.currentRow(), 2);
    EXPECT_EQ(screen.timingNumberText(), "3 ");

    screen.applyRow(2);  // already current
    screen.applyRow(12); // beyond the list
    screen.applyRow(-1);
    EXPECT_EQ(driver.applies(), 2u);
    screen.applyRow(10);
    EXPECT_EQ(screen.timingNumberText(), "11");
    EXPECT_EQ(driver.applies(), 3u);

    screen.selectRow(4);
    screen.applySelectedRow();  // Enter in the list
    EXPECT_EQ(sent().back(), "Timing 5");
}

TEST_F(Control, SameButtonTwiceSendsNothingTheSecondTime) {
    GeneratorControlScreen screen(context);
    screen.open();
    screen.pressPattern(0);  // pattern 0 is in force after the reset
    EXPECT_EQ(driver.applies(), 0u);
    screen.pressPattern(3);
    screen.pressPattern(3);
    EXPECT_EQ(driver.applies(), 1u);
    EXPECT_EQ(screen.checkedPattern(), 3);
    EXPECT_TRUE(driver.patternOnly[0]);
    EXPECT_EQ(sg.patternChanged(), 1);

    screen.pressColour(3);
    EXPECT_EQ(driver.applies(), 1u);
    screen.pressColour(1);
    screen.pressColour(1);
    EXPECT_EQ(driver.applies(), 2u);
    EXPECT_EQ(sg.patternChanged(), 0);

    screen.pressInversion(1);
    screen.pressInversion(1);
    EXPECT_EQ(driver.applies(), 3u);
    EXPECT_EQ(sg.patternChanged(), 1);
    EXPECT_EQ(driver.selections.back(), (siggen::SgPatternSelection{3, 1, 1}));
}

TEST_F(Control, DigitKeysApplyRowsOneToTenWithZeroForTen) {
    GeneratorControlScreen screen(context);
    screen.open();
    screen.pressDigit(0);
    EXPECT_EQ(sent(), std::vector<std::string>{"Timing 10"});
    EXPECT_EQ(screen.selectedRow(), 9);
    EXPECT_EQ(screen.timingNumberText(), "10");
    screen.pressDigit(1);
    screen.pressDigit(9);
    EXPECT_EQ(sent(), (std::vector<std::string>{"Timing 10", "Timing 1", "Timing 9"}));
    EXPECT_EQ(driver.applies(), 3u);

    setPresets(model, 9);
    GeneratorControlScreen few(context);
    few.open();
    few.pressDigit(0);
    EXPECT_EQ(few.selectedRow(), -1);
    EXPECT_EQ(driver.applies(), 3u);
}

TEST_F(Control, SpecialValueSevenMakesPresetSevenUnusableUntilClosed) {
    setSpecial(1, 7);
    model.image.special2[1].codes = {0x0101, 0, 0, 0, 0};  // not used with value 7
    GeneratorControlScreen screen(context);
    screen.open();
    EXPECT_EQ(screen.timingLines()[6], " 7 : Can not use    ");
    EXPECT_EQ(presetName(6), "Can not use");
    screen.applyRow(6);
    screen.pressDigit(7);
    EXPECT_EQ(driver.applies(), 0u);
    screen.ok();
    EXPECT_EQ(presetName(6), "Timing 7");
    EXPECT_TRUE(writes().empty());
    EXPECT_TRUE(screen.closed());
}

TEST_F(Control, SpecialValueZeroWritesTheEntryAndExitListsUpToCodeZero) {
    model.image.special2[1].codes = {0x0102, 0x0203, 0, 0x0405, 0};
    model.image.special2[1].values = {5, 6, 0, 8, 0};
    model.image.special3[1].codes = {0x0301, 0x0302, 0x0303, 0x0304, 0x0305};
    model.image.special3[1].values = {1, 2, 3, 4, -5};
    for (uint16_t code : {0x0203, 0x0301, 0x0302, 0x0304, 0x0305}) defineRegister(code);
    regs.refuse(0x0102, core::ECS_ERR_FORMAT);
    regs.refuse(0x0303, core::ECS_ERR_LINK);
    GeneratorControlScreen screen(context);
    screen.open();
    EXPECT_EQ(writes(), (std::vector<RegisterWrite>{{0x0102, 5, 1}, {0x0203, 6, 1}}));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kSyntax});
    screen.ok();
    ASSERT_EQ(writes().size(), 7u);
    EXPECT_EQ(writes()[6], (RegisterWrite{0x0305, -5, 1}));
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{kSyntax, kNoMonitor}));
}

TEST_F(Control, EmptyEntryListAndOtherValuesWriteNothing) {
    model.image.special2[1].codes = {0, 0x0102, 0, 0, 0};
    GeneratorControlScreen screen(context);
    screen.open();
    screen.ok();
    EXPECT_TRUE(writes().empty());

    setSpecial(1, 3);
    model.image.special2[1].codes = {0x0101, 0, 0, 0, 0};
    model.image.special3[1].codes = {0x0101, 0, 0, 0, 0};
    SpecialScreenHandling h(context, 1);
    h.enter();
    h.exit();
    EXPECT_TRUE(writes().empty());
    // Screens beyond the five lists have none.
    setSpecial(6, 0);
    SpecialScreenHandling beyond(context, 6);
    beyond.enter();
    beyond.exit();
    EXPECT_TRUE(writes().empty());
}

TEST_F(Control, OkResetsTheGeneratorToItsDefaultOnce) {
    GeneratorControlScreen screen(context);
    screen.open();
    screen.applyRow(4);
    screen.pressColour(2);
    screen.ok();
    screen.ok();
    EXPECT_TRUE(screen.closed());
    EXPECT_EQ(screen.result(), 1);
    ASSERT_EQ(driver.applies(), 3u);
    EXPECT_EQ(driver.timings[2].name, "VGA Graphics");
    EXPECT_EQ(driver.selections[2], (siggen::SgPatternSelection{0, 3, 0}));
    EXPECT_FALSE(driver.patternOnly[2]);
}

TEST_F(Control, ManualKindShowsTheParametersAfterEveryChange) {
    useKind(8);
    GeneratorControlScreen screen(context);
    screen.open();
    screen.applyRow(1);
    screen.pressPattern(2);
    screen.pressPattern(2);
    screen.pressColour(0);
    ASSERT_EQ(ui.manualParameters().size(), 3u);
    EXPECT_EQ(ui.manualParameters()[0].rows[1].value, "Timing 2");
    EXPECT_EQ(ui.manualParameters()[0].rows[4].value, "26.175");
    EXPECT_EQ(ui.manualParameters()[1].rows[22].value, "GRAYSCALE");
    EXPECT_EQ(ui.manualParameters()[2].rows[23].value, "GUN_R");
    EXPECT_EQ(driver.applies(), 0u);
}

TEST_F(Control, CommandPicksNoticePanelOrScreenByKind) {
    useKind(8);
    runGeneratorControl(context);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kManualModeNotice});
    EXPECT_TRUE(ui.modalKinds().empty());

    useKind(9);
    ui.answerModal([](core::Screen& s) {
        auto& panel = dynamic_cast<AppliancePanel&>(s);
        panel.ok();
        return 1;
    });
    runGeneratorControl(context);

    // The dialog may end without OK (window closed): the exit handling still runs.
    useKind(0);
    setSpecial(1, 7);
    ui.answerModal([this](core::Screen& s) {
        auto& screen = dynamic_cast<GeneratorControlScreen&>(s);
        EXPECT_EQ(presetName(6), "Can not use");
        screen.pressDigit(3);
        return 0;
    });
    runGeneratorControl(context);
    EXPECT_EQ(ui.modalKinds(), (std::vector<std::string>{"AppliancePanel", "GeneratorControl"}));
    EXPECT_EQ(presetName(6), "Timing 7");
    ASSERT_EQ(driver.applies(), 2u);
    EXPECT_EQ(driver.timings[0].name, "Timing 3");
    EXPECT_EQ(driver.timings[1].name, "VGA Graphics");
}

TEST_F(Control, AppliancePanelShowsPositiveCodesAndWritesOne) {
    auto& panelCodes = model.chassis.panelButtons;
    panelCodes[0] = 0x0210;
    panelCodes[1] = 0;
    panelCodes[2] = -4;
    panelCodes[29] = 0x0301;
    defineRegister(0x0210);
    defineRegister(0x0301);
    regs.refuse(0x0301, core::ECS_ERR_LINK);
    AppliancePanel panel(context);
    panel.open();
    EXPECT_TRUE(panel.buttons()[0].visible);
    EXPECT_EQ(panel.buttons()[0].text, "REG_0210");
    EXPECT_FALSE(panel.buttons()[1].visible);
    EXPECT_FALSE(panel.buttons()[2].visible);
    EXPECT_TRUE(panel.buttons()[29].visible);
    panel.press(1);
    panel.press(2);
    panel.press(30);
    EXPECT_TRUE(writes().empty());
    panel.press(0);
    panel.press(29);
    EXPECT_EQ(writes(), (std::vector<RegisterWrite>{{0x0210, 1, 1}, {0x0301, 1, 1}}));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kNoMonitor});
}
