#pragma once
// Writers for the files of a model kit: the model database, the model file
// chain (model, chassis, standard and link description files), message files,
// the notice file and the release file. Every writer produces exactly the
// bytes the program reads; fields left at their defaults are zero, and the
// counts can be overridden to build broken files.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kit {

using Bytes = std::vector<uint8_t>;

// ---- Model database ----

struct DbModel {
    std::string name;        // at most 19 characters
    int16_t chassisCode = 0;
    std::string fileStem;    // at most 9
    std::string tuvoName;    // at most 9
    int16_t customerCode = 0;
    int16_t comTypeCode = 1; // also the ECS type
    int16_t firmwareCode = 0;
    std::string description; // at most 39
};

struct DbCode {
    int16_t code = 0;
    std::string name;
};

// Stored text: the two halves of every byte exchanged, zero-padded to width.
void encodeDbText(uint8_t* field, size_t width, const std::string& text);
Bytes modelTable(const std::vector<DbModel>& models);            // "mdlsel.sel"
Bytes codeTable(const std::vector<DbCode>& codes, size_t recordSize);  // 12 or 22 bytes per record

struct ModelDatabaseFiles {
    std::vector<DbModel> models;
    std::vector<DbCode> chassis;    // "mdlsel.cya"
    std::vector<DbCode> comTypes;   // "mdlsel.cmm"
    std::vector<DbCode> customers;  // "mdlsel.cus"
    std::vector<DbCode> firmware;   // "mdlsel.mai"
};
// Writes the five files into `folder`.
bool writeModelDatabase(const std::string& folder, const ModelDatabaseFiles& db);

// ---- Model file ----

struct Timing {
    std::string name;
    float dotClock = 0, hFrequency = 0, vFrequency = 0;  // MHz, kHz, Hz
    std::array<int16_t, 6> h{};  // total, blanking, front, sync, back, active
    std::array<int16_t, 6> v{};
    uint8_t syncKind = 0, hPolarity = 0, vPolarity = 0, interlace = 0;
};
void writeTiming(uint8_t* record80, const Timing& t);
// A plausible timing from the active size, frequencies and totals.
Timing makeTiming(const std::string& name, int hActive, int vActive, int hTotal, int vTotal, float hKHz, float vHz);

struct ModelFile {
    std::string tag = "MDL=";
    std::string chassisFile;
    std::vector<Timing> presets;
    std::vector<Timing> adjustTimings;
    int16_t primeMode = 1;
    int16_t carried = 0;
    std::vector<Bytes> mpuData;   // 512 bytes each
    std::vector<Bytes> mpuMode;   // 1808 bytes each
    std::vector<std::string> adjustProcedures;   // at most 30 are stored
    std::vector<std::string> touchUpProcedures;  // at most 5
    Bytes touchUpExtra;           // 116 bytes
    Bytes special1, special2, special3, special4;  // 180, 100, 100, 1500 bytes
    std::vector<Timing> avPresets;
    int16_t umtNumber = 0;
    // Counts written instead of the real ones (records written stay as given).
    std::optional<int16_t> presetCount, adjustCount, avPresetCount;
    std::optional<int32_t> mpuDataCount, mpuModeCount, adjustListCount, touchUpListCount;
};
Bytes modelFile(const ModelFile& m);
// An MPU_DATA record (512 bytes): up to 256 values, the rest 0.
Bytes mpuDataRecord(const std::vector<int16_t>& values);
// An MPU_MODE record (1808 bytes): 4 unused bytes, then up to 30 modes of up
// to 30 values each, the rest 0.
Bytes mpuModeRecord(const std::vector<std::vector<int16_t>>& modes);

// ---- Chassis file (2420 bytes) ----

struct FailureTableEntry {
    int16_t code = 0;
    std::array<std::string, 8> bitNames{};  // 15 characters each at most
};

