#pragma once
// "&Expert" and what it opens beside the mode table: the timing download and
// the data file viewer. Neither of these two screens is part of this build
// yet; until they are, their buttons say so.
#include "app/state/profile.h"
#include "app/state/screen_context.h"
#include "screens/expert_screen.h"

namespace app {

extern const char* const kTimingDownloadMissingText;
extern const char* const kViewerMissingText;

class ExpertNested final : public screens::ExpertNestedScreens {
public:
    ExpertNested(appstate::ScreenContext& context, appstate::Profile& profile) : context_(context), profile_(profile) {}
    void openTimingDownload() override;
    void openViewer() override;

private:
    appstate::ScreenContext& context_;
    appstate::Profile& profile_;
};

void runExpertCommand(appstate::ScreenContext& context, appstate::Profile& profile, const std::string& releaseFile);

} // namespace app
