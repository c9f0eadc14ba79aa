// control: the generator control screen ("Cont_S&G", F6) for the operator's
// keys: digits and Enter apply timing rows, click= presses the pattern,
// colour and inversion buttons, Escape closes.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class ControlCommand : public Command {
public:
    std::string name() const override { return "control"; }
    std::string summary() const override {
        return "open the generator control screen (F6) for --keys: 0..9, Enter, row=N, click=PATTERN, "
               "click=GUN_R, click=INVERT, Escape";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.model = true, .generator = true}; }

    int execute(Session& session) override {
        const int messages = session.ui().messageCount();
        session.commands().run(app::CommandId::GeneratorControl);
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }
};

} // namespace

std::unique_ptr<Command> makeControlCommand() { return std::make_unique<ControlCommand>(); }

} // namespace cli
