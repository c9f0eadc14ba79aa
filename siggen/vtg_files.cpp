#include "siggen/vtg_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/text_format.h"

namespace siggen {

namespace {

void line(std::string& out, const std::string& text) {
    out += text;
    out += '\n';
}

// A line count for "%5d": kept within an int.
int lines(int64_t n) { return static_cast<int>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX)); }

const char* sign(int32_t polarity) { return polarity != 0 ? "-" : "+"; }

} // namespace

std::string vtgTimingFile(const SgTiming& t) {
    const double dotClock = t.dotClock;
    const double hFrequency = t.hFrequency;
    std::string f;
    line(f, "VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7");
    line(f, "KOV VTG File ");
    line(f, core::strf("%3.3f", hFrequency / 1000));
    line(f, core::strf("%3.3f", static_cast<double>(t.hTotal)));
    line(f, core::strf("%3.3f", static_cast<double>(t.hActive)));
    line(f, core::strf("%5.0f", dotClock / hFrequency * 1000000 * t.hActive / t.hTotal));  // active dots
    line(f, core::strf("%3.3f", static_cast<double>(t.hSync)));
    line(f, core::strf("%3.3f", static_cast<double>(t.hBack)));
    line(f, core::strf("%5d", t.vTotal));
    line(f, core::strf("%5d", lines(t.interlace != 0 ? int64_t{2} * t.vActive : t.vActive)));
    line(f, core::strf("%5d", t.vSync));
    line(f, core::strf("%5d", t.vBack));
    if (t.syncExternal != 0)
        for (const char* l : {sign(t.hPolarity), sign(t.vPolarity), "T", "-"}) line(f, l);
    if (t.syncOnGreen != 0)
        for (const char* l : {"+Off", "+Off", "G", "-"}) line(f, l);
    if (t.syncComposite != 0)
        for (const char* l : {"C", "+Off", "T", sign(t.hPolarity)}) line(f, l);
    line(f, core::strf("%3.3f", static_cast<double>(t.hFront)));
    line(f, core::strf("%5d", t.vFront));
    line(f, core::strf("%3.3f", dotClock));
    line(f, t.interlace != 0 ? "yes" : "no");
    for (const char* l : {"0", "0", "0", "0", "H+V", "Act"}) line(f, l);
    return f;
}

std::string vtgBoxPicture(int box) {
    const double s = std::sqrt(static_cast<double>(std::clamp(box, 0, 100)));
    std::string f;
    for (const char* l : {"VTG-Ver 5.2.0", "BOX", "ABSOLUTE ", ""}) line(f, l);
    line(f, core::strf("%s %-3d", "SET A", static_cast<int>((10 - s) * 5)));  // offset, percent of the screen
    line(f, core::strf("%s %-3d", "SET B", static_cast<int>(s * 10)));        // side, percent of the screen
    for (const char* l : {"SET M 1 ; ACTIVE COLOR", "SET E 0 ; BACKGROUND COLOR", "COLOR E", "BOX 0 0 MAXX MAXY",
                          "COLOR M ", "SET W MAXX", "SET H MAXY", "SET J W*A", "SET J J/100", "SET K H*A",
                          "SET K K/100", "SET X W*B", "SET X X/100", "SET Y H*B", "SET Y Y/100", "SET W J+X",
                          "SET H K+Y", "BOX J K  W H"})
        line(f, l);
    return f;
}

std::string vtgBoxColours(int level, int32_t colour) {
    const int l = std::clamp(level, 0, 100) * 255 / 100;
    int r = l, g = l, b = l;
    switch (colour) {
    case kColourR: g = b = 0; break;
    case kColourG: r = b = 0; break;
    case kColourB: r = g = 0; break;
    case kColourRB: g = 0; break;
    case kColourRG: b = 0; break;
    case kColourBG: r = 0; break;
    default: break;
    }
    std::string f;
    line(f, "VTG-Ver 5.2.0 HW=VTG-3A/135_08_3.1.5");
    line(f, "");
    line(f, "0 0 0 ");
    line(f, core::strf("%3d %3d %3d", r, g, b));
    for (int i = 2; i <= 255; ++i) line(f, core::strf("%3d %3d %3d", i, i, i));
    line(f, " 700");
    line(f, " 300");
    return f;
}

std::string vtgPictureName(int32_t pattern) {
    if (pattern >= 0 && pattern <= kPatternUser2) return core::strf("KOV_P%d.vtp", pattern + 1);
    if (pattern == 15) return "KOV_P13.vtp";
    if (pattern == 16) return "KOV_P13_75.vtp";
    return "Grid.vtp";
}

std::string vtgColourName(int32_t colour, int32_t invert) {
    static const char* const guns[] = {"R", "G", "B", "RGB", "RB", "RG", "GB"};
    if (colour < 0 || colour > kColourBG) return "color.vtc";
    return core::strf("KOV_%s%s.vtc", invert != 0 ? "I" : "", guns[colour]);
}

} // namespace siggen
