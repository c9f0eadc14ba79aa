// The frame in process: scripted and terminal input on a small screen, a
// question with and without answers, and the output's forms.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/console_ui.h"
#include "cli/exit_code.h"
#include "cli/output.h"
#include "cli/script_ui.h"
#include "cli/terminal_ui.h"
#include "core/screen.h"
#include "core/ui.h"

using namespace cli;

namespace {

// A screen with a log list, a field and two buttons: "Add" adds a line,
// Escape closes; anything else is refused.
class LogScreen : public core::Screen {
public:
    std::string kind() const override { return "LogScreen"; }
    bool handle(const core::InputEvent& e) override {
        if (e.is(core::Key::Escape)) {
            close(2);
            return true;
        }
        if (e.isClick("Add")) {
            lines_.push_back(" line " + std::to_string(lines_.size() + 1) + " ");
            changed();
            return true;
        }
        if (e.isClick("Clear")) {
            lines_ = {"fresh"};
            changed();
            return true;
        }
        if (e.kind == core::InputEvent::Kind::Text) {
            value_ = e.text;
            changed();
            return true;
        }
        return false;
    }
    core::ScreenView view() const override {
        core::ScreenView v;
        v.title = "Log";
        v.field("Value", value_);
        v.lists.push_back({"log", lines_, -1});
        v.buttons = {{"Add"}, {"Clear"}};
        v.keys = {"Escape"};
        return v;
    }

private:
    std::vector<std::string> lines_;
    std::string value_;
};

// A command that opens LogScreen and asks one question.
class AskCommand : public Command {
public:
    std::string name() const override { return "ask"; }
    std::string summary() const override { return "test"; }
    void define(CLI::App&) override {}
    Needs needs() const override { return {}; }
    int execute(Session& session) override {
        LogScreen screen;
        session.ui().runModal(screen);
        const bool yes = session.ui().askYesNo("Overwrite the file?\nIt exists.");
        session.out().data(yes ? "answered yes" : "answered no", {{"answered", yes}});
        return kExitDone;
    }
};

struct AskRun {
    int exit;
    std::string out, err;
};

AskRun runAsk(std::vector<std::string> args, const std::string& input = "", bool terminal = false) {
    std::ostringstream out, err;
    std::istringstream in(input);
    Environment env{out, err, in};
    env.stdinTerminal = terminal;
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<AskCommand>());
    args.insert(args.begin(), "pelaro-cli");
    const int code = cli::run(args, env, std::move(commands));
    return {code, out.str(), err.str()};
}

} // namespace

