// view FILE [GROUP]: the "Viewer" on FILE instead of its chooser. With a
// GROUP (its number or name) the group's values are listed and the viewer
// closes; without one it waits for the operator's rows (--keys row=N,
// Escape).
#include <CLI/CLI.hpp>

#include <cstdlib>

#include "app/commands.h"
#include "cli/command.h"
#include "cli/data_files.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "datafiles/data_groups.h"
#include "datafiles/viewer_screen.h"

namespace cli {
namespace {

// The viewer's line of `group` (a number from 1 or a group's name), 0 when none.
int groupLine(const std::string& group, const modeldb::StandardBlock& standard) {
    const size_t count = datafiles::walkedGroupCount(standard);
    char* end = nullptr;
    const long n = std::strtol(group.c_str(), &end, 10);
    if (!group.empty() && *end == '\0') return n >= 1 && static_cast<size_t>(n) <= count ? static_cast<int>(n) : 0;
    for (size_t g = 0; g < count; ++g)
        if (standard.groups[g].name == group) return static_cast<int>(g) + 1;
    return 0;
}

class ViewCommand : public Command {
public:
    std::string name() const override { return "view"; }
    std::string summary() const override {
        return "show what a data file holds, walked with the current model's data groups (the Viewer): GROUP "
               "by number or name, else for --keys: row=N, Escape";
    }
    void define(CLI::App& app) override {
        app.add_option("FILE", path_, "the data file (.dat)")->required();
        app.add_option("GROUP", group_, "the data group to list, by number (from 1) or name");
    }
    Needs needs() const override { return {.model = true}; }

    int execute(Session& session) override {
        appstate::ScreenContext c = session.context();
        int line = 0;
        if (!group_.empty() && (line = groupLine(group_, c.model.standard)) == 0) {
            session.out().error("no data group " + group_ + " in the model " + session.state().modelName());
            return kExitUsage;
        }
        const int messages = session.ui().messageCount();
        session.ui().queueFile(absolutePath(path_));
        if (line == 0) {
            datafiles::runViewer(c, std::string());
        } else {
            datafiles::ViewerScreen screen(c, std::string());
            AttachedScreen shown(session.ui(), screen);
            screen.open();
            if (screen.closed()) return kExitFailed;
            screen.selectLine(line);
            screen.finish();
        }
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }

private:
    std::string path_;
    std::string group_;
};

} // namespace

std::unique_ptr<Command> makeViewCommand() { return std::make_unique<ViewCommand>(); }

} // namespace cli
