#pragma once
// What the pattern-generator driver sends: the program record built from a
// timing, the pattern-select record, the sign-on code string, the pattern
// table and the glyph of user character 224.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "modeldb/model_data.h"

namespace siggen {

constexpr int kPgProgramWords = 118;
constexpr int kPgSelectWords = 22;
constexpr int kPgGlyphBytes = 1024;
constexpr int32_t kPgUserCharacter = 224;

using PgProgramRecord = std::array<int32_t, kPgProgramWords>;
using PgSelectRecord = std::array<int32_t, kPgSelectWords>;
using PgGlyph = std::array<uint8_t, kPgGlyphBytes>;

// The program for the working buffer, word by word from the timing. Values
// beyond a word are held at its limits; a value that is not a number gives 0.
PgProgramRecord pgProgramRecord(const modeldb::SgTiming& t);
// Words 13, 14, 15 (the three colour guns) set, no pattern element.
PgSelectRecord pgSelectRecord();
// Colour-gun codes, the pattern's element codes, then "b" when inverted.
std::string pgSignOnCodes(int32_t colour, int32_t pattern, int32_t invert);

// The group each pattern stores in the working buffer.
enum class PgElement { None, CrossHatch, Character, GrayScale, Dot, Window, ColorBar };

struct PgPattern {
    PgElement element = PgElement::None;
    std::vector<int32_t> record;
    std::string codes;           // element codes of the sign-on string
    bool userCharacter = false;  // loads the glyph of character 224 first
};

// The pattern table; level and box (percent, held within 0..100) size
// pattern 13. An index outside 0..13 gives an element None with no codes.
PgPattern pgPattern(int32_t pattern, int level, int box);
bool pgPatternKnown(int32_t pattern);

// User character 224: 64 rows of 16 bytes, one 4-bit value each.
const PgGlyph& pgUserCharacterGlyph();

} // namespace siggen
