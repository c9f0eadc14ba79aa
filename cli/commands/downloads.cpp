// mpu, download-timing, umt-init: the MPU download, the timing download and
// the UMT initialisation screens for the operator's keys: Enter or
// click=Start runs, click=List shows the list, Escape or click=Close closes.
// Each enters and leaves service mode itself.
#include <CLI/CLI.hpp>

#include "app/commands.h"
#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class DownloadCommand : public Command {
public:
    // `refused` follows the model name when the command is off for it.
    DownloadCommand(std::string name, std::string what, std::string refused, app::CommandId id)
        : name_(std::move(name)), what_(std::move(what)), refused_(std::move(refused)), id_(id) {}

    std::string name() const override { return name_; }
    std::string summary() const override {
        return "open the " + what_ + " screen for --keys: Enter or click=Start, click=List, Escape or click=Close";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.monitor = true}; }

    int execute(Session& session) override {
        const int messages = session.ui().messageCount();
        if (!session.commands().run(id_)) {
            session.out().error("the model " + session.state().modelName() + " " + refused_);
            return kExitFailed;
        }
        // A run that stopped says why in a message.
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }

private:
    std::string name_;
    std::string what_;
    std::string refused_;
    app::CommandId id_;
};

} // namespace

std::unique_ptr<Command> makeMpuCommand() {
    return std::make_unique<DownloadCommand>("mpu", "MPU data download", "has no MPU data download",
                                             app::CommandId::Mpu);
}

std::unique_ptr<Command> makeDownloadTimingCommand() {
    return std::make_unique<DownloadCommand>("download-timing", "timing download", "has no timing download",
                                             app::CommandId::TimingDownload);
}

std::unique_ptr<Command> makeUmtInitCommand() {
    return std::make_unique<DownloadCommand>("umt-init", "UMT initialisation",
                                             "has no UMT number 1..30 to initialise", app::CommandId::UmtInit);
}

} // namespace cli
