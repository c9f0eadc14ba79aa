// select MODEL: what choosing the model in the selection screen does.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "cli/command.h"
#include "cli/commands/list_only_host.h"
#include "cli/exit_code.h"
#include "cli/model_summary.h"
#include "cli/session.h"
#include "modeldb/model_selection.h"

namespace cli {
namespace {

class SelectCommand : public Command {
public:
    std::string name() const override { return "select"; }
    std::string summary() const override {
        return "choose MODEL as the selection screen does: set and store its ECS type, remember it, load its "
               "files";
    }
    void define(CLI::App& app) override {
        app.add_option("MODEL", model_, "the model's name as the model database has it")->required();
    }
    // The previous model is not loaded: the selection replaces it.
    Needs needs() const override { return {.station = true, .state = true, .loadModel = false}; }

    int execute(Session& session) override {
        // The row the grid shows the model in when it opens.
        ListOnlyHost host;
        modeldb::ModelSelection grid(session.home(), session.ui(), host);
        grid.open();
        const int row = grid.rowOf(model_);
        if (row == 0) {
            session.out().error("no model " + model_ + " in the model database of " + session.home());
            return kExitFailed;
        }
        // The technician's way: the row, Enter to select it, OK to close.
        session.ui().queueEvents({core::InputEvent::selectRow(row), core::InputEvent::press(core::Key::Enter),
                                  core::InputEvent::click("OK")});
        session.commands().run(app::CommandId::ModelSelection);
        return printModelSummary(session) ? kExitDone : kExitFailed;
    }

private:
    std::string model_;
};

} // namespace

std::unique_ptr<Command> makeSelectCommand() { return std::make_unique<SelectCommand>(); }

} // namespace cli
