#include "modeldb/mpu_tables.h"

#include <algorithm>

#include "core/record_io.h"

namespace modeldb {

size_t MpuTables::dataRecords() const {
    return static_cast<size_t>(std::clamp<int32_t>(image_.mpuDataCount, 0, static_cast<int32_t>(kMaxMpuData)));
}

size_t MpuTables::modeRecords() const {
    return static_cast<size_t>(std::clamp<int32_t>(image_.mpuModeCount, 0, static_cast<int32_t>(kMaxMpuMode)));
}

std::optional<int16_t> MpuTables::data(size_t record, size_t item) const {
    if (record >= dataRecords() || item >= kMpuDataValues) return std::nullopt;
    const auto& bytes = image_.mpuData[record];
    return core::RecordReader(bytes.data(), bytes.size()).i16At(2 * item);
}

std::optional<int16_t> MpuTables::mode(size_t record, size_t mode, size_t item) const {
    if (record >= modeRecords() || mode >= kMpuModes || item >= kMpuModeValues) return std::nullopt;
    const auto& bytes = image_.mpuMode[record];
    return core::RecordReader(bytes.data(), bytes.size()).i16At(kMpuModeSkip + 2 * (mode * kMpuModeValues + item));
}

} // namespace modeldb
