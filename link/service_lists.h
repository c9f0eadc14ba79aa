#pragma once
// What the fixed register sequences need from a model's chassis record and
// standard block. The model loader decodes them once; the link only reads them.
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

} // namespace ecs
