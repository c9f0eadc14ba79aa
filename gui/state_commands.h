#pragma once
// Connects the application state to the main window: the model selection and
// configuration commands (menu and F2/F3), and the view of the current model,
// refreshed after every model load.
#include "app/command_table.h"
#include "app/state/app_state.h"

namespace core { class Ui; }

namespace gui {

class MainWindow;

class StateCommands {
public:
    StateCommands(MainWindow& window, app::CommandDispatcher& commands, appstate::AppState& state, core::Ui& ui);

    void openModelSelection();
    void openConfiguration();
    // Shows the current model in the view.
    void showModel();

private:
    MainWindow& window_;
    appstate::AppState& state_;
    core::Ui& ui_;
};

} // namespace gui
