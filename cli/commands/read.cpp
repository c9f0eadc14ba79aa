// read REG...: reads registers of the monitor.
#include <CLI/CLI.hpp>

#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/registers.h"
#include "cli/session.h"
#include "core/result_codes.h"
#include "core/text_format.h"

namespace cli {
namespace {

class ReadCommand : public Command {
public:
    std::string name() const override { return "read"; }
    std::string summary() const override {
        return "read registers (names of the link description, or codes such as 0x0105): NAME = VALUE (0xHHHH)";
    }
    void define(CLI::App& app) override {
        app.add_option("REG", names_, "register names or codes")->required();
        app.add_flag("--no-service", noService_, "skip the service-entry and service-exit sequences");
    }
    Needs needs() const override { return {.monitor = true}; }

    int execute(Session& session) override {
        ecs::EcsLink& link = session.state().link();
        std::vector<RegisterRef> regs;
        for (const std::string& n : names_) {
            std::optional<RegisterRef> r = findRegister(link.registers(), n);
            if (!r) {
                session.out().error("no register " + n + " in " + session.state().document().linkDescriptionFileName());
                return kExitUsage;
            }
            regs.push_back(*r);
        }
        return inServiceMode(session, noService_, [&] {
            for (const RegisterRef& r : regs) {
                int32_t value = 0;
                const uint32_t result = link.readRegister(r.code, value, ecs::kAskMonitor);
                if (result != core::ECS_OK) {
                    reportAccessFailure(session, "read", r, result);
                    return kExitFailed;
                }
                session.out().data(core::strf("%s = %d (0x%04X)", r.name.c_str(), value, static_cast<unsigned>(value)),
                                   {{"register", r.name}, {"code", codeText(r.code)}, {"value", value}});
            }
            return kExitDone;
        });
    }

private:
    std::vector<std::string> names_;
    bool noService_ = false;
};

} // namespace

std::unique_ptr<Command> makeReadCommand() { return std::make_unique<ReadCommand>(); }

} // namespace cli
