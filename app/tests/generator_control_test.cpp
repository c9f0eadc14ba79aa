#include <gtest/gtest.h>

#include "siggen/tests/recording_driver.h"
#include "app/generator_control_screen.h"
#include "app/screen_open_handling.h"
#include "core/test_ui.h"
#include "fake_generator_model.h"
#include "platform/clock.h"

using namespace app;
using siggen::DriverLog;
using siggen::RecordingDriver;

namespace {

const char* kSyntax = " ECS syntax Error   NG! NG! NG! ";
const char* kNoMonitor = " Can't connect the Monitor ! \n Check Bus line and condition! ";

struct Control : ::testing::Test {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    DriverLog driver;
    FakeGeneratorModel model{12};

    void useKind(int kind) {
        sg.installDriver(kind, std::make_unique<RecordingDriver>(driver));
        sg.SgSelect(kind, 1, 0);
    }
    void SetUp() override {
        useKind(0);
        sg.SgResetDefault();  // as at start-up
        driver = DriverLog{};
    }
};

} // namespace

TEST_F(Control, OpeningListsThePresetsAndChecksTheDefaults) {
    model.names[1] = "1024x768 @ 85Hz";
    GeneratorControlScreen screen(model, sg, ui);
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
    GeneratorControlScreen screen(model, sg, ui);
    screen.open();
    screen.pressPattern(5);  // leaves patternOnly set
    screen.applyRow(2);
    EXPECT_EQ(model.selected, std::vector<int>{3});
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
    EXPECT_EQ(model.selected.back(), 5);
}

TEST_F(Control, SameButtonTwiceSendsNothingTheSecondTime) {
    GeneratorControlScreen screen(model, sg, ui);
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
    GeneratorControlScreen screen(model, sg, ui);
    screen.open();
    screen.pressDigit(0);
    EXPECT_EQ(model.selected, std::vector<int>{10});
    EXPECT_EQ(screen.selectedRow(), 9);
    EXPECT_EQ(screen.timingNumberText(), "10");
    screen.pressDigit(1);
    screen.pressDigit(9);
    EXPECT_EQ(model.selected, (std::vector<int>{10, 1, 9}));
    EXPECT_EQ(driver.applies(), 3u);

    FakeGeneratorModel small(9);
    GeneratorControlScreen few(small, sg, ui);
    few.open();
    few.pressDigit(0);
    EXPECT_TRUE(small.selected.empty());
    EXPECT_EQ(few.selectedRow(), -1);
    EXPECT_EQ(driver.applies(), 3u);
}

TEST_F(Control, SpecialValueSevenMakesPresetSevenUnusableUntilClosed) {
    model.special[1] = 7;
    model.entry[1].codes = {0x0101, 0, 0, 0, 0};  // not used with value 7
    GeneratorControlScreen screen(model, sg, ui);
    screen.open();
    EXPECT_EQ(screen.timingLines()[6], " 7 : Can not use    ");
    EXPECT_EQ(model.names[6], "Can not use");
    screen.applyRow(6);
    screen.pressDigit(7);
    EXPECT_EQ(driver.applies(), 0u);
    EXPECT_TRUE(model.selected.empty());
    screen.ok();
    EXPECT_EQ(model.names[6], "Timing 7");
    EXPECT_TRUE(model.writes.empty());
    EXPECT_TRUE(screen.closed());
}

TEST_F(Control, SpecialValueZeroWritesTheEntryAndExitListsUpToCodeZero) {
    model.entry[1].codes = {0x0102, 0x0203, 0, 0x0405, 0};
    model.entry[1].values = {5, 6, 0, 8, 0};
    model.exit[1].codes = {0x0301, 0x0302, 0x0303, 0x0304, 0x0305};
    model.exit[1].values = {1, 2, 3, 4, -5};
    model.results[0x0102] = core::ECS_ERR_FORMAT;
    model.results[0x0303] = core::ECS_ERR_LINK;
    GeneratorControlScreen screen(model, sg, ui);
    screen.open();
    EXPECT_EQ(model.writes, (std::vector<RegisterWrite>{{0x0102, 5, 1}, {0x0203, 6, 1}}));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kSyntax});
    screen.ok();
    ASSERT_EQ(model.writes.size(), 7u);
    EXPECT_EQ(model.writes[6], (RegisterWrite{0x0305, -5, 1}));
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{kSyntax, kNoMonitor}));
}

