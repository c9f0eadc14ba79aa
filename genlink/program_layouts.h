#pragma once
// Wire layouts of generator programs and their groups, as data: each group is
// a list of fields (word, encoding, width), each record form a list of groups
// with the record word each starts at and whether a ',' follows it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace genlink {

enum class Enc : uint8_t {
    Dec,      // decimal of `width` digits
    Hex,      // hexadecimal of `width` digits
    Signed,   // sign digit then magnitude, `width` characters in all
    Tenths,   // the word divided by 10 as decimal; read back times 10
    Const,    // the constant text, no word
    CdcChar,  // the digit of a valid CDC number, else the low byte as a character
    Bytes3,   // three low bytes, lowest first, two hexadecimal digits each
    AtChar,   // 0x40 + low nibble, then 0x40; read back the first character's code
};

struct Field {
    int word;
    Enc enc;
    int width;
    const char* text = nullptr;
};

struct GroupLayout {
    const char* name;
    std::span<const Field> fields;
};

struct FormPart {
    const GroupLayout* group;
    int start;         // record word of the group's word 0
    bool separator;    // a ',' follows the group
};

struct RecordForm {
    const char* name;
    std::span<const FormPart> parts;
    int words;         // the caller's record size
};

// Characters a field or group takes on the wire.
size_t fieldWidth(const Field& f);
size_t wireLength(const GroupLayout& g);
size_t wireLength(const RecordForm& f);
// Words a group record holds: its highest word + 1.
int groupWords(const GroupLayout& g);

// Tells whether a value is a valid CDC number.
using CdcCheck = std::function<bool(int32_t)>;

// The wire text of a record of f.words words.
std::string encodeRecord(const RecordForm& f, const int32_t* record, const CdcCheck& cdc);
// Parses text (at least wireLength(f) characters) into a record of f.words
// words; words no field carries become 0. False when a ',' is missing.
bool decodeRecord(const RecordForm& f, const char* text, size_t n, int32_t* record, const CdcCheck& cdc);

namespace forms {
// Whole programs.
extern const RecordForm program, program2, pg3Program, pg3Program2, pg4Program, pg4Program2, anaDigiProgram;
// Single groups of the first table.
extern const RecordForm hTiming, vTiming, outCtrl, graphic, character, crossHatch, dot, circle, burst, window, option,
    optionWide, colorBar, grayScale, halfTone;
// Single groups of the longer records.
extern const RecordForm character3, crossHatch3, dot3, circle3, colorBar3, grayScale3, cursor, outCtrl3, graphic3,
    outCtrl4, outCtrl4b, graphic4, graphic4b, window4, action, anaDigiOutCtrl;
} // namespace forms

} // namespace genlink
