#include "siggen/pg_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace siggen {

namespace {

constexpr double kInt32Min = std::numeric_limits<int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<int32_t>::max();

// Truncated toward zero and held within int32; not a number gives 0. The
// timing check refuses such values, but a record is built from any timing.
int32_t toInt32(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(v), kInt32Min, kInt32Max));
}

int32_t hundredths(float v) { return toInt32(static_cast<double>(v) * 100.0); }

// Lines in tenths, held within int32.
int32_t tenths(int32_t lines) { return toInt32(static_cast<double>(lines) * 10.0); }

// Words 20..27 for each sync flag; a later flag overrides an earlier one.
void setSyncWords(const modeldb::SgTiming& t, int32_t* w) {
    const int32_t h = t.hPolarity == 0 ? 1 : 0;
    const int32_t v = t.vPolarity == 0 ? 1 : 0;
    const std::array<int32_t, 8> greenRow{2, 2, 2, 0, 0, 1, 0, 2};
    const std::array<int32_t, 8> externalRow{h, v, 2, 0, 0, 1, 0, 0};
    const std::array<int32_t, 8> compositeRow{2, 2, h, 0, 0, 1, 0, 0};
    // With no flag set the separate sync of the external row is used.
    if (t.syncOnGreen != 1 && t.syncExternal != 1 && t.syncComposite != 1)
        std::copy(externalRow.begin(), externalRow.end(), w);
    if (t.syncOnGreen == 1) std::copy(greenRow.begin(), greenRow.end(), w);
    if (t.syncExternal == 1) std::copy(externalRow.begin(), externalRow.end(), w);
    if (t.syncComposite == 1) std::copy(compositeRow.begin(), compositeRow.end(), w);
}

template <size_t N> void put(PgProgramRecord& r, int at, const int32_t (&values)[N]) {
    for (size_t i = 0; i < N; ++i) r[static_cast<size_t>(at) + i] = values[i];
}

} // namespace

PgProgramRecord pgProgramRecord(const modeldb::SgTiming& t) {
    PgProgramRecord r{};
    r[1] = hundredths(t.dotClock);
    r[2] = hundredths(t.hTotal);
    r[3] = hundredths(t.hActive);
    r[4] = hundredths(t.hSync);
    r[5] = hundredths(t.hBack);
    r[8] = t.interlace != 0 ? 2 : 0;
    r[11] = tenths(t.vTotal);
    r[12] = tenths(t.vSync);
    r[15] = tenths(t.vBack);
    r[16] = tenths(t.vActive);
    setSyncWords(t, &r[20]);
    r[30] = 70;
    r[32] = 30;
    put(r, 33, {255, 255, 255, 0, 0, 0});
    put(r, 39, {1, 2, 128, 16, 16});
    put(r, 44, {64, 64, 25, 25, 0, 0, 5, 1});
    put(r, 52, {0, 500, 500, 255, 255, 255, 7, 0, 0, 0});
    put(r, 62, {0, 37});
    put(r, 64, {0, 63, 63, 0, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7});
    for (int i = 0; i < 16; ++i) r[static_cast<size_t>(85 + i)] = 17 * i;
    return r;
}

PgSelectRecord pgSelectRecord() {
    PgSelectRecord s{};
    s[13] = s[14] = s[15] = 1;
    return s;
}

bool pgPatternKnown(int32_t pattern) { return pattern >= 0 && pattern <= 13; }

PgPattern pgPattern(int32_t pattern, int level, int box) {
    using E = PgElement;
    std::vector<int32_t> gray{0};
    for (int i = 0; i < 16; ++i) gray.push_back(17 * i);
    // Both are percentages; anything outside 0..100 is held at the nearer end.
    const int32_t l = std::clamp(level, 0, 100) * 255 / 100;
    const int32_t s = toInt32(std::sqrt(static_cast<double>(std::clamp(box, 0, 100))) * 100.0);
    switch (pattern) {
    case 0: return {E::CrossHatch, {64, 64}, "QU"};
    case 1: return {E::Character, {1, 2, 224, 18, 18}, "P", true};
    case 2: return {E::GrayScale, gray, "X"};
    case 3: return {E::Character, {1, 2, 127, 14, 16}, "P"};
    case 4: return {E::Dot, {25, 25}, "R"};
    case 5: return {E::Character, {1, 2, 128, 16, 16}, "P"};
    case 6: return {E::CrossHatch, {48, 36}, "QU"};
    case 7: return {E::CrossHatch, {60, 48}, "QU"};
    case 8: return {E::CrossHatch, {16, 16}, "QU"};
    case 9: return {E::Window, {0, 1000, 1000, 85, 85, 85, 7, 0, 0, 0}, "Z"};
    case 10: return {E::None, {}, ""};
    case 11: return {E::Window, {0, 250, 250, 255, 255, 255, 7, 0, 0, 0}, "Z"};
    case 12: return {E::ColorBar, {0, 125, 125, 0, 7, 3, 6, 2, 5, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "W"};
    case 13: return {E::Window, {0, s, s, l, l, l, 7, 0, 0, 0}, "Z"};
    default: return {};
    }
}

std::string pgSignOnCodes(int32_t colour, int32_t pattern, int32_t invert) {
    static const char* const kGuns[] = {"^", "_", "`", "^_`", "^`", "^_", "_`"};
    std::string codes;
    if (colour >= 0 && colour <= 6) codes = kGuns[colour];
    codes += pgPattern(pattern, 0, 0).codes;
    if (invert == 1) codes += 'b';
    return codes.substr(0, 6);
}

const PgGlyph& pgUserCharacterGlyph() {
    static const PgGlyph glyph = [] {
        using Row = std::array<uint8_t, 7>;
        const Row blank{}, r1{3, 15, 1, 15, 0, 0, 0}, bar{4, 0, 2, 4, 8, 0, 0}, r4{7, 15, 2, 4, 8, 0, 0},
            r7{3, 15, 2, 4, 8, 0, 0}, r10{4, 9, 3, 15, 0, 0, 0}, side{4, 9, 0, 0, 8, 0, 0},
            r13{4, 9, 3, 15, 8, 0, 0}, r16{3, 14, 3, 15, 0, 0, 0};
        const Row* rows[18] = {&blank, &r1,   &bar,  &bar, &r4,   &bar,  &bar,  &r7, &blank,
                               &blank, &r10, &side, &side, &r13, &side, &side, &r16, &blank};
        PgGlyph g{};
        for (size_t row = 0; row < 18; ++row)
            for (size_t b = 0; b < 7; ++b) g[row * 16 + b] = (*rows[row])[b];
        return g;
    }();
    return glyph;
}

} // namespace siggen
