#include "cli/terminal_ui.h"

#include <istream>
#include <ostream>

#include "cli/script_ui.h"
#include "core/screen.h"

namespace cli {

bool TerminalUi::readLine(std::string& line) {
    prompt_.flush();
    if (!std::getline(in_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::optional<core::InputEvent> TerminalUi::nextEvent(const core::Screen&, const core::ScreenView& view) {
    while (typed_.empty()) {
        std::string keys;
        for (const std::string& k : view.keys) keys += (keys.empty() ? "" : ", ") + k;
        std::string buttons;
        for (const core::ScreenView::Button& b : view.buttons)
            if (b.enabled) buttons += (buttons.empty() ? "click=" : ", click=") + b.caption;
        prompt_ << "keys: " << keys << "\n";
        if (!buttons.empty()) prompt_ << "buttons: " << buttons << "\n";
        prompt_ << view.title << "> ";
        std::string line;
        if (!readLine(line)) {
            prompt_ << "\n";
            return std::nullopt;
        }
        std::string bad;
        std::optional<std::vector<core::InputEvent>> events = parseKeyList(line, bad);
        if (!events) {
            prompt_ << "not an event: " << bad << "\n";
            continue;
        }
        typed_.insert(typed_.end(), events->begin(), events->end());
    }
    core::InputEvent e = typed_.front();
    typed_.pop_front();
    return e;
}

std::optional<bool> TerminalUi::nextAnswer(const std::string& question) {
    for (;;) {
        prompt_ << question << " [y/n] ";
        std::string line;
        if (!readLine(line)) {
            prompt_ << "\n";
            return std::nullopt;
        }
        if (line == "y" || line == "Y" || line == "yes" || line == "Yes") return true;
        if (line == "n" || line == "N" || line == "no" || line == "No") return false;
    }
}

std::optional<std::string> TerminalUi::nextFile(const core::FileChoice& choice) {
    prompt_ << choice.title << " (file" << (choice.defaultName.empty() ? "" : ", default " + choice.defaultName)
            << "): ";
    std::string line;
    if (!readLine(line)) {
        prompt_ << "\n";
        return std::nullopt;
    }
    if (line.empty()) line = choice.defaultName;
    if (line.empty()) return std::nullopt;
    return line;
}

} // namespace cli
