#include "app/station_notices.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/record_io.h"
#include "core/ui.h"
#include "platform/program_home.h"

namespace app {

const char* const kNoticeMissingText = "KOV HELP File Not Found!";
const char* const kNoticeOpenErrorText = "KOV_HELP File Err!";
const char* const kNoticeVanishedText = "HELP File Not Found!";
const char* const kNoticeReadErrorText = "HELP File Read Err!";
const char* const kTitlePrefix = "  New PELARO Program                                 Release Ver ";

namespace {

// More notices than any station keeps; a larger file is read this far.
constexpr size_t kMaxNotices = 10000;
constexpr size_t kMaxReleaseFile = 1u << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::vector<modeldb::Notice> readNoticeFile(const std::string& home, core::Ui& ui) {
    const std::string path = platform::locateFile(home, kNoticeFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        ui.message(kNoticeMissingText);
        return {};
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        ui.message(kNoticeOpenErrorText);
        return {};
    }
    const auto length = std::filesystem::file_size(path, ec);
    size_t count = ec ? 1 : static_cast<size_t>(length / modeldb::kNoticeRecordSize);  // a size that does not read fails below
    if (count > kMaxNotices) count = kMaxNotices;
    std::vector<uint8_t> bytes(count * modeldb::kNoticeRecordSize);
    if (ec || std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        ui.message(std::filesystem::exists(path, ec) ? kNoticeReadErrorText : kNoticeVanishedText);
        return {};
    }
    return modeldb::decodeNoticeFile(bytes).notices;
}

const modeldb::Notice* factoryPresetNotice(const std::vector<modeldb::Notice>& notices, const std::string& model) {
    for (const modeldb::Notice& n : notices)
        if (n.kind == modeldb::kNoticeNoFactoryPreset && n.modelName == model) return &n;
    return nullptr;
}

std::string releaseVersion(const std::string& releaseFile) {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(releaseFile, bytes, kMaxReleaseFile)) return {};
    const modeldb::ReleaseFile file = modeldb::decodeReleaseFile(bytes);
    return file.versions.empty() ? std::string() : file.versions.back().text;
}

std::string windowTitle(const std::string& version) { return kTitlePrefix + version; }

} // namespace app
