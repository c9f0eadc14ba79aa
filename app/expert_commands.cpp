#include "app/expert_commands.h"

#include "core/ui.h"

namespace app {

const char* const kTimingDownloadMissingText = "The timing download is not available in this version of pelaro.";
const char* const kViewerMissingText = "The data file viewer is not available in this version of pelaro.";

void ExpertNested::openTimingDownload() { context_.ui.message(kTimingDownloadMissingText); }

void ExpertNested::openViewer() {
    (void)profile_;  // the viewer starts in the profile's SAVE_PATH
    context_.ui.message(kViewerMissingText);
}

void runExpertCommand(appstate::ScreenContext& context, appstate::Profile& profile, const std::string& releaseFile) {
    ExpertNested nested(context, profile);
    screens::runExpert(context, nested, releaseFile);
}

} // namespace app
