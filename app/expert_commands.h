#pragma once
// "&Expert" and what it opens beside the mode table: the timing download
// (in the service mode the expert screen holds) and the data file viewer
// (starting in the profile's "SAVE_PATH").
#include "app/state/profile.h"
#include "app/state/screen_context.h"
#include "screens/expert_screen.h"

namespace app {

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
