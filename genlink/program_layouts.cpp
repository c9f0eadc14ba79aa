#include "genlink/program_layouts.h"

#include <algorithm>
#include <cstring>

#include "genlink/fields.h"

namespace genlink {

// Field tables of every group.
namespace {
constexpr Field kHTimingFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 5}, {2, Enc::Dec, 4}, {3, Enc::Dec, 4},
    {4, Enc::Dec, 4}, {5, Enc::Dec, 4}, {6, Enc::Dec, 4}, {7, Enc::Dec, 4}};
constexpr Field kVTimingFields[] = {
    {0, Enc::Dec, 1}, {2, Enc::Dec, 1}, {1, Enc::Dec, 1}, {3, Enc::Tenths, 4},
    {4, Enc::Dec, 3}, {5, Enc::Dec, 3}, {6, Enc::Dec, 3}, {7, Enc::Tenths, 4},
    {8, Enc::Tenths, 4}, {9, Enc::Dec, 5}, {10, Enc::Dec, 5}};
constexpr Field kOutCtrlFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 1}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 3},
    {12, Enc::Dec, 3}, {13, Enc::Dec, 3}};
constexpr Field kGraphicFields[] = {
    {0, Enc::Dec, 3}, {1, Enc::Dec, 3}, {2, Enc::Dec, 3}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}};
constexpr Field kCharacterFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Hex, 2}, {3, Enc::Dec, 2},
    {4, Enc::Dec, 2}};
constexpr Field kCrossHatchFields[] = {
    {0, Enc::Dec, 4}, {1, Enc::Dec, 4}};
constexpr Field kDotFields[] = {
    {0, Enc::Dec, 4}, {1, Enc::Dec, 4}};
constexpr Field kCircleFields[] = {
    {0, Enc::Dec, 1}};
constexpr Field kBurstFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 2}, {2, Enc::Dec, 2}};
constexpr Field kWindowFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 4}, {2, Enc::Dec, 4}, {3, Enc::Dec, 3},
    {4, Enc::Dec, 3}, {5, Enc::Dec, 3}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Hex, 1}, {9, Enc::Dec, 1}};
constexpr Field kOptionFields[] = {
    {0, Enc::Hex, 1}};
constexpr Field kOptionWideFields[] = {
    {0, Enc::Hex, 2}};
constexpr Field kColorBarFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 4}, {2, Enc::Dec, 4}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 1},
    {12, Enc::Dec, 1}, {13, Enc::Dec, 1}, {14, Enc::Dec, 1}, {15, Enc::Dec, 1},
    {16, Enc::Dec, 1}, {17, Enc::Dec, 1}, {18, Enc::Dec, 1}, {19, Enc::Dec, 1}};
constexpr Field kGrayScaleFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 3}, {2, Enc::Dec, 3}, {3, Enc::Dec, 3},
    {4, Enc::Dec, 3}, {5, Enc::Dec, 3}, {6, Enc::Dec, 3}, {7, Enc::Dec, 3},
    {8, Enc::Dec, 3}, {9, Enc::Dec, 3}, {10, Enc::Dec, 3}, {11, Enc::Dec, 3},
    {12, Enc::Dec, 3}, {13, Enc::Dec, 3}, {14, Enc::Dec, 3}, {15, Enc::Dec, 3},
    {16, Enc::Dec, 3}};
constexpr Field kHalfToneFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 1}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 1},
    {12, Enc::Dec, 1}, {13, Enc::Dec, 1}, {14, Enc::Dec, 1}, {15, Enc::Dec, 1},
    {16, Enc::Dec, 1}};
constexpr Field kCharacter3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Hex, 2}, {3, Enc::Dec, 3},
    {4, Enc::Dec, 3}};
constexpr Field kCrossHatch3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 4}, {3, Enc::Dec, 4},
    {4, Enc::Dec, 2}, {5, Enc::Dec, 2}};
constexpr Field kDot3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 4}, {3, Enc::Dec, 4},
    {4, Enc::Dec, 2}, {5, Enc::Dec, 1}};
constexpr Field kCircle3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 3}, {2, Enc::Dec, 3}};
constexpr Field kColorBar3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 2}, {2, Enc::Dec, 4}, {3, Enc::Dec, 4},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 1},
    {12, Enc::Dec, 1}, {13, Enc::Dec, 1}, {14, Enc::Dec, 1}, {15, Enc::Dec, 1},
    {16, Enc::Dec, 1}, {17, Enc::Dec, 1}, {18, Enc::Dec, 1}, {19, Enc::Dec, 1},
    {20, Enc::Dec, 1}};
