#pragma once
// The generator's current timing record and pattern selection, and the
// built-in default timing.
#include <array>
#include <cstdint>
#include <string>

#include "modeldb/model_data.h"

namespace siggen {

// The record lives with the model data, which fills it from a model timing;
// the generator layer owns the one instance the program uses.
using SgTiming = modeldb::SgTiming;

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
