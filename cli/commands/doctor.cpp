// doctor: checks the environment and says what to do for each problem.
#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/doctor.h"
#include "cli/exit_code.h"
#include "cli/session.h"

namespace cli {
namespace {

class DoctorCommand : public Command {
public:
    std::string name() const override { return "doctor"; }
    std::string summary() const override {
        return "check the profile, the ports, the station, the current model's files, the generator kit's "
               "settings and the writable places; one line each with ok, warn or FAIL";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {}; }

    int execute(Session& session) override {
        const GlobalOptions& g = session.options();
        bool failed = false;
        for (const Check& c : runChecks({session.home(), g.port, g.model})) {
            failed = failed || c.status == Check::Status::Fail;
            std::string line = std::string(statusWord(c.status)) + std::string(6 - std::string(statusWord(c.status)).size(), ' ') +
                               c.subject + ": " + c.detail;
            if (!c.advice.empty()) line += " -> " + c.advice;
            nlohmann::ordered_json object{{"check", c.subject}, {"status", statusWord(c.status)}, {"detail", c.detail}};
            if (!c.advice.empty()) object["advice"] = c.advice;
            session.out().data(line, object);
        }
        return failed ? kExitFailed : kExitDone;
    }
};

} // namespace

std::unique_ptr<Command> makeDoctorCommand() { return std::make_unique<DoctorCommand>(); }

} // namespace cli
