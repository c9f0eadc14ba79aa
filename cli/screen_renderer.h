#pragma once
// Prints one open screen as it changes, from its ScreenView alone: its title
// when it opens, each field, the visible buttons and the checked ones when
// they change, each line added to a list or log, the selected row of a list,
// and the progress.
#include <map>
#include <string>
#include <vector>

#include "core/screen.h"

namespace cli {

class Output;

class ScreenRenderer {
public:
    ScreenRenderer(Output& out, std::string kind) : out_(out), kind_(std::move(kind)) {}
    void render(const core::ScreenView& view);
    // Ends the progress bar the screen may have shown.
    void finish();

private:
    struct ListState {
        std::vector<std::string> lines;
        int selected = -1;
    };
    Output& out_;
    std::string kind_;
    bool opened_ = false;  // the title was shown
    std::map<std::string, std::string> fields_;
    std::map<std::string, ListState> lists_;
    std::string buttons_;
    std::string checked_;
    int progress_ = -1;
};

} // namespace cli
