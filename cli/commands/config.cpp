// config: the configuration screen (F3) for the operator's keys: Tab moves
// between the lists, Up and Down or row=N choose, Enter is OK, Escape Cancel.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class ConfigCommand : public Command {
public:
    std::string name() const override { return "config"; }
    std::string summary() const override {
        return "open the configuration screen (F3) for --keys: Tab, Backtab, Up, Down, row=N, Enter (OK), "
               "Escape (Cancel)";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.state = true, .generator = true}; }

    int execute(Session& session) override {
        session.commands().run(app::CommandId::Configuration);
        return kExitDone;
    }
};

} // namespace

std::unique_ptr<Command> makeConfigCommand() { return std::make_unique<ConfigCommand>(); }

} // namespace cli
