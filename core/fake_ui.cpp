#include "core/fake_ui.h"

#include "core/screen.h"

namespace core {

FakeUi::FakeUi() = default;

void FakeUi::unexpectedCall(const std::string& what) {
    unexpected_.push_back(what);
    if (fail_) fail_(what);
}

void FakeUi::clear() {
    yesNo_.clear();
    files_.clear();
    modals_.clear();
    messages_.clear();
    questions_.clear();
    fileChoices_.clear();
    manual_.clear();
    modalKinds_.clear();
    refreshes_ = 0;
}

void FakeUi::message(const std::string& text) { messages_.push_back(text); }

bool FakeUi::askYesNo(const std::string& text) {
    questions_.push_back(text);
    if (yesNo_.empty()) {
        unexpectedCall("unexpected question: " + text);
        return false;
    }
    bool yes = yesNo_.front();
    yesNo_.pop_front();
    return yes;
}

std::optional<std::string> FakeUi::chooseFile(const FileChoice& choice) {
    fileChoices_.push_back(choice);
    if (files_.empty()) {
        unexpectedCall("unexpected file choice: " + choice.title);
        return std::nullopt;
    }
    std::optional<std::string> path = files_.front();
    files_.pop_front();
    return path;
}

void FakeUi::showManualParameters(const std::string& heading, const std::vector<ParameterRow>& rows) {
    manual_.push_back({heading, rows});
}

void FakeUi::answerModal(std::vector<InputEvent> events) {
    answerModal([this, events = std::move(events)](Screen& screen) {
        for (const InputEvent& e : events) {
            if (screen.closed()) {
                unexpectedCall("screen " + screen.kind() + " closed before " + e.name());
                break;
            }
            if (!screen.handle(e)) unexpectedCall("screen " + screen.kind() + " cannot take " + e.name());
        }
        if (!screen.closed()) unexpectedCall("screen " + screen.kind() + " still open after its events");
        return screen.result();
    });
}

int FakeUi::runModal(Screen& screen) {
    modalKinds_.push_back(screen.kind());
    if (modals_.empty()) {
        unexpectedCall("unexpected screen: " + screen.kind());
        return 0;
    }
    auto driver = std::move(modals_.front());
    modals_.pop_front();
    return driver(screen);
}

} // namespace core
