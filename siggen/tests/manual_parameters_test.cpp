#include <gtest/gtest.h>

#include "core/test_ui.h"
#include "platform/clock.h"
#include "siggen/manual_parameters.h"
#include "siggen/signal_generator.h"

using namespace siggen;

namespace {

std::string valueOf(const std::vector<core::ParameterRow>& rows, const std::string& item) {
    for (const auto& r : rows)
        if (r.item == item) return r.value;
    ADD_FAILURE() << "no row " << item;
    return {};
}

std::string modeShown(int mode) {
    SgTiming t = defaultSgTiming();
    t.mode = mode;
    return valueOf(manualParameterRows(t, {}), "Mode");
}

} // namespace

TEST(ManualParameters, DefaultTimingRowsExactly) {
    const auto rows = manualParameterRows(defaultSgTiming(), SgPatternSelection{});
    const std::vector<core::ParameterRow> expected{
        {"Mode", " 1", ""},
        {"Timing Name", "VGA Graphics", ""},
        {"Resolution", "640 x 480", ""},
        {"Interlace", "NON Interlace", ""},
        {"Dot Clock", "25.175", "[MHz]"},
        {"H Frequency", "31.469", "[KHz]"},
        {"H Total", "31.778", "[uSec]"},
        {"H Blanking", " 6.356", "[uSec]"},
        {"H Front ", " 0.636", "[uSec]"},
        {"H Sync", " 3.813", "[uSec]"},
        {"H Back", " 1.907", "[uSec]"},
        {"H Active", " 25.422", "[uSec]"},
        {"V Frequency", "59.940", "[Hz]"},
        {"V Total", "525", "[Line]"},
        {"V Blanking", " 45", "[Line]"},
        {"V Front ", " 10", "[Line]"},
        {"V Sync", "  2", "[Line]"},
        {"V Back", " 33", "[Line]"},
        {"V Active", "480", "[Line]"},
        {"Sync Type", " External", ""},
        {"H polality", " +", ""},
        {"V Polarity", " +", ""},
        {"Pattern", "CROSSHATCH", ""},
        {"Color", "Normal(RGB)", ""},
        {"END", "", ""},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].item, expected[i].item) << i;
        EXPECT_EQ(rows[i].value, expected[i].value) << i;
        EXPECT_EQ(rows[i].unit, expected[i].unit) << i;
    }
}

TEST(ManualParameters, ModeNumbers) {
    EXPECT_EQ(modeShown(105), "ADJ_5 ");
    EXPECT_EQ(modeShown(201), "Prime Mode");
    EXPECT_EQ(modeShown(7), " 7");
    EXPECT_EQ(modeShown(100), "100");
    EXPECT_EQ(modeShown(101), "ADJ_1 ");
    EXPECT_EQ(modeShown(199), "ADJ_99");
    EXPECT_EQ(modeShown(200), "200");
}

TEST(ManualParameters, SyncTypePolaritiesInterlaceAndNames) {
    SgTiming t = defaultSgTiming();
    t.syncOnGreen = 1;  // with syncExternal still set: the later flag wins
    EXPECT_EQ(valueOf(manualParameterRows(t, {}), "Sync Type"), " Sync on Green");
    t.syncOnGreen = 0;
    t.syncComposite = 1;
    EXPECT_EQ(valueOf(manualParameterRows(t, {}), "Sync Type"), " Composite");
    t.syncExternal = t.syncComposite = 0;
    EXPECT_EQ(valueOf(manualParameterRows(t, {}), "Sync Type"), "");

    t.hPolarity = 1;
    t.vPolarity = -1;
    t.interlace = 1;
    auto rows = manualParameterRows(t, SgPatternSelection{20, 7, 0});
    EXPECT_EQ(valueOf(rows, "H polality"), " -");
    EXPECT_EQ(valueOf(rows, "V Polarity"), " -");
    EXPECT_EQ(valueOf(rows, "Interlace"), "Interlace");
    EXPECT_EQ(valueOf(rows, "Pattern"), "CROSSHATCH");
    EXPECT_EQ(valueOf(rows, "Color"), "Normal(RGB)");

    rows = manualParameterRows(t, SgPatternSelection{13, 6, 0});
    EXPECT_EQ(valueOf(rows, "Pattern"), "Special WHITE");
    EXPECT_EQ(valueOf(rows, "Color"), "GUN_BG");
    EXPECT_EQ(patternName(11), "6%_WHITE");
    EXPECT_EQ(patternName(-1), "CROSSHATCH");
    EXPECT_EQ(colourName(0), "GUN_R");
    EXPECT_EQ(colourName(3), "Normal(RGB)");
    EXPECT_EQ(colourName(-2), "Normal(RGB)");
}

TEST(ManualParameters, InformationRowBeforeEndAndShownThroughTheUi) {
    core::TestUi ui;
    platform::FakeClock clock;
    SignalGenerator sg(ui, clock);
    sg.SgSelect(8, 0, 0);
    sg.SgResetDefault();
    sg.setSpecialWhite(100, 6);
    ShowManualParameters(ui, sg, ireInformation(sg.specialWhiteLevel(), sg.specialWhiteBox()));
    ShowManualParameters(ui, sg);
    ASSERT_EQ(ui.manualParameters().size(), 2u);
    const auto& shown = ui.manualParameters()[0];
    EXPECT_EQ(shown.heading, "Confirm input signal matches these parameters\nbefore proceeding with adjustment:");
    ASSERT_EQ(shown.rows.size(), 26u);
    EXPECT_EQ(shown.rows[24].item, "Information");
    EXPECT_EQ(shown.rows[24].value, "100[IRE],  6[%]");
    EXPECT_EQ(shown.rows[25].item, "END");
    EXPECT_EQ(ui.manualParameters()[1].rows.size(), 25u);
    EXPECT_EQ(ui.manualParameters()[1].rows[24].item, "END");
}
