#include "fuzz/support/scratch.h"

#include <cstdlib>
#include <filesystem>

#include "kit/model_kit.h"
#include "kit/temp_folder.h"

namespace fuzz {

const std::string& scratchFolder() {
    static kit::TempFolder folder("pelaro-fuzz");
    if (folder.path().empty()) std::abort();  // nowhere to write: every run would test nothing
    return folder.path();
}

void placeFile(const std::string& relative, const std::optional<Bytes>& bytes) {
    const std::string path = scratchFolder() + "/" + relative;
    if (bytes) {
        if (!kit::writeFile(path, *bytes)) std::abort();
    } else {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
}

} // namespace fuzz
