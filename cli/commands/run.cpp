// run NAME: one procedure of the model's lists, run as "Procedure Select"
// runs it. The screen of the list that holds NAME opens (service entry),
// NAME starts on the step runner, and the screen closes after the run
// (service exit, the generator's default). The operator's keys (--keys or
// the console) drive the interactive steps.
#include <CLI/CLI.hpp>

#include <algorithm>

#include "app/commands.h"
#include "app/procedure_commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "procedure/procedure_lists.h"
#include "procedure/procedure_select.h"
#include "procedure/step_by_step.h"

namespace cli {
namespace {

struct ListName {
    const char* name;
    int kind;
};
constexpr ListName kLists[] = {
    {"adjust", procedure::kAdjustmentList},
    {"touchup", procedure::kTouchUpList},
    {"dcnv", procedure::kDcnvList},
};

// The step runner of pelaro, with "Step by Step" rendered from its first
// step on: the automatic steps that run while it opens print too, and a run
// that ends without stopping for the operator still shows its log.
class ShownStepRunner final : public procedure::ProcedureRunner {
public:
    ShownStepRunner(appstate::ScreenContext& context, procedure::NestedScreens& nested, ConsoleUi& ui)
        : context_(context), nested_(nested), ui_(ui) {}

    void runProcedure(const procedure::ProcedureChoice& choice) override {
        procedure::StepByStep screen(context_, nested_);
        AttachedScreen shown(ui_, screen);
        screen.open(choice);
        ui_.runModal(screen);  // returns at once when the run ended while opening
        ran_ = true;
        // The caption is set once the procedure file was read.
        fileRead_ = !screen.caption().empty();
        ended_ = screen.result() == procedure::StepByStep::kEnded;
    }

    bool ran() const { return ran_; }
    bool fileRead() const { return fileRead_; }
    bool ended() const { return ended_; }

private:
    appstate::ScreenContext& context_;
    procedure::NestedScreens& nested_;
    ConsoleUi& ui_;
    bool ran_ = false;
    bool fileRead_ = false;
    bool ended_ = false;
};

class RunCommand : public Command {
public:
    std::string name() const override { return "run"; }
    std::string summary() const override {
        return "run one procedure of the model's lists on the step runner (Procedure Select opens, the procedure "
               "runs, the screen closes) for --keys: F1..F5, K, C, J, Q..I, Up, Down, PageUp, PageDown, Home, End, "
               "type=N, Tab, Enter, Escape, click=CAPTION, row=N";
    }
    void define(CLI::App& app) override {
        app.add_option("NAME", procedure_, "the procedure as its list names it")->required();
        app.add_option("--list", list_, "the list that holds it (default: the first list that does)")
            ->check(CLI::IsMember({"adjust", "touchup", "dcnv"}));
    }
    Needs needs() const override { return {.monitor = true, .generator = true}; }

    int execute(Session& session) override {
        appstate::ScreenContext c = session.context();
        const std::string directory = procedure::procedureDirectory(c.home, c.model.chassis);
        int kind = 0;
        int index = -1;
        std::string known;
        for (const ListName& l : kLists) {
            if (!list_.empty() && list_ != l.name) continue;
            for (const procedure::ListEntry& e : procedure::listEntries(c.model.image, l.kind, directory)) {
                known += (known.empty() ? "" : ", ") + e.name;
                if (e.name == procedure_ && index < 0) {
                    kind = l.kind;
                    index = e.index;
                }
            }
            if (index >= 0) break;
        }
        if (index < 0) {
            session.out().error("no procedure " + procedure_ + " in the " + (list_.empty() ? "" : list_ + " ") +
                                "lists of " + session.state().modelName() + " (" +
                                (known.empty() ? "none" : known) + ")");
            return kExitUsage;
        }

        app::ProcedureServiceScreens nested(c);
        ShownStepRunner runner(c, nested, session.ui());
        procedure::ProcedureSelect screen(c, kind, runner);
        {
            AttachedScreen shown(session.ui(), screen);
            screen.open();
            if (screen.closed()) return kExitFailed;  // the monitor could not be reached
            const std::vector<int>& rows = screen.rowMap();
            const auto row = std::find(rows.begin(), rows.end(), index);
            if (row != rows.end()) {
                screen.selectRow(static_cast<int>(row - rows.begin()));
                screen.start();
            }
            screen.exit();
        }
        if (!runner.ran() || !runner.fileRead()) return kExitFailed;
        session.out().show("run", runner.ended() ? "END reached" : "ended before END");
        return kExitDone;
    }

private:
    std::string procedure_;
    std::string list_;
};

} // namespace

std::unique_ptr<Command> makeRunCommand() { return std::make_unique<RunCommand>(); }

} // namespace cli
