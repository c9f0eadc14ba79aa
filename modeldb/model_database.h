#pragma once
// The model-selection database: a model table and four code tables in the
// program's folder, text fields stored with the two halves of every byte
// exchanged.
#include <cstdint>
#include <string>
#include <vector>

namespace core { class Ui; }

namespace modeldb {

enum class Table { Model, Chassis, ComType, Customer, Firmware };

struct TableInfo {
    const char* fileName;
    const char* label;          // name of the table in messages
    size_t recordSize;
    const char* notFound;
    const char* countError;
    const char* readError;
};
const TableInfo& tableInfo(Table table);

// Text of a stored field of `width` bytes: halves of each byte exchanged up to
// the first zero byte, at most `width` characters.
std::string decodeText(const uint8_t* field, size_t width);
// The stored form of `text` in a field of `width` bytes (cut to width, zero-padded).
void encodeText(uint8_t* field, size_t width, const std::string& text);

// Reads at most `maxBytes` of the regular file `path` into `out`, allocating
// only what the file holds; false when it is no regular file or unreadable.
bool readTableFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out);

struct ModelRecord {
    std::string name;
    int16_t chassisCode = 0;
    std::string fileStem;
    std::string tuvoName;
    int16_t customerCode = 0;
    int16_t comTypeCode = 0;  // also the ECS type of the model
    int16_t firmwareCode = 0;
    std::string description;
};

struct CodeRecord {
    int16_t code = 0;
    std::string name;
};

constexpr size_t kModelRecordSize = 128;

ModelRecord decodeModelRecord(const uint8_t* record, size_t size);
CodeRecord decodeCodeRecord(const uint8_t* record, size_t size, size_t nameWidth);
// A whole record of one of the four code tables (its record size, its name width).
CodeRecord decodeCodeRecord(Table table, const uint8_t* record);

struct ModelEntry {
    std::string modelName;
    std::string chassisName;
    std::string fileStem;
    std::string tuvoName;
    std::string customerName;
    std::string comTypeName;
    std::string firmwareName;
    std::string description;
};

// The database in the folder `home`; failures are shown through `ui`.
class ModelDatabase {
public:
    ModelDatabase(std::string home, core::Ui& ui) : home_(std::move(home)), ui_(ui) {}

    // Number of records, or -1 when the file cannot be opened.
    int countRecords(Table table);
    // Reads at most `count` model records; 1, or -1 when the file cannot be opened.
    int readRecords(int count, std::vector<ModelRecord>& out);
    // Reads at most `count` records of a code table; 1 or -1.
    int readRecords(Table table, int count, std::vector<CodeRecord>& out);

    // Builds the model list; the number of entries, or -1 when the model table
    // is missing or empty. Also keeps the records and code tables.
    int buildModelList();

    const std::vector<ModelEntry>& entries() const { return entries_; }
    const std::vector<ModelRecord>& records() const { return records_; }
    const std::vector<CodeRecord>& codes(Table table) const;

    // Upper bound of the model table; a larger file is read this far.
    static constexpr size_t kMaxModels = 20000;
    static constexpr size_t kMaxCodes = 20000;

private:
    enum class Open { Ok, NotFound, Error };
    Open readTable(Table table, std::vector<uint8_t>& bytes, size_t maxRecords);
    std::string pathOf(Table table) const;

    std::string home_;
    core::Ui& ui_;
    std::vector<ModelEntry> entries_;
    std::vector<ModelRecord> records_;
    std::vector<CodeRecord> codes_[4];
};

} // namespace modeldb
