#pragma once
// The main frame's own rules, apart from its widgets: the notices read when
// it is created, the window title, the menu's factory preset command (a
// notice of kind 21 for the model blocks it; generator kind 9 opens the
// appliance variant) beside the function keys of the view (F5 opens the
// factory preset screen directly), and the size of the view.
#include <string>
#include <vector>

#include "app/commands.h"
#include "core/input_event.h"
#include "modeldb/station_files.h"

namespace app {

extern const char* const kResolutionMessage;

// Where and how large the main window goes for a screen.
struct ViewLayout {
    int width = 0;
    int height = 0;
    bool centre = false;             // narrower than the screen: centred on it
    bool resolutionWarning = false;  // kResolutionMessage is to be shown
};

// 800 x 575 scaled by the screen's pixels per inch (96 is 100 %).
ViewLayout viewLayout(int screenWidth, int dpiX, int dpiY);

class MainFrame {
public:
    // The version comes from the commands' release file.
    explicit MainFrame(Commands& commands) : commands_(commands) {}

    // Frame creation: reads the notice file of the program home.
    void create();
    const std::vector<modeldb::Notice>& notices() const { return notices_; }

    std::string title() const;
    std::string version() const;

    // A command chosen from the menu; false when it is disabled.
    bool runMenuCommand(CommandId id);
    // F2, F3, F5 and F6 of the view; false for other keys or a disabled command.
    bool runKey(core::Key key);

    Commands& commands() { return commands_; }

private:
    void menuFactoryPreset();
    bool keyFactoryPreset();

    Commands& commands_;
    std::vector<modeldb::Notice> notices_;
};

} // namespace app
