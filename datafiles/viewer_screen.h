#pragma once
// The "Viewer": shows what a data file holds without touching the monitor.
// The technician picks a file and then a data group; the file is walked with
// the current model's groups and the selected group's values are listed
// (special groups of types 1 and 3 whatever the selection). A file of another
// model is shown after one Yes per viewer.
#include <string>
#include <vector>

#include "app/state/screen_context.h"
#include "core/screen.h"
#include "datafiles/dat_reader.h"

namespace datafiles {

class ViewerScreen : public core::Screen {
public:
    static constexpr const char* kKind = "Viewer";
    static constexpr const char* kClose = "Close";

    // `folder` is where the chooser starts (the profile's "SAVE_PATH").
    ViewerScreen(appstate::ScreenContext& context, std::string folder);
    std::string kind() const override { return kKind; }

    // Shows the chooser; the screen closes when it is cancelled.
    void open();
    // Line `index` of the group list (from 0; line n shows group n).
    void selectLine(int index);
    void finish() { if (!closed()) close(1); }

    // A row selects a line of the group list; Escape or "Close" closes.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

    const std::string& path() const { return path_; }
    const std::string& caption() const { return caption_; }
    const std::vector<std::string>& groupLines() const { return groups_; }
    const std::vector<std::string>& dataLines() const { return data_; }

private:
    // Lists what the file holds for group `selected` (from 1).
    void walk(size_t selected);
    // Shows and lists why the file cannot be walked on.
    void fault(const DatFault& fault);
    void list(std::string line) { data_.push_back(std::move(line)); }

    appstate::ScreenContext& context_;
    std::string folder_;
    std::string path_;
    std::string caption_;
    std::vector<std::string> groups_;
    std::vector<std::string> data_;
    int selected_ = -1;
    bool modelAnswered_ = false;
};

// Opens the viewer as a nested screen: chooser, then the modal screen.
void runViewer(appstate::ScreenContext& context, const std::string& folder);

} // namespace datafiles