TEST(Frame, KeysDriveAnyScreenFromItsView) {
    AskRun r = runAsk({"ask", "--keys", "click=Add,type=a\\,b,click=Add,Escape", "--yes"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, " line 1 \n line 2 \nanswered yes\n");
    EXPECT_EQ(r.err,
              "screen: Log\nValue: \nbuttons: Add, Clear\nValue: a,b\nquestion: Overwrite the file?\\nIt exists. -> yes\n");

    // A list filled anew prints whole.
    r = runAsk({"ask", "--keys", "click=Add,click=Clear,click=Add,Escape", "--no"});
    EXPECT_EQ(r.out, " line 1 \nfresh\n line 2 \nanswered no\n");
}

TEST(Frame, AnsweringQuestions) {
    AskRun r = runAsk({"ask", "--keys", "Escape", "--answers", "no", "--yes"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_NE(r.out.find("answered no"), std::string::npos);

    r = runAsk({"ask", "--keys", "Escape"});
    EXPECT_EQ(r.exit, kExitInputNeeded);
    EXPECT_NE(r.err.find("question: Overwrite the file?\\nIt exists. -> no (no answer left)"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("pelaro-cli: no answer left for the question: Overwrite the file?\\nIt exists."),
              std::string::npos);

    r = runAsk({"ask", "--keys", "Escape", "--json"});
    EXPECT_EQ(r.exit, kExitInputNeeded);
    std::vector<nlohmann::json> objects;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) objects.push_back(nlohmann::json::parse(line));
    ASSERT_GE(objects.size(), 3u);
    EXPECT_EQ(objects.back(), nlohmann::json({{"result", "input-needed"}, {"exit", 3}}));
    bool asked = false;
    for (const nlohmann::json& o : objects)
        if (o.contains("question")) {
            asked = true;
            EXPECT_EQ(o["question"], "Overwrite the file?\nIt exists.");
            EXPECT_EQ(o["answer"], "no");
            EXPECT_EQ(o["unanswered"], true);
        }
    EXPECT_TRUE(asked);

    EXPECT_EQ(runAsk({"ask", "--answers", "maybe"}).exit, kExitUsage);
    EXPECT_EQ(runAsk({"ask", "--yes", "--no"}).exit, kExitUsage);
    // An answer nothing asked for is a script that does not fit the run.
    r = runAsk({"ask", "--keys", "Escape", "--answers", "yes,no"});
    EXPECT_EQ(r.exit, kExitUsage);
    EXPECT_NE(r.err.find("scripted input not used: answer no"), std::string::npos);
}

TEST(Frame, KeysRunningOutCloseTheScreenAsEscapeDoes) {
    AskRun r = runAsk({"ask", "--keys", "click=Add", "--yes"});
    EXPECT_EQ(r.exit, kExitInputNeeded);
    // After the keys ran out the question gets no answer either: the run winds down.
    EXPECT_NE(r.err.find("pelaro-cli: no input left while the screen LogScreen waits"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("answered no"), std::string::npos);

    r = runAsk({"ask", "--keys", "Escape,click=Add", "--yes"});
    EXPECT_EQ(r.exit, kExitUsage);
    EXPECT_NE(r.err.find("pelaro-cli: scripted input not used: key click=Add"), std::string::npos) << r.err;

    r = runAsk({"ask", "--keys", "F7", "--yes"});
    EXPECT_EQ(r.exit, kExitUsage);
    EXPECT_NE(r.err.find("the screen LogScreen cannot take F7"), std::string::npos);
}

TEST(Frame, TheOperatorConsoleReadsTheTerminal) {
    // A refused event is told and the operator goes on; a question is asked there.
    AskRun r = runAsk({"ask"}, "F7\nclick=Add\nEscape\nmaybe\ny\n", true);
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, " line 1 \nanswered yes\n");
    EXPECT_NE(r.err.find("keys: Escape\nbuttons: click=Add, click=Clear\nLog> "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("pelaro-cli: the screen LogScreen cannot take F7"), std::string::npos);
    EXPECT_NE(r.err.find("Overwrite the file?\nIt exists. [y/n] "), std::string::npos);

    // The end of input closes the screen.
    r = runAsk({"ask"}, "click=Add\n", true);
    EXPECT_EQ(r.exit, kExitInputNeeded);
    // A script given on a terminal is still a script.
    r = runAsk({"ask", "--keys", "Escape", "--yes"}, "", true);
    EXPECT_EQ(r.exit, 0);
}

TEST(Frame, OutputForms) {
    std::ostringstream out, err;
    Output text(out, err, {false, true});
    text.progress(50);
    text.message(" Bus is NG ! \n Check connection . ");
    text.progress(-1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "\r[###############...............] 50%\r\033[K"
              "message:  Bus is NG ! \\n Check connection . \n"
              "\r[###############...............] 50%\r\033[K");

    std::ostringstream jout, jerr;
    Output json(jout, jerr, {true, true});
    json.progress(10);
    json.progress(10);
    json.log(std::string("caf\xE9"), "log");  // not UTF-8: replaced, never thrown
    json.parameters("Head", {{"Mode", " 2", ""}});
    EXPECT_EQ(jerr.str(), "");
    EXPECT_EQ(jout.str(), "{\"progress\":10}\n{\"log\":\"caf\xEF\xBF\xBD\",\"list\":\"log\"}\n"
                          "{\"parameters\":[{\"item\":\"Mode\",\"value\":\" 2\",\"unit\":\"\"}],\"heading\":\"Head\"}\n");

    std::string bad;
    ASSERT_TRUE(parseKeyList("type=1\\,5,Enter,Alt+Q,row=3", bad));
    EXPECT_EQ(parseKeyList("type=1\\,5,Enter,Alt+Q,row=3", bad)->size(), 4u);
    EXPECT_FALSE(parseKeyList("Enter,Wobble", bad));
    EXPECT_EQ(bad, "Wobble");
}
