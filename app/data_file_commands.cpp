#include "app/data_file_commands.h"

#include "core/ui.h"
#include "datafiles/viewer_screen.h"

namespace app {

namespace {
constexpr const char* kSavePathKey = "SAVE_PATH";

template <typename Screen>
void runDataFileScreen(appstate::ScreenContext& context, appstate::Profile& profile) {
    Screen screen(context, savePath(profile));
    screen.open();
    if (!screen.closed()) context.ui.runModal(screen);
    screen.finish();  // service mode ends on every way out
}
} // namespace

datafiles::SavePath savePath(appstate::Profile& profile) {
    return {profile.getString(kSavePathKey),
            [&profile](const std::string& folder) { profile.writeString(kSavePathKey, folder); }};
}

void runSaveData(appstate::ScreenContext& context, appstate::Profile& profile) {
    runDataFileScreen<datafiles::SaveDataScreen>(context, profile);
}

void runLoadData(appstate::ScreenContext& context, appstate::Profile& profile) {
    runDataFileScreen<datafiles::LoadDataScreen>(context, profile);
}

void runViewer(appstate::ScreenContext& context, appstate::Profile& profile) {
    datafiles::runViewer(context, profile.getString(kSavePathKey));
}

} // namespace app