constexpr Field kGrayScale3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 2}, {3, Enc::Dec, 4}, {4, Enc::Dec, 4},
    {2, Enc::Dec, 1}, {5, Enc::Dec, 3}, {6, Enc::Dec, 3}, {7, Enc::Dec, 3},
    {8, Enc::Dec, 3}, {9, Enc::Dec, 3}, {10, Enc::Dec, 3}, {11, Enc::Dec, 3},
    {12, Enc::Dec, 3}, {13, Enc::Dec, 3}, {14, Enc::Dec, 3}, {15, Enc::Dec, 3},
    {16, Enc::Dec, 3}, {17, Enc::Dec, 3}, {18, Enc::Dec, 3}, {19, Enc::Dec, 3},
    {20, Enc::Dec, 3}};
constexpr Field kCursorFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 3}, {2, Enc::Dec, 1}, {3, Enc::Dec, 3},
    {4, Enc::Dec, 3}, {5, Enc::Dec, 3}, {6, Enc::Dec, 3}, {7, Enc::Dec, 3},
    {8, Enc::Dec, 3}, {9, Enc::Dec, 3}};
constexpr Field kOutCtrl3Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 1}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 3},
    {12, Enc::Dec, 3}, {13, Enc::Dec, 3}, {14, Enc::CdcChar, 1}};
constexpr Field kGraphic3Fields[] = {
    {0, Enc::Dec, 3}, {1, Enc::Dec, 3}, {2, Enc::Dec, 3}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 3}, {7, Enc::Dec, 3},
    {8, Enc::Dec, 3}};
constexpr Field kOutCtrl4Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 1}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 1},
    {12, Enc::Dec, 1}, {13, Enc::Dec, 1}, {14, Enc::Dec, 1}, {15, Enc::Dec, 2},
    {16, Enc::Dec, 1}, {17, Enc::Bytes3, 6}, {18, Enc::Dec, 1}, {19, Enc::Dec, 1},
    {20, Enc::Dec, 1}, {21, Enc::Dec, 1}, {22, Enc::AtChar, 2}};
constexpr Field kOutCtrl4bFields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 1}, {2, Enc::Dec, 1}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 1}, {7, Enc::Dec, 1},
    {8, Enc::Dec, 1}, {9, Enc::Dec, 1}, {10, Enc::Dec, 1}, {11, Enc::Dec, 1},
    {12, Enc::Dec, 1}, {13, Enc::Dec, 1}, {14, Enc::Dec, 1}, {15, Enc::Dec, 1},
    {16, Enc::Dec, 1}, {17, Enc::Hex, 2}, {18, Enc::Hex, 2}, {19, Enc::Hex, 2}};
constexpr Field kGraphic4Fields[] = {
    {0, Enc::Dec, 3}, {1, Enc::Dec, 3}, {2, Enc::Dec, 3}, {-1, Enc::Const, 1, "0"},
    {-1, Enc::Const, 1, "0"}, {3, Enc::Dec, 1}, {4, Enc::Dec, 3}, {5, Enc::Dec, 3},
    {6, Enc::Dec, 3}};
constexpr Field kGraphic4bFields[] = {
    {0, Enc::Dec, 3}, {1, Enc::Dec, 3}, {2, Enc::Dec, 3}, {-1, Enc::Const, 1, "0"},
    {-1, Enc::Const, 1, "0"}, {3, Enc::Dec, 1}};
constexpr Field kWindow4Fields[] = {
    {0, Enc::Dec, 1}, {1, Enc::Dec, 4}, {2, Enc::Dec, 4}, {3, Enc::Dec, 3},
    {4, Enc::Dec, 3}, {5, Enc::Dec, 3}, {-1, Enc::Const, 1, "0"}, {-1, Enc::Const, 1, "0"},
    {6, Enc::Hex, 1}, {7, Enc::Dec, 1}};
constexpr Field kActionFields[] = {
    {0, Enc::Dec, 3}, {1, Enc::Dec, 1}, {2, Enc::Dec, 1}, {3, Enc::Dec, 1},
    {4, Enc::Dec, 1}, {5, Enc::Dec, 1}, {6, Enc::Dec, 2}, {7, Enc::Dec, 4},
    {8, Enc::Dec, 2}, {9, Enc::Dec, 4}, {10, Enc::Dec, 1}, {11, Enc::Dec, 1},
    {12, Enc::Dec, 3}, {13, Enc::Dec, 1}, {14, Enc::Signed, 4}, {15, Enc::Dec, 3},
    {16, Enc::Dec, 3}, {-1, Enc::Const, 3, "000"}, {-1, Enc::Const, 3, "000"}};
} // namespace

