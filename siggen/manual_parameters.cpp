#include "siggen/manual_parameters.h"

#include "core/text_format.h"
#include "siggen/signal_generator.h"

namespace siggen {

const char* const kManualParametersHeading =
    "Confirm input signal matches these parameters\nbefore proceeding with adjustment:";

namespace {

std::string modeText(int32_t mode) {
    if (mode == 201) return "Prime Mode";
    if (mode <= 100 || mode >= 200) return core::strf("%2d", mode);
    return core::strf("ADJ_%-2d", mode - 100);
}

std::string syncTypeText(const SgTiming& t) {
    // Tested in this order: the last flag that is set wins.
    std::string text;
    if (t.syncExternal == 1) text = " External";
    if (t.syncComposite == 1) text = " Composite";
    if (t.syncOnGreen == 1) text = " Sync on Green";
    return text;
}

std::string polarityText(int32_t polarity) { return polarity != 0 ? " -" : " +"; }

} // namespace

std::vector<core::ParameterRow> manualParameterRows(const SgTiming& t, const SgPatternSelection& s,
                                                    const std::optional<std::string>& information) {
    using core::strf;
    std::vector<core::ParameterRow> rows{
        {"Mode", modeText(t.mode), ""},
        {"Timing Name", t.name, ""},
        {"Resolution", t.resolution, ""},
        {"Interlace", t.interlace != 0 ? "Interlace" : "NON Interlace", ""},
        {"Dot Clock", strf("%4.3f", t.dotClock), "[MHz]"},
        {"H Frequency", strf("%4.3f", t.hFrequency / 1000.0f), "[KHz]"},
        {"H Total", strf("%3.3f", t.hTotal), "[uSec]"},
        {"H Blanking", strf(" %3.3f", t.hBlanking), "[uSec]"},
        {"H Front ", strf(" %3.3f", t.hFront), "[uSec]"},
        {"H Sync", strf(" %3.3f", t.hSync), "[uSec]"},
        {"H Back", strf(" %3.3f", t.hBack), "[uSec]"},
        {"H Active", strf(" %3.3f", t.hActive), "[uSec]"},
        {"V Frequency", strf("%3.3f", t.vFrequency), "[Hz]"},
        {"V Total", strf("%3d", t.vTotal), "[Line]"},
        {"V Blanking", strf("%3d", t.vBlanking), "[Line]"},
        {"V Front ", strf("%3d", t.vFront), "[Line]"},
        {"V Sync", strf("%3d", t.vSync), "[Line]"},
        {"V Back", strf("%3d", t.vBack), "[Line]"},
        {"V Active", strf("%3d", t.vActive), "[Line]"},
        {"Sync Type", syncTypeText(t), ""},
        {"H polality", polarityText(t.hPolarity), ""},
        {"V Polarity", polarityText(t.vPolarity), ""},
        {"Pattern", patternName(s.pattern), ""},
        {"Color", colourName(s.colour), ""},
    };
    if (information) rows.push_back({"Information", *information, ""});
    rows.push_back({"END", "", ""});
    if (rows.size() > kManualParametersMaxRows) rows.resize(kManualParametersMaxRows);
    return rows;
}

std::string ireInformation(int level, int box) { return core::strf("%3d[IRE],%3d[%%]", level, box); }

void ShowManualParameters(core::Ui& ui, const SignalGenerator& sg, const std::optional<std::string>& information) {
    ui.showManualParameters(kManualParametersHeading, manualParameterRows(sg.timing(), sg.selection(), information));
}

} // namespace siggen
