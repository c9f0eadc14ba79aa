// models: the model database as the selection grid shows it.
#include <CLI/CLI.hpp>

#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/commands/list_only_host.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "modeldb/model_selection.h"

namespace cli {
namespace {

class ModelsCommand : public Command {
public:
    std::string name() const override { return "models"; }
    std::string summary() const override {
        return "list the model database as the selection grid shows it (row, model, chassis, customer, "
               "version, description)";
    }
    void define(CLI::App& app) override {
        app.add_option("--sort", sort_, "sort as a click on that column's header does: model, chassis or customer")
            ->check(CLI::IsMember({"model", "chassis", "customer"}));
    }
    Needs needs() const override { return {.station = true}; }

    int execute(Session& session) override {
        ListOnlyHost host;
        modeldb::ModelSelection grid(session.home(), session.ui(), host);
        grid.open();
        if (grid.entryCount() == 0) {
            session.out().error("the model database of " + session.home() + " holds no model");
            return kExitSetup;
        }
        if (sort_ == "model") grid.clickHeader(1);
        if (sort_ == "chassis") grid.clickHeader(2);
        if (sort_ == "customer") grid.clickHeader(5);
        const core::ScreenView view = grid.view();
        const std::vector<std::string>& lines = view.lists.at(0).lines;
        for (int row = 1; row <= grid.entryCount(); ++row) {
            session.out().data(lines[static_cast<size_t>(row - 1)],
                               {{"row", std::stoi(grid.cell(row, 0))},
                                {"model", grid.cell(row, 1)},
                                {"chassis", grid.cell(row, 2)},
                                {"file", grid.cell(row, 3)},
                                {"customer", grid.cell(row, 5)},
                                {"comType", grid.cell(row, 6)},
                                {"version", grid.cell(row, 7)},
                                {"description", grid.cell(row, 8)}});
        }
        return kExitDone;
    }

private:
    std::string sort_;
};

} // namespace

std::unique_ptr<Command> makeModelsCommand() { return std::make_unique<ModelsCommand>(); }

} // namespace cli
