// lint [MODEL...]: the station's models and their procedures checked
// without sending anything; one line per finding.
#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "procedure/station_lint.h"

namespace cli {
namespace {

class LintCommand : public Command {
public:
    std::string name() const override { return "lint"; }
    std::string summary() const override {
        return "check the station's models (all, or those named) and every procedure of their lists: "
               "one FILE: step N: what line per finding, exit 1 when there is any";
    }
    void define(CLI::App& app) override {
        app.add_option("MODEL", models_, "models by their database name (default: every model)");
    }
    Needs needs() const override { return {.station = true}; }

    int execute(Session& session) override {
        const std::vector<procedure::Finding> findings = procedure::lintStation(session.home(), models_);
        for (const procedure::Finding& f : findings)
            session.out().data(f.text(), {{"finding", {{"file", f.file}, {"step", f.step}, {"what", f.what}}}});
        return findings.empty() ? kExitDone : kExitFailed;
    }

private:
    std::vector<std::string> models_;
};

} // namespace

std::unique_ptr<Command> makeLintCommand() { return std::make_unique<LintCommand>(); }

} // namespace cli
