#pragma once
// The "Save Data to File" and "Load Data to Set" screens: service mode while
// open, a file chooser that starts in the folder of the last data file, then
// a list of every register handled and a progress bar while the technician's
// start runs the save or the load.
#include <functional>
#include <optional>
#include <string>

#include "app/state/screen_context.h"
#include "app/state/service_session.h"
#include "core/operation_log.h"
#include "core/screen.h"
#include "core/ui.h"
#include "datafiles/data_run.h"

namespace datafiles {

// The filter of every chooser of data files.
extern const char* const kDataFileFilter;  // "FILE(*.dat)|*.dat|ALL FILES|*.*||"
extern const char* const kDataFileExtension;  // ".dat", added to a saved name without extension

// The folder the choosers start in (the profile's "SAVE_PATH") and how a
// newly chosen folder is kept there.
struct SavePath {
    std::string folder;
    std::function<void(const std::string&)> store;
};

class DataFileScreen : public core::Screen {
public:
    static constexpr const char* kStart = "Start";
    static constexpr const char* kClose = "Close";

    // Enters service mode and shows the chooser. The screen closes at once
    // when the monitor is not connected or the chooser is cancelled.
    void open();
    // Runs the save or the load with the chosen file (again, when started again).
    void start();
    // Leaves service mode and closes.
    void finish();

    // Enter or "Start" starts, Escape or "Close" closes, a row selects a
    // line of the list.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

    // The window's title: the caption once a file is chosen.
    std::string title() const { return caption_.empty() ? texts_.title : caption_; }
    bool canStart() const { return !running_ && !path_.empty() && !closed(); }
    int selectedLine() const { return selected_; }
    const std::string& path() const { return path_; }
    // "Save File :" or "Load File :" and the file's name, once chosen.
    const std::string& caption() const { return caption_; }
    const core::OperationLog& log() const { return log_; }
    bool running() const { return running_; }
    std::optional<RunResult> lastResult() const { return result_; }

protected:
    struct Texts {
        const char* title;          // before a file is chosen
        const char* chooserTitle;
        core::FileChoice::Mode mode;
        const char* listHeader;
        const char* captionPrefix;
    };
    DataFileScreen(appstate::ScreenContext& context, SavePath savePath, Texts texts);
    virtual RunResult runOnce(const std::string& path) = 0;

    appstate::ScreenContext& context_;
    core::OperationLog log_;

private:
    SavePath savePath_;
    Texts texts_;
    appstate::ServiceSession session_;
    std::string path_;
    std::string caption_;
    int selected_ = -1;
    bool running_ = false;
    std::optional<RunResult> result_;
};

class SaveDataScreen : public DataFileScreen {
public:
    static constexpr const char* kKind = "SaveData";
    SaveDataScreen(appstate::ScreenContext& context, SavePath savePath);
    std::string kind() const override { return kKind; }

protected:
    RunResult runOnce(const std::string& path) override;
};

class LoadDataScreen : public DataFileScreen {
public:
    static constexpr const char* kKind = "LoadData";
    LoadDataScreen(appstate::ScreenContext& context, SavePath savePath);
    std::string kind() const override { return kKind; }

protected:
    RunResult runOnce(const std::string& path) override;
};

// The folder of a path ("full path less the file name") and its file name.
std::string folderOfPath(const std::string& path);
std::string fileNameOfPath(const std::string& path);

} // namespace datafiles