TEST_F(Control, EmptyEntryListAndOtherValuesWriteNothing) {
    model.entry[1].codes = {0, 0x0102, 0, 0, 0};
    GeneratorControlScreen screen(model, sg, ui);
    screen.open();
    screen.ok();
    EXPECT_TRUE(model.writes.empty());

    FakeGeneratorModel other(3);
    other.special[1] = 3;
    other.entry[1].codes = {0x0101, 0, 0, 0, 0};
    other.exit[1].codes = {0x0101, 0, 0, 0, 0};
    SpecialScreenHandling h(other, ui, 1);
    h.enter();
    h.exit();
    EXPECT_TRUE(other.writes.empty());
    // Screens beyond the five lists have none.
    other.special[6] = 0;
    SpecialScreenHandling beyond(other, ui, 6);
    beyond.enter();
    beyond.exit();
    EXPECT_TRUE(other.writes.empty());
}

TEST_F(Control, OkResetsTheGeneratorToItsDefaultOnce) {
    GeneratorControlScreen screen(model, sg, ui);
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
    GeneratorControlScreen screen(model, sg, ui);
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
    runGeneratorControl(model, sg, ui);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kManualModeNotice});
    EXPECT_TRUE(ui.modalKinds().empty());

    useKind(9);
    ui.answerModal([](core::Screen& s) {
        auto& panel = dynamic_cast<AppliancePanel&>(s);
        panel.ok();
        return 1;
    });
    runGeneratorControl(model, sg, ui);

    // The dialog may end without OK (window closed): the exit handling still runs.
    useKind(0);
    model.special[1] = 7;
    ui.answerModal([this](core::Screen& s) {
        auto& screen = dynamic_cast<GeneratorControlScreen&>(s);
        EXPECT_EQ(model.names[6], "Can not use");
        screen.pressDigit(3);
        return 0;
    });
    runGeneratorControl(model, sg, ui);
    EXPECT_EQ(ui.modalKinds(), (std::vector<std::string>{"AppliancePanel", "GeneratorControl"}));
    EXPECT_EQ(model.names[6], "Timing 7");
    ASSERT_EQ(driver.applies(), 2u);
    EXPECT_EQ(driver.timings[0].name, "Timing 3");
    EXPECT_EQ(driver.timings[1].name, "VGA Graphics");
}

TEST_F(Control, AppliancePanelShowsPositiveCodesAndWritesOne) {
    model.panel[0] = 0x0210;
    model.panel[1] = 0;
    model.panel[2] = -4;
    model.panel[29] = 0x0301;
    model.results[0x0301] = core::ECS_ERR_LINK;
    AppliancePanel panel(model, ui);
    panel.open();
    EXPECT_TRUE(panel.buttons()[0].visible);
    EXPECT_EQ(panel.buttons()[0].text, "REG_0210");
    EXPECT_FALSE(panel.buttons()[1].visible);
    EXPECT_FALSE(panel.buttons()[2].visible);
    EXPECT_TRUE(panel.buttons()[29].visible);
    panel.press(1);
    panel.press(2);
    panel.press(30);
    EXPECT_TRUE(model.writes.empty());
    panel.press(0);
    panel.press(29);
    EXPECT_EQ(model.writes, (std::vector<RegisterWrite>{{0x0210, 1, 1}, {0x0301, 1, 1}}));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kNoMonitor});
}
