#include "kit/temp_folder.h"

#include <filesystem>
#include <random>

namespace kit {

TempFolder::TempFolder(const std::string& prefix)
{
    std::random_device rd;
    std::mt19937_64 gen((static_cast<uint64_t>(rd()) << 32) ^ rd());
    namespace fs = std::filesystem;
    std::error_code ec;
    // $TMPDIR naming a missing folder is an error here, never an exception.
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) return;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        fs::path p = base / (prefix + "-" + std::to_string(gen()));
        if (fs::create_directory(p, ec)) {
            path_ = p.string();
            return;
        }
    }
    // Left empty: callers then write nowhere rather than into a shared folder.
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

} // namespace kit
