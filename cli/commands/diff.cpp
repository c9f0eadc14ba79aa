// diff A B: two data files of the current model compared group by group,
// mode by mode, item by item; one "GROUP mode k NAME: a -> b" line per
// value that differs.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/data_files.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "datafiles/dat_compare.h"

namespace cli {
namespace {

class DiffCommand : public Command {
public:
    std::string name() const override { return "diff"; }
    std::string summary() const override {
        return "compare two data files of the current model value by value (GROUP mode k NAME: a -> b); "
               "exit 0 when they hold the same, 1 when not";
    }
    void define(CLI::App& app) override {
        app.add_option("A", first_, "the first data file")->required();
        app.add_option("B", second_, "the second data file")->required();
    }
    Needs needs() const override { return {.model = true}; }

    int execute(Session& session) override {
        Output& out = session.out();
        appstate::ScreenContext c = session.context();
        const modeldb::StandardBlock& standard = c.model.standard;
        datafiles::DatComparison comparison;
        std::string unreadable;
        if (!datafiles::compareDatFiles(absolutePath(first_), absolutePath(second_), standard, c.registers,
                                        comparison, &unreadable)) {
            out.error("cannot read " + unreadable);
            return kExitFailed;
        }
        // Header fields that differ are differences too: the files were saved for other models or data.
        if (comparison.modelNameDiffers || comparison.standardDiffers) {
            datafiles::DatContents a, b;
            datafiles::readDatFile(absolutePath(first_), standard, a);
            datafiles::readDatFile(absolutePath(second_), standard, b);
            if (comparison.modelNameDiffers)
                header(out, "model name", datafiles::fieldText(a.header.modelName),
                       datafiles::fieldText(b.header.modelName));
            if (comparison.standardDiffers)
                header(out, "standard data", datafiles::fieldText(a.header.standardName),
                       datafiles::fieldText(b.header.standardName));
        }
        if (comparison.firstFault.any()) out.error(first_ + ": " + faultText(comparison.firstFault, standard));
        if (comparison.secondFault.any()) out.error(second_ + ": " + faultText(comparison.secondFault, standard));
        for (const datafiles::DatDifference& d : comparison.differences)
            out.data(datafiles::describe(d), {{"difference", {{"group", d.groupName},
                                                              {"mode", d.mode},
                                                              {"register", d.registerName},
                                                              {"a", datafiles::valueText(d.first)},
                                                              {"b", datafiles::valueText(d.second)}}}});
        const bool same = comparison.sameValues() && !comparison.modelNameDiffers && !comparison.standardDiffers;
        return same ? kExitDone : kExitFailed;
    }

private:
    static void header(Output& out, const std::string& field, const std::string& a, const std::string& b) {
        out.data(field + ": " + a + " -> " + b, {{"difference", {{"field", field}, {"a", a}, {"b", b}}}});
    }

    std::string first_;
    std::string second_;
};

} // namespace

std::unique_ptr<Command> makeDiffCommand() { return std::make_unique<DiffCommand>(); }

} // namespace cli
