#include "siggen/sg_timing.h"

namespace siggen {

SgTiming defaultSgTiming() {
    SgTiming t;
    t.name = "VGA Graphics";
    t.resolution = "640 x 480";
    t.mode = 1;
    t.dotClock = 25.175f;
    t.hFrequency = 31469.0f;
    t.hTotal = 31.778f;
    t.hBlanking = 6.356f;
    t.hFront = 0.636f;
    t.hSync = 3.813f;
    t.hBack = 1.907f;
    t.hActive = 25.422f;
    t.vFrequency = 59.94f;
    t.vTotal = 525;
    t.vBlanking = 45;
    t.vFront = 10;
    t.vSync = 2;
    t.vBack = 33;
    t.vActive = 480;
    t.syncOnGreen = 0;
    t.syncExternal = 1;
    return t;
}

std::string patternName(int32_t pattern) {
    static const char* const names[] = {
        "CROSSHATCH", "PATT_MEME",   "GRAYSCALE", "WHITE", "PATT_USER_1", "PATT_MOIRE",  "PATT_43_HATCH",
        "PATT_54_HATCH", "SMALL_HATCH", "GRAY(30IRE)", "BLACK", "6%_WHITE", "PATT_USER_2", "Special WHITE",
    };
    if (pattern < 0 || pattern > kPatternSpecialWhite) return names[0];
    return names[pattern];
}

std::string colourName(int32_t colour) {
    switch (colour) {
    case kColourR: return "GUN_R";
    case kColourG: return "GUN_G";
    case kColourB: return "GUN_B";
    case kColourRB: return "GUN_RB";
    case kColourRG: return "GUN_RG";
    case kColourBG: return "GUN_BG";
    default: return "Normal(RGB)";
    }
}

} // namespace siggen
