#include "kit/temp_folder.h"

#include <filesystem>
#include <random>

namespace kit {

TempFolder::TempFolder(const std::string& prefix)
{
    std::random_device rd;
    std::mt19937_64 gen((static_cast<uint64_t>(rd()) << 32) ^ rd());
    namespace fs = std::filesystem;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        fs::path p = fs::temp_directory_path() / (prefix + "-" + std::to_string(gen()));
        std::error_code ec;
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
