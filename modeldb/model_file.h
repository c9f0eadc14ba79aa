#pragma once
// The model file chain: model file (".mdl") -> chassis file -> standard file ->
// link description file, all in the "data" folder beside the program.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "modeldb/model_data.h"

namespace core { class Ui; }

namespace modeldb {

// What a decoder found beside the values: where the bytes first ran out (the
// file offset of the first record or field it could not read whole, the part
// of the file that was cut, and why) and the counts it had to cut to the
// image's capacity. A file viewer shows the parts before `stop->part`.
struct DecodeReport {
    struct Stop {
        size_t offset = 0;
        int part = 0;  // a ModelFilePart or StandardFilePart
        std::string reason;
    };
    std::optional<Stop> stop;
    std::vector<std::string> notes;
};

// The parts of a model file in file order.
enum ModelFilePart {
    kMdlPreamble, kMdlHeader, kMdlPresets, kMdlAdjustTimings, kMdlMpuData, kMdlMpuMode,
    kMdlProcedures, kMdlTouchUp, kMdlSpecial, kMdlAvPresets, kMdlUmtNumber, kMdlComplete,
};
// The parts of a standard file in file order.
enum StandardFilePart {
    kStdPreamble, kStdStartList, kStdEndList, kStdGroupCount, kStdGroups, kStdLinkDescription, kStdTail,
    kStdComplete,
};

// Decoders of the file images. They never read past the bytes given; what a
// short file lacks stays in its reset state, and counts are cut to what the
// image holds and to the records actually present; `report` (optional) says
// where and why.
// Returns false when the preamble does not carry the tag "MDL=" (the image is
// then left reset).
bool decodeModelFile(const std::vector<uint8_t>& bytes, ModelImage& image, DecodeReport* report = nullptr);
void decodeChassisFile(const std::vector<uint8_t>& bytes, ChassisRecord& chassis, DecodeReport* report = nullptr);
void decodeStandardFile(const std::vector<uint8_t>& bytes, StandardBlock& standard, DecodeReport* report = nullptr);
ModelTiming decodeTiming(const uint8_t* record, size_t size);

// Loads a link description file into the monitor link; 1 when the file could
// be opened. An empty path loads nothing and leaves the link's map empty.
using LinkDescriptionLoader = std::function<int(const std::string& path)>;

// Whether a name read from a model file may be looked up in the data folder:
// not empty, not absolute ("/x", "\\x", "C:x") and without a ".." component
// under either separator, so a file cannot name one outside the folder.
bool isDataFileName(const std::string& name);

// The path of `name` in the data folder below `home` (case-insensitive match
// when the exact name is missing); empty for a name isDataFileName refuses,
// which then counts as a missing file.
std::string dataFilePath(const std::string& home, const std::string& name);

// Runs the chain for `modelFile`, showing its failures through `ui`. On return
// the four file names in `data` hold what was loaded (empty for the file that
// failed and those after it). Returns 1 when the whole chain loaded.
int loadModel(ModelData& data, const std::string& home, const std::string& modelFile, core::Ui& ui,
              const LinkDescriptionLoader& loadLinkDescription);

// Fills `out` from timing `number` of the model: 1..99 preset n, 101..199
// adjustment timing n - 100, 201 the prime mode. Any other number, or one
// beyond the timings the model has, is refused (false) and `out` is unchanged.
bool selectTiming(const ModelImage& image, int number, SgTiming& out);

} // namespace modeldb
