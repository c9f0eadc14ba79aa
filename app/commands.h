#pragma once
// Every command of the main window's table with its handler and enabling
// rule, and the glue that opens a command's screen, runs it modally through
// the Ui and closes it. Both front ends run commands through this: the GUI
// from its menus and keys, pelaro-cli from its own commands.
#include <functional>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/state/app_state.h"
#include "app/state/screen_context.h"

namespace core { class Ui; }
namespace platform { class Clock; }
namespace procedure { class ProcedureRunner; }
namespace siggen { class SignalGenerator; }

namespace app {

// What the main window's view shows of the current model.
struct MainView {
    std::string modelName;
    std::string fileLine;  // in debug mode "File Name    :" and the model file, else empty
};

class Commands {
public:
    Commands(appstate::AppState& state, siggen::SignalGenerator& generator, core::Ui& ui, platform::Clock& clock);

    bool enabled(CommandId id) const { return dispatcher_.enabled(id); }
    // Runs the command when it is enabled; false otherwise.
    bool run(CommandId id) { return dispatcher_.run(id); }
    // What "&Exit" does: the front end ends itself.
    void setExitAction(std::function<void()> exit);
    // What starts a chosen procedure; without one a start only marks the
    // procedure adjusted.
    void setProcedureRunner(procedure::ProcedureRunner* runner) { procedureRunner_ = runner; }

    MainView mainView() const;

    // The context every screen of these commands receives.
    appstate::ScreenContext context();

    // The kinds of every screen these commands can open, so a front end can
    // check at start-up that it renders each of them.
    static const std::vector<std::string>& screenKinds();

    appstate::AppState& state() { return state_; }
    siggen::SignalGenerator& generator() { return generator_; }
    core::Ui& ui() { return ui_; }

private:
    void openModelSelection();
    void openConfiguration();
    void openProcedureSelect(int listKind);

    appstate::AppState& state_;
    siggen::SignalGenerator& generator_;
    core::Ui& ui_;
    platform::Clock& clock_;
    CommandDispatcher dispatcher_;
    procedure::ProcedureRunner* procedureRunner_ = nullptr;
};

} // namespace app
