#pragma once
// Everything pelaro-cli prints goes through here, in text or as JSON lines.
// Text: data and list lines on stdout as they stand; what a screen shows
// besides its lists ("NAME: value"), messages, questions, parameter rows and
// errors on stderr, line breaks inside a text written as the two characters
// \n. JSON: one object per event on stdout, ending with the result line. A
// progress bar is drawn on stderr when it is a terminal.
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/ui.h"

namespace cli {

class Output {
public:
    struct Options {
        bool json = false;
        bool progressBar = false;  // stderr is a terminal and --quiet is off
    };
    Output(std::ostream& out, std::ostream& err, Options options);

    bool json() const { return options_.json; }

    // A line of a command's own result: `text` on stdout, or `object`.
    void data(const std::string& text, const nlohmann::ordered_json& object);
    // A line a screen added to one of its lists or logs.
    void log(const std::string& line, const std::string& list);
    // A value a screen shows besides its lists, when it changed.
    void show(const std::string& name, const std::string& value);
    void message(const std::string& text);
    // `answered` false: no answer was left, `answer` is what the program got.
    void question(const std::string& text, bool answer, bool answered);
    void parameters(const std::string& heading, const std::vector<core::ParameterRow>& rows);
    void screenOpened(const std::string& title, const std::string& kind);
    // 0..100; -1 ends the bar.
    void progress(int percent);
    // A line from the generator layer's status log.
    void status(const std::string& text);
    // What went wrong, for the person running the command ("pelaro-cli: ...").
    void error(const std::string& text);
    // The JSON result line; nothing in text mode.
    void result(int exitCode);

    // Line breaks as the two characters \n, so a text stays on one line.
    static std::string oneLine(const std::string& text);

private:
    void emit(const nlohmann::ordered_json& object);
    void errLine(const std::string& line);
    void clearBar();

    std::ostream& out_;
    std::ostream& err_;
    Options options_;
    int progress_ = -1;
    bool barDrawn_ = false;
};

} // namespace cli
