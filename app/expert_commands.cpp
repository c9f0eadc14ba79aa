#include "app/expert_commands.h"

#include "app/data_file_commands.h"
#include "datafiles/download_screens.h"

namespace app {

void ExpertNested::openTimingDownload() { datafiles::runTimingDownload(context_, datafiles::ServiceMode::Held); }

void ExpertNested::openViewer() { runViewer(context_, profile_); }

void runExpertCommand(appstate::ScreenContext& context, appstate::Profile& profile, const std::string& releaseFile) {
    ExpertNested nested(context, profile);
    screens::runExpert(context, nested, releaseFile);
}

} // namespace app
