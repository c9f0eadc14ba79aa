#pragma once
// What a command runs in: the program home, the Ui (scripted or the operator
// console), the output, and on demand the profile, the application state
// with its monitor link and model, the signal generator and app::Commands,
// built as pelaro builds them at start-up, with --port and --model applied
// for this run only.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/console_ui.h"
#include "cli/output.h"

namespace platform { class Clock; }
namespace siggen { class SignalGenerator; }
namespace appstate {
class AppState;
class Profile;
struct ScreenContext;
}
namespace app {
class Commands;
class SignalGeneratorLayer;
}

namespace cli {

// The process's streams and clock; tests put their own in.
struct Environment {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    bool stdinTerminal = false;
    bool stderrTerminal = false;
    platform::Clock* clock = nullptr;  // null: the system clock
};

// The options every command takes, before or after its name.
struct GlobalOptions {
    std::string home;
    std::string model;
    std::string port;
    bool yes = false;
    bool no = false;
    std::vector<std::string> answers;
    std::vector<std::string> keys;
    bool debug = false;
    bool json = false;
    bool quiet = false;
};

class Session {
public:
    // `ui` renders through `out`; the home is app::chooseHome's: --home, else
    // $PELARO_HOME, else the executable's folder or the installed station.
    Session(Environment& env, const GlobalOptions& options, Output& out, std::unique_ptr<ConsoleUi> ui);
    ~Session();

    // Sets up what the command needs; kExitDone, or kExitSetup after saying why.
    int prepare(const Needs& needs);
    // Ends the run: closes the generator and the link, then merges the Ui's
    // outcome and unused scripted input into the command's exit code.
    int finish(int exitCode);

    const GlobalOptions& options() const { return options_; }
    const std::string& home() const { return home_; }
    Output& out() { return out_; }
    ConsoleUi& ui() { return *ui_; }
    platform::Clock& clock() { return clock_; }

    // Available after prepare() with `state`.
    appstate::AppState& state() { return *state_; }
    app::Commands& commands() { return *commands_; }
    siggen::SignalGenerator& generator() { return *generator_; }
    appstate::Profile& profile();
    appstate::ScreenContext context();

private:
    void shutdown();
    bool checkStation();
    bool startState(const Needs& needs);
    bool checkModel();
    bool checkMonitor();

    Environment& env_;
    GlobalOptions options_;
    Output& out_;
    std::unique_ptr<ConsoleUi> ui_;
    platform::Clock& clock_;
    std::string home_;
    std::unique_ptr<appstate::Profile> profile_;
    std::unique_ptr<siggen::SignalGenerator> generator_;
    std::unique_ptr<app::SignalGeneratorLayer> layer_;
    std::unique_ptr<appstate::AppState> state_;
    std::unique_ptr<app::Commands> commands_;
};

} // namespace cli
