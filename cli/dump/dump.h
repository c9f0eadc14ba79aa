#pragma once
// A station file decoded for reading: the values the program's own reader
// takes from it, named as the README's file formats name them, as far as the
// file goes, then where and why the reader stopped. One DumpFormat per kind
// of file; each dumps with the reader of its format (never a reader of its
// own). To add a format: a dump function in its own file and a line in
// dumpFormats().
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace cli {

using Fields = nlohmann::ordered_json;

struct Dump {
    Fields fields = Fields::object();
    std::vector<std::string> notes;  // what the reader cut or left out
    struct Stop {
        size_t offset = 0;
        std::string reason;
    };
    std::optional<Stop> stop;
};

struct DumpFormat {
    const char* id;     // for --as
    const char* title;  // "model file"
    // Whether a file of this lower-case name (without folders) and content is of the format.
    bool (*matches)(const std::string& name, const std::vector<uint8_t>& bytes);
    Dump (*dump)(const std::vector<uint8_t>& bytes);
};

// Every format, in the order detection tries them.
const std::vector<DumpFormat>& dumpFormats();
const DumpFormat* formatById(const std::string& id);
// The format of `path` by its name, then by its content; null when none fits.
const DumpFormat* detectFormat(const std::string& path, const std::vector<uint8_t>& bytes);

// The dump as indented "name: value" lines: texts in double quotes, nested
// records indented, the notes and the stop line last.
std::vector<std::string> dumpLines(const Dump& dump);

// Helpers of the format files.
std::string hexCode(int code);  // "0x0105"
// A stored float as the number it was written as (7 significant digits).
double floatValue(float value);
// Bytes as rows of hexadecimal pairs, 32 per row, keyed by their offset.
Fields hexRows(const uint8_t* data, size_t size);
bool endsWith(const std::string& name, const char* suffix);

// The dump functions of the formats.
Dump dumpModelTable(const std::vector<uint8_t>& bytes);
Dump dumpChassisCodes(const std::vector<uint8_t>& bytes);
Dump dumpComTypeCodes(const std::vector<uint8_t>& bytes);
Dump dumpCustomerCodes(const std::vector<uint8_t>& bytes);
Dump dumpFirmwareCodes(const std::vector<uint8_t>& bytes);
Dump dumpModelFile(const std::vector<uint8_t>& bytes);
Dump dumpChassisFile(const std::vector<uint8_t>& bytes);
Dump dumpStandardFile(const std::vector<uint8_t>& bytes);
Dump dumpLinkDescription(const std::vector<uint8_t>& bytes);
Dump dumpMessageFile(const std::vector<uint8_t>& bytes);
Dump dumpNoticeFile(const std::vector<uint8_t>& bytes);
Dump dumpReleaseFile(const std::vector<uint8_t>& bytes);

} // namespace cli
