#pragma once
// The File menu's "&Load Data to Set" and "&Save Data to File", and the
// viewer that the expert screen opens: their screens, with the folder of
// the last data file kept in the profile under "SAVE_PATH".
#include "app/state/profile.h"
#include "app/state/screen_context.h"
#include "datafiles/data_file_screen.h"

namespace app {

// The profile's "SAVE_PATH" as the choosers' start and where a chosen folder goes.
datafiles::SavePath savePath(appstate::Profile& profile);

void runSaveData(appstate::ScreenContext& context, appstate::Profile& profile);
void runLoadData(appstate::ScreenContext& context, appstate::Profile& profile);
// Opens the viewer as a nested screen.
void runViewer(appstate::ScreenContext& context, appstate::Profile& profile);

} // namespace app
