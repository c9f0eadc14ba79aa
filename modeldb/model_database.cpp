#include "modeldb/model_database.h"

#include <filesystem>

#include "core/record_io.h"
#include "core/ui.h"
#include "platform/program_home.h"

namespace modeldb {
namespace {

const TableInfo kTables[] = {
    {"mdlsel.sel", "DB(MASTER)", 128, "DB(MASTER) File Not Found!", "DB(MASTER) File Err!", "DB(MASTER) File Err!"},
    {"mdlsel.cya", "CHASSIS", 12, "CHASSIS File Not Found!", "CHASSIS File Err!", "SHASSIS File Read Err!"},
    {"mdlsel.cmm", "COMTYPE", 12, "COMTYPE File Not Found!", "COMTYPE File Err!", "COMTYPE File Read Err!"},
    {"mdlsel.cus", "CUSTOMER", 22, "CUSTOMER File Not Found!", "CUSTOMER File Err!", "CUSTOMER File Read Err!"},
    {"mdlsel.mai", "MiconVer", 12, "MiconVer File Not Found!", "MiconVer File Err!", "MiconVer File Read Err!"},
};

size_t codeIndex(Table t) { return static_cast<size_t>(t) - 1; }

const std::string& lookup(const std::vector<CodeRecord>& table, int16_t code)
{
    static const std::string none;
    for (const CodeRecord& c : table)
        if (c.code == code) return c.name;
    return none;
}

} // namespace

bool readTableFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out)
{
    out.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    // Grows with what the file holds, never to the table's whole capacity.
    return core::readWholeFile(path, out, maxBytes);
}

const TableInfo& tableInfo(Table table) { return kTables[static_cast<size_t>(table)]; }

std::string decodeText(const uint8_t* field, size_t width)
{
    std::string text;
    for (size_t i = 0; i < width && field[i] != 0; ++i)
        text.push_back(static_cast<char>(static_cast<uint8_t>((field[i] << 4) | (field[i] >> 4))));
    return text;
}

void encodeText(uint8_t* field, size_t width, const std::string& text)
{
    for (size_t i = 0; i < width; ++i) {
        uint8_t c = i < text.size() ? static_cast<uint8_t>(text[i]) : 0;
        field[i] = static_cast<uint8_t>((c << 4) | (c >> 4));
    }
}

ModelRecord decodeModelRecord(const uint8_t* record, size_t size)
{
    uint8_t buf[kModelRecordSize] = {};
    core::RecordReader in(record, size);
    in.bytesAt(0, buf, sizeof buf);
    core::RecordReader r(buf, sizeof buf);
    ModelRecord m;
    m.name = decodeText(buf + 0, 19);
    m.chassisCode = r.i16At(20);
    m.fileStem = decodeText(buf + 22, 9);
    m.tuvoName = decodeText(buf + 32, 9);
    m.customerCode = r.i16At(42);
    m.comTypeCode = r.i16At(44);
    m.firmwareCode = r.i16At(46);
    m.description = decodeText(buf + 48, 39);
    return m;
}

CodeRecord decodeCodeRecord(const uint8_t* record, size_t size, size_t nameWidth)
{
    uint8_t buf[32] = {};
    core::RecordReader in(record, size);
    in.bytesAt(0, buf, std::min(sizeof buf, 2 + nameWidth + 1));
    CodeRecord c;
    c.code = core::RecordReader(buf, sizeof buf).i16At(0);
    c.name = decodeText(buf + 2, std::min(nameWidth, sizeof buf - 2));
    return c;
}

CodeRecord decodeCodeRecord(Table table, const uint8_t* record)
{
    const size_t size = tableInfo(table).recordSize;
    return decodeCodeRecord(record, size, size - 3);  // code, name, terminator byte
}

std::string ModelDatabase::pathOf(Table table) const
{
    return platform::locateFile(home_, tableInfo(table).fileName);
}