namespace groups {
const GroupLayout hTiming{"horizontal timing", kHTimingFields};
const GroupLayout vTiming{"vertical timing", kVTimingFields};
const GroupLayout outCtrl{"output control", kOutCtrlFields};
const GroupLayout graphic{"graphic", kGraphicFields};
const GroupLayout character{"character", kCharacterFields};
const GroupLayout crossHatch{"cross hatch", kCrossHatchFields};
const GroupLayout dot{"dot", kDotFields};
const GroupLayout circle{"circle", kCircleFields};
const GroupLayout burst{"burst", kBurstFields};
const GroupLayout window{"window", kWindowFields};
const GroupLayout option{"option", kOptionFields};
const GroupLayout optionWide{"option, second form", kOptionWideFields};
const GroupLayout colorBar{"colour bar", kColorBarFields};
const GroupLayout grayScale{"grey scale", kGrayScaleFields};
const GroupLayout halfTone{"half tone", kHalfToneFields};
const GroupLayout character3{"character, third form", kCharacter3Fields};
const GroupLayout crossHatch3{"cross hatch, third form", kCrossHatch3Fields};
const GroupLayout dot3{"dot, third form", kDot3Fields};
const GroupLayout circle3{"circle, third form", kCircle3Fields};
const GroupLayout colorBar3{"colour bar, third form", kColorBar3Fields};
const GroupLayout grayScale3{"grey scale, third form", kGrayScale3Fields};
const GroupLayout cursor{"cursor", kCursorFields};
const GroupLayout outCtrl3{"output control, third form", kOutCtrl3Fields};
const GroupLayout graphic3{"graphic, third form", kGraphic3Fields};
const GroupLayout outCtrl4{"output control, fourth form", kOutCtrl4Fields};
const GroupLayout outCtrl4b{"output control, fourth form 2", kOutCtrl4bFields};
const GroupLayout graphic4{"graphic, fourth form", kGraphic4Fields};
const GroupLayout graphic4b{"graphic, fourth form 2", kGraphic4bFields};
const GroupLayout window4{"window, fourth form", kWindow4Fields};
const GroupLayout action{"action", kActionFields};
} // namespace groups

namespace {
constexpr FormPart kProgramParts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl, 19, true},
    {&groups::graphic, 33, false},
    {&groups::character, 39, false},
    {&groups::crossHatch, 44, false},
    {&groups::dot, 46, false},
    {&groups::circle, 48, false},
    {&groups::burst, 49, false},
    {&groups::window, 52, false},
    {&groups::option, 62, false},
    {&groups::option, 63, true},
    {&groups::colorBar, 64, true},
    {&groups::grayScale, 84, true},
    {&groups::halfTone, 101, false}};
constexpr FormPart kProgram2Parts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl, 19, true},
    {&groups::graphic, 33, false},
    {&groups::character, 39, false},
    {&groups::crossHatch, 44, false},
    {&groups::dot, 46, false},
    {&groups::circle, 48, false},
    {&groups::burst, 49, false},
    {&groups::window, 52, false},
    {&groups::optionWide, 62, false},
    {&groups::optionWide, 63, true},
    {&groups::colorBar, 64, true},
    {&groups::grayScale, 84, true},
    {&groups::halfTone, 101, false}};
constexpr FormPart kPg3ProgramParts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl, 19, true},
    {&groups::graphic, 33, false},
    {&groups::character3, 39, false},
    {&groups::crossHatch3, 44, false},
    {&groups::dot3, 50, false},
    {&groups::circle3, 56, false},
    {&groups::burst, 59, false},
    {&groups::window, 62, false},
    {&groups::optionWide, 72, false},
    {&groups::optionWide, 73, true},
    {&groups::colorBar3, 74, true},
    {&groups::grayScale3, 95, true},
    {&groups::halfTone, 116, true},
    {&groups::cursor, 133, false}};
constexpr FormPart kPg3Program2Parts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl3, 19, true},
    {&groups::graphic3, 39, false},
    {&groups::character3, 51, false},
    {&groups::crossHatch3, 56, false},
    {&groups::dot3, 62, false},
    {&groups::circle3, 68, false},
    {&groups::burst, 71, false},
    {&groups::window, 74, false},
    {&groups::optionWide, 84, false},
    {&groups::optionWide, 85, true},
    {&groups::colorBar3, 86, true},
    {&groups::grayScale3, 107, true},
    {&groups::halfTone, 128, true},
    {&groups::cursor, 145, false}};
