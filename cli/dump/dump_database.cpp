// The model database: the model table and the four code tables.
#include "cli/dump/dump.h"

#include "core/text_format.h"
#include "modeldb/model_database.h"

namespace cli {

namespace {

// Records of `table`; a trailing partial record is where the reader stops.
template <typename Decode>
Dump records(const std::vector<uint8_t>& bytes, modeldb::Table table, Decode decode) {
    const size_t size = modeldb::tableInfo(table).recordSize;
    Dump d;
    Fields list = Fields::array();
    const size_t count = bytes.size() / size;
    for (size_t i = 0; i < count; ++i) list.push_back(decode(bytes.data() + i * size));
    d.fields["records"] = count;
    d.fields["record"] = list;
    if (bytes.size() % size != 0)
        d.stop = Dump::Stop{count * size, core::strf("a partial record of %zu bytes; records are %zu bytes",
                                                     bytes.size() % size, size)};
    return d;
}

Dump codes(const std::vector<uint8_t>& bytes, modeldb::Table table) {
    return records(bytes, table, [table](const uint8_t* r) {
        const modeldb::CodeRecord c = modeldb::decodeCodeRecord(table, r);
        return Fields{{"code", c.code}, {"name", c.name}};
    });
}

} // namespace

Dump dumpModelTable(const std::vector<uint8_t>& bytes) {
    return records(bytes, modeldb::Table::Model, [](const uint8_t* r) {
        const modeldb::ModelRecord m = modeldb::decodeModelRecord(r, modeldb::kModelRecordSize);
        return Fields{{"name", m.name},
                      {"chassis code", m.chassisCode},
                      {"file stem", m.fileStem},
                      {"TUVO name", m.tuvoName},
                      {"customer code", m.customerCode},
                      {"com type / ECS type", m.comTypeCode},
                      {"firmware code", m.firmwareCode},
                      {"description", m.description}};
    });
}

Dump dumpChassisCodes(const std::vector<uint8_t>& bytes) { return codes(bytes, modeldb::Table::Chassis); }
Dump dumpComTypeCodes(const std::vector<uint8_t>& bytes) { return codes(bytes, modeldb::Table::ComType); }
Dump dumpCustomerCodes(const std::vector<uint8_t>& bytes) { return codes(bytes, modeldb::Table::Customer); }
Dump dumpFirmwareCodes(const std::vector<uint8_t>& bytes) { return codes(bytes, modeldb::Table::Firmware); }

} // namespace cli