ModelDatabase::Open ModelDatabase::readTable(Table table, std::vector<uint8_t>& bytes, size_t maxRecords)
{
    std::string path = pathOf(table);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Open::NotFound;
    size_t size = tableInfo(table).recordSize;
    if (!readTableFile(path, maxRecords * size, bytes)) return Open::Error;
    return Open::Ok;
}

int ModelDatabase::countRecords(Table table)
{
    const TableInfo& info = tableInfo(table);
    std::vector<uint8_t> bytes;
    size_t cap = table == Table::Model ? kMaxModels : kMaxCodes;
    switch (readTable(table, bytes, cap)) {
    case Open::NotFound: ui_.message(info.notFound); return -1;
    case Open::Error: ui_.message(info.countError); return -1;
    case Open::Ok: break;
    }
    return static_cast<int>(bytes.size() / info.recordSize);
}

int ModelDatabase::readRecords(int count, std::vector<ModelRecord>& out)
{
    const TableInfo& info = tableInfo(Table::Model);
    out.clear();
    std::vector<uint8_t> bytes;
    size_t n = count > 0 ? std::min(static_cast<size_t>(count), kMaxModels) : 0;
    switch (readTable(Table::Model, bytes, n)) {
    case Open::NotFound: ui_.message(info.notFound); return -1;
    case Open::Error: ui_.message(info.readError); return -1;
    case Open::Ok: break;
    }
    // A short read ends at the last complete record.
    for (size_t i = 0; i + 1 <= bytes.size() / info.recordSize; ++i)
        out.push_back(decodeModelRecord(bytes.data() + i * info.recordSize, info.recordSize));
    return 1;
}

int ModelDatabase::readRecords(Table table, int count, std::vector<CodeRecord>& out)
{
    const TableInfo& info = tableInfo(table);
    out.clear();
    std::vector<uint8_t> bytes;
    size_t n = count > 0 ? std::min(static_cast<size_t>(count), kMaxCodes) : 0;
    switch (readTable(table, bytes, n)) {
    case Open::NotFound: ui_.message(info.notFound); return -1;
    case Open::Error: ui_.message(info.readError); return -1;
    case Open::Ok: break;
    }
    for (size_t i = 0; i < bytes.size() / info.recordSize; ++i)
        out.push_back(decodeCodeRecord(table, bytes.data() + i * info.recordSize));
    return 1;
}

const std::vector<CodeRecord>& ModelDatabase::codes(Table table) const
{
    static const std::vector<CodeRecord> none;
    if (table == Table::Model) return none;
    return codes_[codeIndex(table)];
}

int ModelDatabase::buildModelList()
{
    entries_.clear();
    records_.clear();
    int count = countRecords(Table::Model);
    if (count <= 0) return -1;
    if (readRecords(count, records_) != 1 || records_.empty()) {
        records_.clear();
        return -1;
    }

    for (Table t : {Table::Chassis, Table::Customer, Table::ComType, Table::Firmware}) {
        std::vector<CodeRecord>& table = codes_[codeIndex(t)];
        table.clear();
        int n = countRecords(t);
        // A table that cannot be counted keeps empty room, so lookups find nothing.
        if (n < 0) continue;
        readRecords(t, n, table);
    }

    entries_.reserve(records_.size());
    for (const ModelRecord& m : records_) {
        ModelEntry e;
        e.modelName = m.name;
        e.fileStem = m.fileStem;
        e.tuvoName = m.tuvoName;
        e.description = m.description.substr(0, 39);
        e.chassisName = lookup(codes(Table::Chassis), m.chassisCode);
        e.customerName = lookup(codes(Table::Customer), m.customerCode);
        e.comTypeName = lookup(codes(Table::ComType), m.comTypeCode);
        e.firmwareName = lookup(codes(Table::Firmware), m.firmwareCode);
        entries_.push_back(std::move(e));
    }
    return static_cast<int>(entries_.size());
}

} // namespace modeldb
