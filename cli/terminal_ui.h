#pragma once
// The operator console: when standard input is a terminal and no script is
// given, each question is asked there and each screen lists the keys and
// buttons it takes and reads the operator's events (one line, events
// separated by commas, as --keys takes them). End of input closes the screen
// as Escape does.
#include <deque>
#include <iosfwd>

#include "cli/console_ui.h"

namespace cli {

class TerminalUi : public ConsoleUi {
public:
    TerminalUi(Output& out, std::istream& in, std::ostream& prompt) : ConsoleUi(out), in_(in), prompt_(prompt) {}

protected:
    std::optional<core::InputEvent> nextEvent(const core::Screen& screen, const core::ScreenView& view) override;
    std::optional<bool> nextAnswer(const std::string& question) override;
    std::optional<std::string> nextFile(const core::FileChoice& choice) override;
    bool refusedEventEndsTheRun() const override { return false; }

private:
    bool readLine(std::string& line);
    std::istream& in_;
    std::ostream& prompt_;
    std::deque<core::InputEvent> typed_;
};

} // namespace cli
