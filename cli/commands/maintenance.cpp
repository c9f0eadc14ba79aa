// maintenance: the maintenance screen for the operator's keys: click=Degauss,
// the power and aging buttons by their captions (or click=Power,
// click=Aging), click=Close or Escape.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class MaintenanceCommand : public Command {
public:
    std::string name() const override { return "maintenance"; }
    std::string summary() const override {
        return "open the maintenance screen for --keys: click=Degauss, click=Power, click=Aging (or the buttons' "
               "captions), click=Close, Escape";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.monitor = true, .generator = true}; }

    int execute(Session& session) override {
        const int messages = session.ui().messageCount();
        if (!session.commands().run(app::CommandId::Maintenance)) {
            session.out().error("the model " + session.state().modelName() + " has no maintenance screen");
            return kExitFailed;
        }
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }
};

} // namespace

std::unique_ptr<Command> makeMaintenanceCommand() { return std::make_unique<MaintenanceCommand>(); }

} // namespace cli
