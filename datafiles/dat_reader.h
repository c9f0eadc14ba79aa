#pragma once
// Reads a monitor data file back, walked with the data groups of the model
// it was saved for (the file carries no sizes). This is the one place its
// fields are decoded; the load, the viewer and the comparison all work on
// what decodeDatFile returns. The fields are written by kit::DatWriter.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kit/dat_file.h"
#include "modeldb/model_data.h"

namespace datafiles {

// The largest file that is read; the data file of a real model is far smaller.
constexpr size_t kMaxDatFileSize = 32u << 20;

// One 7-byte value field.
struct DatValue {
    enum class Kind {
        Number,   // a decimal number, as "%5d" wrote it
        Error,    // "=err=": the register could not be read when it was saved
        Invalid,  // anything else: the file is not what the model expects
    };
    Kind kind = Kind::Invalid;
    int32_t number = 0;
    std::string text;  // the seven bytes as stored

    bool isNumber() const { return kind == Kind::Number; }
    bool isError() const { return kind == Kind::Error; }
    bool operator==(const DatValue& o) const { return kind == o.kind && number == o.number && text == o.text; }
};
DatValue decodeDatValue(const uint8_t* field, size_t size = kit::kDatValueField);

struct DatHeader {
    kit::DatTextField modelName{};
    kit::DatTextField modelFile{};
    kit::DatTextField standardName{};
};
// The text of a header, label or mode field (up to its NUL).
std::string fieldText(const kit::DatTextField& field);
// True when a header field holds `current`, formatted as a save writes it.
bool sameHeaderText(const kit::DatTextField& field, const std::string& current);

// The value fields stored for one setting of a group.
struct DatBlock {
    int mode = -1;       // moded groups: the mode; special types 3 and 4: the selector's value
    int a = -1, b = -1;  // special type 1: the two selectors' values
    size_t firstItem = 0;            // the item of values[0]
    std::vector<DatValue> values;    // one per item, in item order
};

struct DatGroup {
    kit::DatTextField label{};  // zero for a special group of unknown type (nothing stored)
    std::vector<DatBlock> blocks;
};

// Where decoding stopped before the end of the walk.
struct DatFault {
    enum class Kind {
        None,
        Short,           // the file ends within the walk
        LabelDifferent,  // a label field does not begin with "="
        ModeDifferent,   // a mode field does not begin as the mode text does
        ValueDifferent,  // a value field holds neither a number nor "=err="
    };
    // The field that could not be taken.
    enum class Field { Header, Label, Mode, Value };

    Kind kind = Kind::None;
    Field field = Field::Header;
    size_t group = 0;  // the group being read
    size_t block = 0;  // the block being read (the mode's block for a mode field)
    size_t value = 0;  // the value field within the block

    bool any() const { return kind != Kind::None; }
    // True when decoding stopped at this field.
    bool at(Field f, size_t g = 0, size_t b = 0, size_t v = 0) const {
        if (!any() || field != f) return false;
        if (f == Field::Header) return true;
        if (group != g) return false;
        if (f == Field::Label) return true;
        return block == b && (f == Field::Mode || value == v);
    }
};

struct DatContents {
    DatHeader header;
    // The groups in table order, up to and including the one where a fault
    // stopped decoding; that one holds what was read before the fault.
    std::vector<DatGroup> groups;
    DatFault fault;

    // The value field `v` of block `b` of group `g`; null where decoding
    // stopped (or beyond the walk).
    const DatValue* value(size_t g, size_t b, size_t v) const;
    size_t trailingBytes = 0;  // bytes after the walk (a file of a larger model)
};

DatContents decodeDatFile(const std::vector<uint8_t>& bytes, const modeldb::StandardBlock& standard);
// Reads and decodes a file; false when it cannot be read (or exceeds kMaxDatFileSize).
bool readDatFile(const std::string& path, const modeldb::StandardBlock& standard, DatContents& out);


} // namespace datafiles
