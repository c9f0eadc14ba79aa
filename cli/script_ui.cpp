#include "cli/script_ui.h"

namespace cli {

ScriptUi::ScriptUi(Output& out, const Script& script)
    : ConsoleUi(out), keys_(script.keys.begin(), script.keys.end()),
      answers_(script.answers.begin(), script.answers.end()), every_(script.everyAnswer) {}

std::optional<core::InputEvent> ScriptUi::nextEvent(const core::Screen&, const core::ScreenView&) {
    if (keys_.empty()) return std::nullopt;
    core::InputEvent e = keys_.front();
    keys_.pop_front();
    return e;
}

std::optional<bool> ScriptUi::nextAnswer(const std::string&) {
    if (!answers_.empty()) {
        bool a = answers_.front();
        answers_.pop_front();
        return a;
    }
    return every_;
}

std::vector<std::string> ScriptUi::unusedInput() const {
    std::vector<std::string> unused;
    for (const core::InputEvent& e : keys_) unused.push_back("key " + e.name());
    for (bool a : answers_) unused.push_back(std::string("answer ") + (a ? "yes" : "no"));
    return unused;
}

std::optional<std::vector<core::InputEvent>> parseKeyList(const std::string& list, std::string& bad) {
    std::vector<core::InputEvent> events;
    std::string item;
    auto take = [&]() -> bool {
        std::optional<core::InputEvent> e = core::parseInputEvent(item);
        if (!e) {
            bad = item;
            return false;
        }
        events.push_back(*e);
        item.clear();
        return true;
    };
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == '\\' && i + 1 < list.size() && list[i + 1] == ',') {
            item += ',';
            ++i;
        } else if (list[i] == ',') {
            if (!take()) return std::nullopt;
        } else {
            item += list[i];
        }
    }
    if (!list.empty() && !take()) return std::nullopt;
    return events;
}

} // namespace cli
