// load FILE [--verify]: the "Load Data to Set" screen with FILE instead of
// its chooser. --verify then saves the monitor's data into a temporary file
// (still in service mode) and lists every register that does not hold the
// value loaded into it.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <random>
#include <system_error>

#include "app/commands.h"
#include "app/data_file_commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/data_files.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "core/operation_log.h"
#include "core/text_format.h"
#include "datafiles/dat_compare.h"
#include "datafiles/data_file_screen.h"
#include "datafiles/data_save.h"

namespace cli {
namespace {

// A file name in the temporary folder that no one can guess.
std::string temporaryDataFile() {
    std::random_device random;
    const unsigned long long tag = (static_cast<unsigned long long>(random()) << 32) ^ random();
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = "/tmp";
    return (folder / core::strf("pelaro-verify-%016llx.dat", tag)).string();
}

class LoadCommand : public Command {
public:
    std::string name() const override { return "load"; }
    std::string summary() const override {
        return "load a data file into the monitor (Load Data to Set); --verify reads the data back and lists "
               "every register that does not hold the loaded value";
    }
    void define(CLI::App& app) override {
        app.add_option("FILE", path_, "the data file (.dat)")->required();
        app.add_flag("--verify", verify_,
                     "after the load, save the monitor's data into a temporary file and compare it with FILE");
    }
    Needs needs() const override { return {.monitor = true}; }

    int execute(Session& session) override {
        appstate::ScreenContext c = session.context();
        datafiles::LoadDataScreen screen(c, app::savePath(session.state().profile()));
        if (!verify_) return runDataFileScreen(session, screen, path_);
        return runDataFileScreen(session, screen, path_, [&] { return verify(session, c); });
    }

private:
    int verify(Session& session, appstate::ScreenContext& c) {
        Output& out = session.out();
        const std::string copy = temporaryDataFile();
        core::OperationLog log;  // the read-back's own lines are not shown
        datafiles::DataSave save(c, log);
        const datafiles::RunResult saved = save.run(copy);
        int code = kExitDone;
        datafiles::DatComparison comparison;
        std::string unreadable;
        if (saved != datafiles::RunResult::Completed) {
            out.error("verify: the monitor's data could not be read back");
            code = kExitFailed;
        } else if (!datafiles::compareDatFiles(absolutePath(path_), copy, c.model.standard, c.registers, comparison,
                                               &unreadable)) {
            out.error("verify: cannot read " + unreadable);
            code = kExitFailed;
        } else {
            if (comparison.firstFault.any())
                out.error("verify: " + path_ + " " + faultText(comparison.firstFault, c.model.standard));
            const std::vector<datafiles::DatDifference> notHeld = datafiles::valuesNotHeld(comparison);
            for (const datafiles::DatDifference& d : notHeld)
                out.data(datafiles::describe(d), {{"not held", {{"group", d.groupName},
                                                                {"mode", d.mode},
                                                                {"register", d.registerName},
                                                                {"loaded", datafiles::valueText(d.first)},
                                                                {"held", datafiles::valueText(d.second)}}}});
            out.show("verify", notHeld.empty() ? std::string("every register holds the loaded value")
                                               : core::strf("%zu registers do not hold the loaded value",
                                                            notHeld.size()));
            if (!notHeld.empty() || comparison.firstFault.any() || comparison.secondFault.any()) code = kExitFailed;
        }
        std::error_code ec;
        std::filesystem::remove(copy, ec);
        return code;
    }

    std::string path_;
    bool verify_ = false;
};

} // namespace

std::unique_ptr<Command> makeLoadCommand() { return std::make_unique<LoadCommand>(); }

} // namespace cli
