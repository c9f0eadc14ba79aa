#include "limtab/limit_values.h"

#include <cstring>

namespace limtab {

namespace {

// Model names as stored in the settings store, with their NUL.
struct ModelName {
    const char name[7];
    char type;
};
constexpr ModelName kModels[] = {
    {"PG-418", '='}, {"PG-424", '?'}, {"PG-420", 'B'}, {"PG-426", 'C'}, {"PG-410", 'E'},
};

// ---------------------------------------------------------------------------
// Ranges that exist once per memory kind.
// Columns: kind 0 | kinds 1, 2 | kind 3 | kind 4.
struct KindRow {
    Section section;
    size_t field;
    Range byKind[kKindSlots];
};

const KindRow kKindRows[] = {
    {Section::ProgNo,        0, {{1, 849}, {1, 40}, {1, 40}, {1, 40}}},
    {Section::ProgNo,        1, {kNone, kNone, {500, 779}, {501, 540}}},
    {Section::ProgNo,        2, {kNone, kNone, kNone, {601, 640}}},
    {Section::ProgNo,        3, {kNone, kNone, kNone, {701, 740}}},
    {Section::GroupNo,       0, {{1, 32}, {1, 2}, {1, 8}, {1, 40}}},
    {Section::GroupProgCnt,  0, {{0, 58}, {0, 20}, {0, 20}, {0, 20}}},
    {Section::VbmNo,         0, {{1, 64}, kNone, kNone, kNone}},
    {Section::OptPtnNo,      0, {{64, 127}, kNone, kNone, kNone}},
    {Section::CharNo,        0, {{224, 239}, {224, 227}, {224, 238}, {224, 231}}},
    {Section::ProgNameLen,   0, {{0, 20}, {0, 20}, {0, 20}, {0, 20}}},
    {Section::GroupNameLen,  0, {{0, 20}, {0, 0}, {0, 0}, {0, 0}}},
    {Section::VBMNameLen,    0, {{0, 20}, {0, 0}, {0, 0}, {0, 0}}},
    {Section::OptPtnNameLen, 0, {{0, 20}, {0, 0}, {0, 0}, {0, 0}}},
    {Section::PtnChar,       0, {{0, 2}, {0, 2}, {0, 2}, {0, 2}}},
    {Section::PtnChar,       1, {{0, 2}, {0, 2}, {0, 2}, {0, 2}}},
    {Section::PtnChar,       2, {{32, 239}, {32, 227}, {32, 238}, {32, 231}}},
    {Section::PtnChar,       3, {{1, 255}, {1, 255}, {1, 255}, {1, 255}}},
    {Section::PtnChar,       4, {{1, 255}, {1, 255}, {1, 255}, {1, 255}}},
};

// ---------------------------------------------------------------------------
// Global and model-dependent ranges, fields first..last of a section.
// Where the generator's documentation gives no range (second vertical-timing
// set, output control beyond its level field, digital output control, action
// and the pattern records), a field may take what its wire field carries:
// d1 0..9, d2 0..99, d3 0..999 (0..255 for levels and colours), d4 0..9999,
// h1 0..15, h2 0..255, switches 0..1, line counts up to 4095.
// Columns: type character '=' | '?' | 'B' | 'C' | 'D' | 'E'.
constexpr char kTypes[] = {'=', '?', 'B', 'C', 'D', 'E'};
constexpr size_t kTypeCount = sizeof kTypes;

struct ModelRow {
    Section section;
    size_t first;
    size_t last;
    Range byType[kTypeCount];
};

// A row that is the same for every type character.
constexpr ModelRow all(Section s, size_t first, size_t last, Range r)
{
    return {s, first, last, {r, r, r, r, r, r}};
}

// Digital output control and action exist on models 'B' and 'D' only; the
// others accept nothing but 0.
constexpr ModelRow bd(Section s, size_t first, size_t last, Range r)
{
    constexpr Range z{0, 0};
    return {s, first, last, {z, z, r, z, r, z}};
}

constexpr Range kCoord{-2048, 4095};
constexpr Range kPos{0, 4095};
constexpr Range kSize{1, 4095};
constexpr Range kFlag{0, 1};
constexpr Range kDigit{0, 9};
constexpr Range kByte{0, 255};

const ModelRow kModelRows[] = {
    //                                  '='            '?'            'B'            'C'            'D'            'E'
    all(Section::InProgNo, 0, 0, {850, 999}),
    all(Section::InCharNo, 0, 0, {240, 255}),
    all(Section::HighProgNo, 0, 0, {1, 4}),
    {Section::HFreq, 0, 0,          {{1000, -1},   {1000, -1},   {1000, -1},   {1000, -1},   {0, -1},      {1000, -1}}},
    {Section::VFreq, 0, 0,          {{1560, -1},   {1560, -1},   {1560, -1},   {1560, -1},   {0, -1},      {1560, -1}}},
    all(Section::Circle, 0, 1, kCoord),
    all(Section::Circle, 2, 2, kSize),
    all(Section::Line, 0, 1, kCoord),
    all(Section::Dot, 0, 1, kPos),
    all(Section::Rect, 0, 1, kPos),
    all(Section::Triangle, 0, 1, kCoord),
    all(Section::Ellipse, 0, 1, kCoord),
    all(Section::Ellipse, 2, 3, kSize),
    all(Section::BitBlt, 0, 3, kPos),
    all(Section::BitBlt, 4, 5, kSize),
    all(Section::G8Color, 0, 0, kByte),

    // Horizontal timing, variant 0 and variant 1.
    all(Section::HTiming0, 0, 0, {0, 0}),
    {Section::HTiming0, 1, 1,       {{500, 40000}, {500, 40000}, {500, 13000}, {500, 30000}, {500, 25000}, {1000, 40000}}},
    all(Section::HTiming0, 2, 7, {0, 9999}),
    all(Section::HTiming1, 0, 0, {1, 1}),
    {Section::HTiming1, 1, 1,       {{500, 40000}, {500, 40000}, {500, 13000}, {500, 30000}, {500, 25000}, {1000, 40000}}},
    {Section::HTiming1, 2, 2,       {{106, 8192},  {106, 8192},  {0, 8192},    {106, 8192},  {128, 8192},  {168, 8192}}},
    {Section::HTiming1, 3, 3,       {{42, 8128},   {42, 8128},   {0, 4096},    {42, 8128},   {48, 4096},   {16, 4096}}},
    {Section::HTiming1, 4, 4,       {{16, 4096},   {16, 4096},   {0, 4096},    {16, 4096},   {0, 4096},    {8, 4096}}},
    all(Section::HTiming1, 5, 5, {0, 4096}),
    {Section::HTiming1, 6, 7,       {{0, 8192},    {0, 8192},    {0, 4096},    {0, 8192},    {0, 4096},    {0, 4096}}},

    // Vertical timing; the second set counts in lines, up to 4095.
    all(Section::VTiming, 0, 0, {0, 2}),
    all(Section::VTiming, 1, 1, {0, 1}),
    all(Section::VTiming, 2, 2, {0, 3}),
    all(Section::VTiming, 3, 10, {0, 99999}),
    all(Section::VTimingH, 0, 0, {0, 2}),
    all(Section::VTimingH, 1, 1, {0, 1}),
    all(Section::VTimingH, 2, 2, {0, 3}),
    all(Section::VTimingH, 3, 10, {0, 4095}),

    // Output control: switches, three levels, the CDC number, extended fields.
    all(Section::OutCtrl, 0, 10, kFlag),
    {Section::OutCtrl, 11, 11,      {{30, 120},    {30, 120},    {30, 120},    {30, 120},    {30, 120},    {50, 100}}},
    all(Section::OutCtrl, 12, 13, kByte),
    all(Section::OutCtrl, 14, 14, kDigit),
    all(Section::OutCtrl, 15, 15, {0, 99}),
    all(Section::OutCtrl, 16, 16, kDigit),
    all(Section::OutCtrl, 17, 17, {0, 0xFFFFFF}),
    all(Section::OutCtrl, 18, 19, kDigit),

    bd(Section::OutCtrlDigital, 0, 14, kFlag),
    bd(Section::OutCtrlDigital, 15, 15, {0, 99}),
    bd(Section::OutCtrlDigital, 16, 16, kDigit),
    bd(Section::OutCtrlDigital, 17, 17, {0, 0xFFFFFF}),
    bd(Section::OutCtrlDigital, 18, 21, kDigit),
    bd(Section::OutCtrlDigital, 22, 22, {0, 15}),
    bd(Section::OutCtrlDigital, 23, 27, kByte),

    bd(Section::Action, 0, 0, {0, 999}),
    bd(Section::Action, 1, 5, kDigit),
    bd(Section::Action, 6, 6, {0, 99}),
    bd(Section::Action, 7, 7, {0, 9999}),
    bd(Section::Action, 8, 8, {0, 99}),
    bd(Section::Action, 9, 9, {0, 9999}),
    bd(Section::Action, 10, 11, kDigit),
    bd(Section::Action, 12, 12, {0, 999}),
    bd(Section::Action, 13, 13, kDigit),
    bd(Section::Action, 14, 14, {-999, 9999}),
    bd(Section::Action, 15, 23, {0, 999}),

    // Pattern records.
    all(Section::PtnGraphic, 0, 2, kByte),
    all(Section::PtnGraphic, 3, 5, kFlag),
    all(Section::PtnCrossHatch, 0, 1, {0, 9999}),
    all(Section::PtnDot, 0, 1, {0, 9999}),
    all(Section::PtnCircle, 0, 0, kDigit),
    all(Section::PtnBurst, 0, 0, kDigit),
    all(Section::PtnBurst, 1, 2, {0, 99}),
    all(Section::PtnWindow, 0, 0, {0, 1}),
    all(Section::PtnWindow, 1, 2, {0, 9999}),
    all(Section::PtnWindow, 3, 5, {0, 255}),
    all(Section::PtnWindow, 6, 7, {0, 7}),
    all(Section::PtnWindow, 8, 8, {0, 15}),
    all(Section::PtnWindow, 9, 9, {0, 7}),
    all(Section::PtnOption1, 0, 0, kByte),
    all(Section::PtnOption2, 0, 0, kByte),
    all(Section::PtnColorBar, 0, 0, kDigit),
    all(Section::PtnColorBar, 1, 2, {0, 9999}),
    all(Section::PtnGrayScale, 0, 0, kDigit),
    all(Section::PtnGrayScale, 1, 1, kByte),
    all(Section::PtnHalfTone, 0, 0, kDigit),
    all(Section::PtnCursol, 0, 0, kDigit),
    all(Section::PtnCursol, 1, 1, {0, 999}),
    all(Section::PtnCursol, 2, 2, kDigit),
    all(Section::PtnCursol, 3, 3, {0, 999}),
    all(Section::PtnName, 0, 0, {0, 20}),
    all(Section::PtnName, 1, 1, kDigit),

    // CDC ranges.
    all(Section::CDCNo, 0, 0, {0, 9}),
    all(Section::CDCNameLen, 0, 0, {0, 20}),
    all(Section::CDC, 0, 8, {0, 10000}),
};

size_t typeColumn(char type)
{
    for (size_t i = 0; i < kTypeCount; ++i)
        if (kTypes[i] == type)
            return i;
    return 4; // 'D'
}

} // namespace

char typeCharacterFor(const char* name, size_t size)
{
    if (!name || size < sizeof(ModelName::name))
        return 'D';
    for (const ModelName& m : kModels)
        if (std::memcmp(name, m.name, sizeof m.name) == 0)
            return m.type;
    return 'D';
}

void fillRanges(char type, RangeSink& sink)
{
    // Kinds 1, 3, 4 and 0, in that order; kinds 1 and 2 share a slot.
    for (int slot : {1, 2, 3, 0})
        for (const KindRow& row : kKindRows)
            sink.set(row.section, slot, row.field, row.byKind[slot]);
    const size_t column = typeColumn(type);
    for (const ModelRow& row : kModelRows)
        for (size_t field = row.first; field <= row.last; ++field)
            sink.set(row.section, 0, field, row.byType[column]);
}

} // namespace limtab
