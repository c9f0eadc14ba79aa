#pragma once
// The monitor data file (".dat"): a flat sequence of fixed-width text fields
// with no line breaks, no counts and no checksum; a reader walks it with the
// data groups of the same model. This is the one place its fields are
// encoded: pelaro's save writes through DatWriter, and tests build valid and
// broken files with it. (Decoded in datafiles/dat_reader.h.)
//
//   header   3 x 16 bytes: "%-15s" (cut to 15) and a NUL each
//   label    16 bytes: "=%-14s" of the group name and a NUL, cut to 16
//   mode     16 bytes: "=Mode = %-5d" and its NUL; the last two bytes repeat
//            bytes 14 and 15 of the group's label field
//   value    7 bytes: "%5d" cut to five characters, then two blanks;
//            "=err=" and two blanks for a register that could not be read
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kit {

using Bytes = std::vector<uint8_t>;

constexpr size_t kDatTextField = 16;
constexpr size_t kDatValueField = 7;
constexpr size_t kDatHeaderSize = 3 * kDatTextField;
// What a value field holds for a register that could not be read.
extern const char* const kDatErrorText;  // "=err="

using DatTextField = std::array<uint8_t, kDatTextField>;
using DatValueField = std::array<uint8_t, kDatValueField>;

DatTextField datHeaderField(const std::string& text);
DatTextField datLabelField(const std::string& groupName);
// `label` is the label field of the group the mode belongs to.
DatTextField datModeField(int mode, const DatTextField& label);
DatValueField datValueField(int32_t value);
DatValueField datErrorField();

// Appends fields in file order; a mode field takes its last two bytes from
// the last label written.
class DatWriter {
public:
    void header(const std::string& modelName, const std::string& modelFile, const std::string& standardName);
    void label(const std::string& groupName);
    void mode(int mode);
    void value(int32_t value);
    void error();
    // Any bytes, for files that are broken on purpose.
    void raw(const Bytes& bytes);

    const Bytes& bytes() const { return out_; }
    // Hands over what was written so far and starts empty (the label is kept).
    Bytes take();

private:
    template <size_t N>
    void append(const std::array<uint8_t, N>& field) { out_.insert(out_.end(), field.begin(), field.end()); }
    Bytes out_;
    DatTextField label_{};
};

} // namespace kit
