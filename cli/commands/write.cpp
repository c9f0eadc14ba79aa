// write REG=VALUE...: writes registers of the monitor, each sent at once.
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

class WriteCommand : public Command {
public:
    std::string name() const override { return "write"; }
    std::string summary() const override {
        return "write registers: REG=VALUE (decimal or 0x hexadecimal), each sent at once";
    }
    void define(CLI::App& app) override {
        app.add_option("REG=VALUE", items_, "register names or codes with their values")->required();
        app.add_flag("--no-service", noService_, "skip the service-entry and service-exit sequences");
    }
    Needs needs() const override { return {.monitor = true}; }

    int execute(Session& session) override {
        ecs::EcsLink& link = session.state().link();
        struct Item {
            RegisterRef reg;
            int32_t value;
        };
        std::vector<Item> items;
        // Everything is checked before anything is sent.
        for (const std::string& text : items_) {
            const size_t eq = text.rfind('=');
            std::optional<RegisterRef> r = eq == std::string::npos ? std::nullopt
                                                                   : findRegister(link.registers(), text.substr(0, eq));
            std::optional<int32_t> v = eq == std::string::npos ? std::nullopt : parseValue(text.substr(eq + 1));
            if (!r || !v) {
                session.out().error(!r ? "no register in " + text : "not a value in " + text);
                return kExitUsage;
            }
            const int32_t lo = link.groupMin(r->code), hi = link.groupMax(r->code);
            if (hi > lo && (*v < lo || *v > hi)) {
                session.out().error(core::strf("%d is outside %s's limits %d..%d", *v, r->name.c_str(), lo, hi));
                return kExitUsage;
            }
            items.push_back({*r, *v});
        }
        return inServiceMode(session, noService_, [&] {
            for (const Item& i : items) {
                const uint32_t result = link.writeRegister(i.reg.code, i.value, ecs::kSendNow);
                if (result != core::ECS_OK) {
                    reportAccessFailure(session, "write", i.reg, result);
                    return kExitFailed;
                }
                session.out().data(core::strf("%s = %d (0x%04X)", i.reg.name.c_str(), i.value,
                                              static_cast<unsigned>(i.value)),
                                   {{"register", i.reg.name}, {"code", codeText(i.reg.code)}, {"written", i.value}});
            }
            return kExitDone;
        });
    }

private:
    std::vector<std::string> items_;
    bool noService_ = false;
};

} // namespace

std::unique_ptr<Command> makeWriteCommand() { return std::make_unique<WriteCommand>(); }

} // namespace cli
