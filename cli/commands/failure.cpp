// failure: the failure screen, listing the monitor's self-diagnosis bits, for
// the operator's keys: click=Refresh, click=Close or Escape.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class FailureCommand : public Command {
public:
    std::string name() const override { return "failure"; }
    std::string summary() const override {
        return "open the failure screen (the monitor's self-diagnosis lines) for --keys: click=Refresh, "
               "click=Close, Escape";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.monitor = true, .generator = true}; }

    int execute(Session& session) override {
        const int messages = session.ui().messageCount();
        if (!session.commands().run(app::CommandId::Failure)) {
            session.out().error("the model " + session.state().modelName() + " has no failure screen");
            return kExitFailed;
        }
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }
};

} // namespace

std::unique_ptr<Command> makeFailureCommand() { return std::make_unique<FailureCommand>(); }

} // namespace cli