struct ChassisFile {
    std::string standardFile;
    std::array<int16_t, 5> timingRegisters{};
    // (byte offset 300..426, code); the offsets are named in modeldb/chassis_layout.h
    std::vector<std::pair<size_t, int16_t>> specialRegisters;
    uint8_t factoryPreset = 0, maintenance = 0;
    uint8_t showDegauss = 0, showAging = 0, showPower = 0;
    int16_t failure = 0;
    int16_t polarityGroup = 0;
    std::vector<FailureTableEntry> failureTable;                    // at most 5 are written
    std::vector<std::pair<int16_t, int16_t>> linkedRegisters;       // at most 16 are written
    std::vector<std::pair<int16_t, int16_t>> entryList, exitList;  // at most 10 each
    std::string procedureFolder;
    int16_t settleWait = 0;
    std::array<int16_t, 30> panelButtons{};
};
Bytes chassisFile(const ChassisFile& c);

// ---- Standard file (16-byte preamble + 16460-byte block) ----

struct DataGroupRecord {
    std::string name;
    uint8_t modeCount = 0;
    int16_t modeLimitRegister = 0;
    int16_t commitRegister = 0;
    uint8_t page = 0;
    std::vector<std::pair<uint8_t, uint8_t>> items;  // (low byte, flag)
};
struct StandardFile {
    std::vector<std::pair<int32_t, int32_t>> startList, endList;  // at most 10
    std::vector<DataGroupRecord> groups;   // at most 30 are written
    std::optional<int32_t> groupCount;
    std::string linkDescriptionFile;
};
Bytes standardFile(const StandardFile& s);

// ---- Link description file ----
// The tables of a link description file as plain values. The program reads
// the file with its own reader (link/link_description.cpp); the simulated
// monitor reads it into these tables with a reader of its own.

using Items = std::array<int32_t, 16>;
// Items from a list, the rest zero.
Items items(std::initializer_list<int32_t> list);

struct FormatRecord {
    std::string label;  // 20 bytes, not interpreted
    Items command{};
    Items response{};
    int32_t blockFlag = 0;
};
struct GroupRecord {
    std::string label;
    int32_t perMode = 0;
    uint8_t flags = 0;   // 4 = two-byte registers
    uint8_t kind = 0;    // 6 = slow device
    uint8_t device = 0;
    int32_t max = 255, min = 0;
};
struct BlockRecord {
    uint8_t count = 0;
    std::string label;
};
struct RegisterRecord {
    std::string name;
    int8_t writeFormat = 0;
    uint8_t writeAddress = 0, writePosition = 0;
    int8_t readFormat = 0;
    uint8_t readAddress = 0, readPosition = 0;
    int8_t group = 0;
    int8_t shift = 0;
    int32_t mask = 0;
    int32_t lastRaw = 0;
};
struct LinkDescription {
    std::vector<FormatRecord> formats;
    std::vector<GroupRecord> groups;
    std::vector<BlockRecord> blocks;
    std::vector<RegisterRecord> registers;
    // The register of a code (block start + index), or null.
    const RegisterRecord* registerOf(uint16_t code) const;
};
Bytes linkDescriptionFile(const LinkDescription& d);

// ---- Text files ----

// "pelaro_<letter>.msg" text with CRLF line ends.
std::string messageFileText(const std::vector<std::string>& lines);
// The path of message file `letter` ('a'..'z') below a program folder.
std::string messageFilePath(const std::string& home, char letter);

struct Notice {
    int16_t kind = 0;
    std::string modelName;
    std::string text;
};
Bytes noticeFile(const std::vector<Notice>& notices);        // "kovhlp.txt", 150-byte records
Bytes releaseFile(const std::vector<std::string>& versions); // "pelaro.rls", 52-byte records

// Writes a file, creating its folder.
bool writeFile(const std::string& path, const Bytes& bytes);
bool writeFile(const std::string& path, const std::string& text);

} // namespace kit
