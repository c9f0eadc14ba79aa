// expert: the expert screen for the operator's keys: click=Release Ver,
// click=Timing Edit, row=N, click=SYNC, click=Hp, click=Vp, click=HFRE +1
// (and -1, VFRE), click=HFRE or click=VFRE then type=N, click=Read,
// click=Write, click=Down timing, click=Viewer, Escape or click=Close.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/release_file.h"
#include "cli/session.h"

namespace cli {
namespace {

class ExpertCommand : public Command {
public:
    std::string name() const override { return "expert"; }
    std::string summary() const override {
        return "open the expert screen for --keys: click=Release Ver, click=Timing Edit, row=N, click=SYNC, "
               "click=Hp, click=Vp, click=HFRE +1 (-1, VFRE), click=HFRE or click=VFRE then type=N, click=Read, "
               "click=Write, click=Down timing, click=Viewer, Escape";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.monitor = true}; }

    int execute(Session& session) override {
        session.commands().setReleaseFile(releaseFilePath(session));
        const int messages = session.ui().messageCount();
        if (!session.commands().run(app::CommandId::Expert)) {
            session.out().error("expert mode is off");
            return kExitFailed;
        }
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }
};

} // namespace

std::unique_ptr<Command> makeExpertCommand() { return std::make_unique<ExpertCommand>(); }

} // namespace cli
