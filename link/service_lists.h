#pragma once
// What the fixed register sequences need from a model's chassis record and
// standard block. The model loader fills these (or decodes them from the raw
// records with the helpers below); the link only reads them.
#include <array>
#include <cstddef>
#include <cstdint>

namespace ecs {

constexpr size_t kServiceListLength = 10;

// A service-entry or service-exit list: register codes and values, ended early
// by code 0.
struct ServiceList {
    std::array<uint16_t, kServiceListLength> codes{};
    std::array<int16_t, kServiceListLength> values{};
};

// The chassis record's part used by the sequences.
struct ChassisSequences {
    ServiceList entry;
    ServiceList exit;
    uint16_t powerRegister = 0;  // 0: the model has none
    uint16_t keyRegister = 0;
    uint16_t umtRegister = 0;
};

// A start or end list of the standard block: pairs of code and value, ended by code 0.
struct CodeValue {
    int32_t code = 0;
    int32_t value = 0;
};
using StandardList = std::array<CodeValue, kServiceListLength>;

// Offsets in the 2420-byte chassis record.
constexpr size_t kChassisRecordSize = 2420;
constexpr size_t kChassisPowerRegister = 400;
constexpr size_t kChassisKeyRegister = 402;
constexpr size_t kChassisUmtRegister = 404;
constexpr size_t kChassisEntryCodes = 1556;
constexpr size_t kChassisEntryValues = 1576;
constexpr size_t kChassisExitCodes = 1600;
constexpr size_t kChassisExitValues = 1620;
// Offsets in the standard block.
constexpr size_t kStandardStartList = 0;
constexpr size_t kStandardEndList = 80;

// Decode from raw records; bytes past `size` read as zero.
ChassisSequences chassisSequencesFrom(const uint8_t* chassisRecord, size_t size);
StandardList standardListFrom(const uint8_t* standardBlock, size_t size, size_t offset);

} // namespace ecs