constexpr FormPart kPg4ProgramParts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl4, 19, true},
    {&groups::graphic4, 47, false},
    {&groups::character3, 55, false},
    {&groups::crossHatch3, 60, false},
    {&groups::dot3, 66, false},
    {&groups::circle3, 72, false},
    {&groups::burst, 75, false},
    {&groups::window4, 78, false},
    {&groups::optionWide, 90, false},
    {&groups::optionWide, 91, true},
    {&groups::colorBar3, 92, true},
    {&groups::grayScale3, 113, true},
    {&groups::cursor, 134, true},
    {&groups::action, 144, false}};
constexpr FormPart kPg4Program2Parts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl4b, 19, true},
    {&groups::graphic4b, 43, false},
    {&groups::character, 51, false},
    {&groups::crossHatch, 56, false},
    {&groups::dot, 58, false},
    {&groups::circle, 60, false},
    {&groups::burst, 61, false},
    {&groups::window4, 64, false},
    {&groups::optionWide, 76, false},
    {&groups::optionWide, 77, true},
    {&groups::colorBar, 78, true},
    {&groups::grayScale, 98, false}};
constexpr FormPart kAnaDigiProgramParts[] = {
    {&groups::hTiming, 0, true},
    {&groups::vTiming, 8, true},
    {&groups::outCtrl3, 19, false},
    {&groups::outCtrl4, 39, true},
    {&groups::graphic4, 67, false},
    {&groups::character3, 75, false},
    {&groups::crossHatch3, 80, false},
    {&groups::dot3, 86, false},
    {&groups::circle3, 92, false},
    {&groups::burst, 95, false},
    {&groups::window4, 98, false},
    {&groups::optionWide, 110, false},
    {&groups::optionWide, 111, true},
    {&groups::colorBar3, 112, true},
    {&groups::grayScale3, 133, true},
    {&groups::cursor, 154, true},
    {&groups::action, 164, false}};
// The output control of the analogue-digital models: the third form, then the
// fourth from word 20, as in the program record.
constexpr FormPart kAnaDigiOutCtrlParts[] = {{&groups::outCtrl3, 0, false}, {&groups::outCtrl4, 20, false}};
} // namespace

namespace forms {
const RecordForm program{"program", kProgramParts, 118};
const RecordForm program2{"program, second form", kProgram2Parts, 118};
const RecordForm pg3Program{"third-form program", kPg3ProgramParts, 143};
const RecordForm pg3Program2{"third-form program 2", kPg3Program2Parts, 155};
const RecordForm pg4Program{"fourth-form program", kPg4ProgramParts, 168};
const RecordForm pg4Program2{"fourth-form program 2", kPg4Program2Parts, 115};
const RecordForm anaDigiProgram{"analogue-digital program", kAnaDigiProgramParts, 188};
const RecordForm anaDigiOutCtrl{"analogue-digital output control", kAnaDigiOutCtrlParts, 43};
} // namespace forms

