// save FILE: the "Save Data to File" screen with FILE instead of its
// chooser: every register of the model's data groups read and stored.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/data_file_commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/data_files.h"
#include "cli/session.h"
#include "datafiles/data_file_screen.h"

namespace cli {
namespace {

class SaveCommand : public Command {
public:
    std::string name() const override { return "save"; }
    std::string summary() const override {
        return "save the monitor's adjustment data into a data file (Save Data to File); a file that exists "
               "is replaced after a yes (--yes, --answers)";
    }
    void define(CLI::App& app) override { app.add_option("FILE", path_, "the data file (.dat)")->required(); }
    Needs needs() const override { return {.monitor = true}; }

    int execute(Session& session) override {
        appstate::ScreenContext c = session.context();
        datafiles::SaveDataScreen screen(c, app::savePath(session.state().profile()));
        return runDataFileScreen(session, screen, path_);
    }

private:
    std::string path_;
};

} // namespace

std::unique_ptr<Command> makeSaveCommand() { return std::make_unique<SaveCommand>(); }

} // namespace cli
