#pragma once
// The station's notice file "kovhlp.txt" (per-model notices, 150-byte
// records) and release file "pelaro.rls" (a 52-byte header record, then one
// 52-byte record per released version). A trailing partial record is not
// decoded; `partialAt` tells where it begins.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace modeldb {

constexpr size_t kNoticeRecordSize = 150;
constexpr int16_t kNoticeNoFactoryPreset = 21;  // the factory preset is not available for the model

struct Notice {
    int16_t kind = 0;
    std::string modelName;  // 20-byte field
    std::string text;       // 128-byte field
};

struct NoticeFile {
    std::vector<Notice> notices;
    std::optional<size_t> partialAt;
};
NoticeFile decodeNoticeFile(const std::vector<uint8_t>& bytes);

constexpr size_t kReleaseRecordSize = 52;

struct ReleaseRecord {
    std::string text;     // the record's text from its start (the version shown in the title)
    std::string version;  // 15-byte field at 0
    std::string editor;   // 16-byte field at 15
    std::string date;     // 20-byte field at 31; the last byte is not used
};

struct ReleaseFile {
    std::string header;  // the header record's text
    bool hasHeader = false;
    std::vector<ReleaseRecord> versions;
    std::optional<size_t> partialAt;
};
ReleaseFile decodeReleaseFile(const std::vector<uint8_t>& bytes);

} // namespace modeldb
