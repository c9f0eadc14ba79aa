#pragma once
// The text files pelaro writes for the timing-generator card (the timing
// file, and the box picture and colour table of the special white) and the
// names of the ready-made picture and colour files the card loads for the
// other patterns. All live in the "SG" folder of the program home.
#include <cstdint>
#include <string>

#include "siggen/sg_timing.h"

namespace siggen {

constexpr const char* kVtgFolder = "SG";
constexpr const char* kVtgTimingFile = "KOV_VTG.vtt";
constexpr const char* kVtgBoxPicture = "KOV_BOX.vtp";
constexpr const char* kVtgBoxColours = "KOV_IRE.vtc";

// The timing file of `timing`, one value per line.
std::string vtgTimingFile(const SgTiming& timing);
// The special white's picture: a centred box over `box` percent of the screen.
std::string vtgBoxPicture(int box);
// Its 256-entry colour table: entry 1, the box, at `level` percent on the
// guns of `colour`; the other entries grey.
std::string vtgBoxColours(int level, int32_t colour);

// The ready-made picture of a pattern other than the special white:
// "KOV_P1.vtp" ... "KOV_P13.vtp" for 0..12, "KOV_P13.vtp" for 15,
// "KOV_P13_75.vtp" for 16, "Grid.vtp" for any other.
std::string vtgPictureName(int32_t pattern);
// The ready-made colour table of a gun choice: "KOV_R.vtc" ... "KOV_RGB.vtc",
// "KOV_IR.vtc" ... when inverted, "color.vtc" for a choice outside 0..6.
std::string vtgColourName(int32_t colour, int32_t invert);

} // namespace siggen