// A single-group record: the group alone from word 0.
#define GENLINK_SINGLE(form, group)                                              \
    namespace {                                                                  \
    constexpr FormPart k_##form##_part[] = {{&groups::group, 0, false}};         \
    }                                                                            \
    namespace forms {                                                            \
    const RecordForm form{groups::group.name, k_##form##_part, groupWords(groups::group)}; \
    }

GENLINK_SINGLE(hTiming, hTiming)
GENLINK_SINGLE(vTiming, vTiming)
GENLINK_SINGLE(outCtrl, outCtrl)
GENLINK_SINGLE(graphic, graphic)
GENLINK_SINGLE(character, character)
GENLINK_SINGLE(crossHatch, crossHatch)
GENLINK_SINGLE(dot, dot)
GENLINK_SINGLE(circle, circle)
GENLINK_SINGLE(burst, burst)
GENLINK_SINGLE(window, window)
GENLINK_SINGLE(option, option)
GENLINK_SINGLE(optionWide, optionWide)
GENLINK_SINGLE(colorBar, colorBar)
GENLINK_SINGLE(grayScale, grayScale)
GENLINK_SINGLE(halfTone, halfTone)
GENLINK_SINGLE(character3, character3)
GENLINK_SINGLE(crossHatch3, crossHatch3)
GENLINK_SINGLE(dot3, dot3)
GENLINK_SINGLE(circle3, circle3)
GENLINK_SINGLE(colorBar3, colorBar3)
GENLINK_SINGLE(grayScale3, grayScale3)
GENLINK_SINGLE(cursor, cursor)
GENLINK_SINGLE(outCtrl3, outCtrl3)
GENLINK_SINGLE(graphic3, graphic3)
GENLINK_SINGLE(outCtrl4, outCtrl4)
GENLINK_SINGLE(outCtrl4b, outCtrl4b)
GENLINK_SINGLE(graphic4, graphic4)
GENLINK_SINGLE(graphic4b, graphic4b)
GENLINK_SINGLE(window4, window4)
GENLINK_SINGLE(action, action)
#undef GENLINK_SINGLE

size_t fieldWidth(const Field& f) {
    switch (f.enc) {
    case Enc::Const: return std::strlen(f.text);
    case Enc::CdcChar: return 1;
    case Enc::Bytes3: return 6;
    case Enc::AtChar: return 2;
    default: return static_cast<size_t>(f.width);
    }
}

size_t wireLength(const GroupLayout& g) {
    size_t n = 0;
    for (const Field& f : g.fields) n += fieldWidth(f);
    return n;
}

size_t wireLength(const RecordForm& form) {
    size_t n = 0;
    for (const FormPart& p : form.parts) n += wireLength(*p.group) + (p.separator ? 1 : 0);
    return n;
}

int groupWords(const GroupLayout& g) {
    int words = 0;
    for (const Field& f : g.fields) words = std::max(words, f.word + 1);
    return words;
}

namespace {

void encodeField(const Field& f, int32_t v, const CdcCheck& cdc, std::string& out) {
    switch (f.enc) {
    case Enc::Dec: out += decimalField(v, f.width); break;
    case Enc::Hex: out += hexField(static_cast<uint32_t>(v), f.width); break;
    case Enc::Signed: out += signedField(v, f.width); break;
    case Enc::Tenths: out += decimalField(v / 10, f.width); break;
    case Enc::Const: out += f.text; break;
    case Enc::CdcChar:
        out += cdc && cdc(v) ? decimalField(v, 1) : std::string(1, static_cast<char>(v & 0xFF));
        break;
    case Enc::Bytes3:
        for (int i = 0; i < 3; ++i) out += hexField((static_cast<uint32_t>(v) >> (8 * i)) & 0xFFu, 2);
        break;
    case Enc::AtChar:
        out += static_cast<char>(0x40 + (v & 0x0F));
        out += static_cast<char>(0x40);
        break;
    }
}

int32_t decodeField(const Field& f, const char* t, const CdcCheck& cdc) {
    const size_t w = fieldWidth(f);
    switch (f.enc) {
    case Enc::Dec: return static_cast<int32_t>(readDecimalField(t, w));
    case Enc::Hex: return static_cast<int32_t>(readHexField(t, w));
    case Enc::Signed: return static_cast<int32_t>(readSignedField(t, w));
    case Enc::Tenths: return static_cast<int32_t>(readDecimalField(t, w) * 10);
    case Enc::Const: return 0;
    case Enc::CdcChar: {
        const uint8_t c = static_cast<uint8_t>(t[0]);
        if (c >= '0' && c <= '9' && cdc && cdc(c - '0')) return c - '0';
        return c;
    }
    case Enc::Bytes3: {
        uint32_t v = 0;
        for (int i = 0; i < 3; ++i) v |= static_cast<uint32_t>(readHexField(t + 2 * i, 2)) << (8 * i);
        return static_cast<int32_t>(v);
    }
    case Enc::AtChar: return static_cast<uint8_t>(t[0]);
    }
    return 0;
}

} // namespace

std::string encodeRecord(const RecordForm& form, const int32_t* record, const CdcCheck& cdc) {
    std::string out;
    out.reserve(wireLength(form));
    for (const FormPart& p : form.parts) {
        for (const Field& f : p.group->fields) encodeField(f, f.word < 0 ? 0 : record[p.start + f.word], cdc, out);
        if (p.separator) out += ',';
    }
    return out;
}

bool decodeRecord(const RecordForm& form, const char* text, size_t n, int32_t* record, const CdcCheck& cdc) {
    if (n < wireLength(form)) return false;
    std::fill(record, record + form.words, 0);
    size_t at = 0;
    for (const FormPart& p : form.parts) {
        for (const Field& f : p.group->fields) {
            if (f.word >= 0) record[p.start + f.word] = decodeField(f, text + at, cdc);
            at += fieldWidth(f);
        }
        if (p.separator && text[at++] != ',') return false;
    }
    return true;
}

} // namespace genlink
