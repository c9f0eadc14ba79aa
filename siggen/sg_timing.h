#pragma once
// The generator's current timing record and pattern selection, and the
// built-in default timing.
#include <array>
#include <cstdint>
#include <string>

namespace siggen {

struct SgTiming {
    std::string name;        // at most 15 characters
    std::string resolution;  // e.g. "640 x 480"
    int32_t mode = 0;        // timing number
    float dotClock = 0;      // MHz
    float hFrequency = 0;    // Hz
    float hTotal = 0, hBlanking = 0, hFront = 0, hSync = 0, hBack = 0, hActive = 0;  // microseconds
    float vFrequency = 0;    // Hz
    int32_t vTotal = 0, vBlanking = 0, vFront = 0, vSync = 0, vBack = 0, vActive = 0;  // lines
    int32_t syncOnGreen = 0;
    int32_t syncExternal = 0;
    int32_t syncComposite = 0;
    int32_t hPolarity = 0;  // 0 positive
    int32_t vPolarity = 0;
    std::array<int32_t, 2> reserved{};
    int32_t interlace = 0;
};

// "VGA Graphics", 640 x 480 at 31.469 kHz / 59.94 Hz, separate sync.
SgTiming defaultSgTiming();

// Pattern indices.
enum SgPattern : int32_t {
    kPatternCrosshatch = 0,
    kPatternMeme = 1,
    kPatternGrayscale = 2,
    kPatternWhite = 3,
    kPatternUser1 = 4,
    kPatternMoire = 5,
    kPattern43Hatch = 6,
    kPattern54Hatch = 7,
    kPatternSmallHatch = 8,
    kPatternGray30Ire = 9,
    kPatternBlack = 10,
    kPattern6PercentWhite = 11,
    kPatternUser2 = 12,
    kPatternSpecialWhite = 13,
};

// Colour-gun choices.
enum SgColour : int32_t {
    kColourR = 0,
    kColourG = 1,
    kColourB = 2,
    kColourAll = 3,
    kColourRB = 4,
    kColourRG = 5,
    kColourBG = 6,
};

struct SgPatternSelection {
    int32_t pattern = kPatternCrosshatch;
    int32_t colour = kColourAll;
    int32_t invert = 0;  // 1 = inverted
    bool operator==(const SgPatternSelection&) const = default;
};

// "CROSSHATCH" ... "Special WHITE"; any other index reads "CROSSHATCH".
std::string patternName(int32_t pattern);
// "GUN_R" ... "GUN_BG"; all guns and anything outside 0..6 read "Normal(RGB)".
std::string colourName(int32_t colour);

} // namespace siggen
