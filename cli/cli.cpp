#include "cli/cli.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <sstream>

#include "app/command_line.h"
#include "cli/command_list.h"
#include "cli/exit_code.h"
#include "cli/script_ui.h"
#include "cli/terminal_ui.h"

namespace cli {

namespace {

const char* const kFooter = R"(Events of --keys: a key name (F1..F12, Enter, Escape, Tab, Backtab, Up, Down,
PageUp, PageDown, Home, End, a letter or digit, Alt+X), type=TEXT (types TEXT
into the focused value box), click=CAPTION (presses that button), row=N
(selects row N, from 1). Separate them with commas; "\," is a comma inside one.

Output: list and log lines on stdout; "NAME: value", "message: TEXT",
"question: TEXT -> yes" and parameter rows on stderr. --json prints one
object per event on stdout and ends with {"result": WORD, "exit": N}.

Exit codes: 0 done; 1 the operation stopped on a failure it reported; 2 usage
error or an event the screen cannot take; 3 operator input needed and none
left; 4 set-up failure (no station, no model, port cannot be opened).

Serial ports COMn map to devices through $COMPORTS or
$XDG_CONFIG_HOME/comports.ini ([COM] COM1=/dev/ttyUSB0 ...).)";

const char* const kCommandFooter = R"(Every command also takes, before or after its name: --home DIR, --model NAME,
--port PORT, --yes, --no, --answers yes,no,..., --keys K1,K2,..., --debug,
--json, --quiet (pelaro-cli --help describes them, the events of --keys and
the output).

Exit codes: 0 done; 1 the operation stopped on a failure it reported; 2 usage
error or an event the screen cannot take; 3 operator input needed and none
left; 4 set-up failure (no station, no model, port cannot be opened).)";

void addGlobalOptions(CLI::App& app, GlobalOptions& g) {
    const char* group = "Options (before or after the command)";
    app.add_option("--home", g.home, "program home (station); default $PELARO_HOME, else the program's folder when it holds a station, else the installed share/pelaro")
        ->type_name("DIR")
        ->group(group);
    app.add_option("--model", g.model, "use this model for this run (loaded as at start-up), not stored")
        ->type_name("NAME")
        ->group(group);
    app.add_option("--port", g.port, "monitor port for this run: COMn or a device path")->type_name("PORT")->group(group);
    auto* yes = app.add_flag("--yes", g.yes, "answer every yes/no question with yes")->group(group);
    auto* no = app.add_flag("--no", g.no, "answer every yes/no question with no")->group(group);
    yes->excludes(no);
    // One value per occurrence; an option given twice adds to the list.
    app.add_option("--answers", g.answers, "answers consumed in order before --yes/--no")
        ->delimiter(',')
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->type_name("yes,no,...")
        ->group(group);
    app.add_option("--keys", g.keys, "operator events fed in order to the screen that waits")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->type_name("K1,K2,...")
        ->group(group);
    app.add_flag("--debug", g.debug, "the debug flag on, as \"Debug ON\" in the program")->group(group);
    app.add_flag("--json", g.json, "JSON lines on stdout instead of text")->group(group);
    app.add_flag("--quiet", g.quiet, "no progress bar")->group(group);
}

std::optional<bool> answerOf(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (text == "yes" || text == "y") return true;
    if (text == "no" || text == "n") return false;
    return std::nullopt;
}

// Builds the scripted input; false (after saying why) when an item is not valid.
bool buildScript(const GlobalOptions& g, Script& script, std::string& error) {
    for (const std::string& list : g.keys) {
        std::string bad;
        std::optional<std::vector<core::InputEvent>> events = parseKeyList(list, bad);
        if (!events) {
            error = "--keys: not an event: " + bad;
            return false;
        }
        script.keys.insert(script.keys.end(), events->begin(), events->end());
    }
    for (const std::string& a : g.answers) {
        std::optional<bool> answer = answerOf(a);
        if (!answer) {
            error = "--answers: not yes or no: " + a;
            return false;
        }
        script.answers.push_back(*answer);
    }
    if (g.yes) script.everyAnswer = true;
    if (g.no) script.everyAnswer = false;
    return true;
}

} // namespace

int run(const std::vector<std::string>& args, Environment& env, std::vector<std::unique_ptr<Command>> commands) {
    CLI::App app{"pelaro-cli: the monitor adjustment workstation without a window. It runs the same screens\n"
                 "and commands as pelaro, driven by a script (--keys, --answers) or at the terminal.",
                 "pelaro-cli"};
    app.footer(kFooter);
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("SUBCOMMAND", "COMMAND");
    formatter->column_width(26);
    app.formatter(formatter);
    app.set_version_flag("--version", app::versionText().substr(std::string("pelaro ").size()));
    app.require_subcommand(1, 1);
    GlobalOptions g;
    addGlobalOptions(app, g);

    for (const std::unique_ptr<Command>& c : commands) {
        CLI::App* sub = app.add_subcommand(c->name(), c->summary());
        sub->group("Commands");
        sub->footer(kCommandFooter);
        sub->fallthrough();
        c->define(*sub);
    }

    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    Output::Options outOptions;
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        std::ostringstream out, err;
        const int code = app.exit(e, out, err);
        env.out << out.str();
        env.err << err.str();
        if (code == 0) return kExitDone;
        outOptions.json = g.json;
        Output output(env.out, env.err, outOptions);
        if (g.json) output.error(e.what());
        output.result(kExitUsage);
        return kExitUsage;
    }

    outOptions.json = g.json;
    outOptions.progressBar = env.stderrTerminal && !g.quiet && !g.json;
    Output output(env.out, env.err, outOptions);
    Script script;
    std::string error;
    if (!buildScript(g, script, error)) {
        output.error(error);
        output.result(kExitUsage);
        return kExitUsage;
    }
    const bool console = env.stdinTerminal && g.keys.empty() && g.answers.empty() && !g.yes && !g.no;
    std::unique_ptr<ConsoleUi> ui;
    if (console) ui = std::make_unique<TerminalUi>(output, env.in, env.err);
    else ui = std::make_unique<ScriptUi>(output, script);

    Command* command = nullptr;
    for (size_t i = 0; i < commands.size(); ++i)
        if (app.get_subcommand(commands[i]->name())->parsed()) command = commands[i].get();

    int code = kExitDone;
    {
        Session session(env, g, output, std::move(ui));
        code = session.prepare(command->needs());
        if (code == kExitDone) code = command->execute(session);
        code = session.finish(code);
    }
    output.result(code);
    return code;
}

} // namespace cli
