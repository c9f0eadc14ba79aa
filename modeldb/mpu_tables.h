#pragma once
// The model's MPU tables as values: an MPU_DATA record holds 256 values, one
// per item of a group stored once; an MPU_MODE record holds, after 4 unused
// bytes, 30 modes of 30 values, one per item of a group stored per mode.
// Only the records the model file carries are there: a record, mode or item
// beyond them has no value, rather than whatever lies next in memory.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "modeldb/model_data.h"

namespace modeldb {

constexpr size_t kMpuDataValues = 256;
constexpr size_t kMpuModes = 30;
constexpr size_t kMpuModeValues = 30;
constexpr size_t kMpuModeSkip = 4;  // bytes before the first mode

class MpuTables {
public:
    explicit MpuTables(const ModelImage& image) : image_(image) {}

    size_t dataRecords() const;
    size_t modeRecords() const;
    // Value `item` of MPU_DATA record `record`.
    std::optional<int16_t> data(size_t record, size_t item) const;
    // Value (`mode`, `item`) of MPU_MODE record `record`.
    std::optional<int16_t> mode(size_t record, size_t mode, size_t item) const;

private:
    const ModelImage& image_;
};

} // namespace modeldb
