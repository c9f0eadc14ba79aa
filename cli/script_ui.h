#pragma once
// The Ui of a scripted run: --keys feeds the screens, --answers answers the
// questions in order, then --yes or --no answers the rest.
#include <deque>
#include <optional>

#include "cli/console_ui.h"

namespace cli {

struct Script {
    std::vector<core::InputEvent> keys;
    std::vector<bool> answers;
    std::optional<bool> everyAnswer;  // --yes / --no
};

class ScriptUi : public ConsoleUi {
public:
    ScriptUi(Output& out, const Script& script);
    std::vector<std::string> unusedInput() const override;

protected:
    std::optional<core::InputEvent> nextEvent(const core::Screen& screen, const core::ScreenView& view) override;
    std::optional<bool> nextAnswer(const std::string& question) override;
    std::optional<std::string> nextFile(const core::FileChoice&) override { return std::nullopt; }
    bool refusedEventEndsTheRun() const override { return true; }

private:
    std::deque<core::InputEvent> keys_;
    std::deque<bool> answers_;
    std::optional<bool> every_;
};

// Splits a --keys list at commas; "\," is a comma inside an event
// (type=1\,5). Nothing when an item names no event; `bad` then holds it.
std::optional<std::vector<core::InputEvent>> parseKeyList(const std::string& list, std::string& bad);

} // namespace cli
