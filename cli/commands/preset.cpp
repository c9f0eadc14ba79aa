// preset: the factory preset screen (F5) for the operator's keys: Alt+1..Alt+0
// or row=N choose a timing, Alt+Q..Alt+I a slider, Up, Down, PageUp,
// PageDown, Home, End or type=N and Enter change it, click=Save,
// click=Restore, Escape closes.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class PresetCommand : public Command {
public:
    std::string name() const override { return "preset"; }
    std::string summary() const override {
        return "open the factory preset screen (F5) for --keys: Alt+1..Alt+0, row=N, Alt+Q..Alt+I, Up, Down, "
               "PageUp, PageDown, Home, End, type=N, Enter, Tab, click=Save, click=Restore, Escape";
    }
    void define(CLI::App& app) override {
        app.add_flag("--av", av_, "list the model's AV preset timings instead of its preset timings");
    }
    Needs needs() const override { return {.monitor = true, .generator = true}; }

    int execute(Session& session) override {
        const int messages = session.ui().messageCount();
        if (!session.commands().runFactoryPreset(av_)) {
            session.out().error("the model " + session.state().modelName() + " has no factory preset screen");
            return kExitFailed;
        }
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }

private:
    bool av_ = false;
};

} // namespace

std::unique_ptr<Command> makePresetCommand() { return std::make_unique<PresetCommand>(); }

} // namespace cli
