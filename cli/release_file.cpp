#include "cli/release_file.h"

#include <filesystem>

#include "cli/session.h"
#include "screens/expert_screen.h"

namespace cli {

std::string releaseFilePath(Session& session) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(screens::kReleaseFileName, ec)) return screens::kReleaseFileName;
    return session.home() + "/" + screens::kReleaseFileName;
}

} // namespace cli
