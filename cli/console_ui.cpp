#include "cli/console_ui.h"

#include <filesystem>
#include <system_error>

#include "cli/exit_code.h"
#include "cli/output.h"
#include "core/screen.h"

namespace cli {

void ConsoleUi::stop(int outcome, const std::string& reason) {
    if (outcome_ != 0) return;
    outcome_ = outcome;
    reason_ = reason;
    out_.error(reason);
}

void ConsoleUi::message(const std::string& text) {
    ++messages_;
    out_.message(text);
}

bool ConsoleUi::askYesNo(const std::string& text) {
    std::optional<bool> answer = outcome_ == 0 ? nextAnswer(text) : std::nullopt;
    out_.question(text, answer.value_or(false), answer.has_value());
    if (!answer) stop(kExitInputNeeded, "no answer left for the question: " + Output::oneLine(text));
    return answer.value_or(false);
}

std::optional<std::string> ConsoleUi::chooseFile(const core::FileChoice& choice) {
    std::optional<std::string> path;
    if (!files_.empty()) {
        path = files_.front();
        files_.pop_front();
    } else if (outcome_ == 0) {
        path = nextFile(choice);
        if (!path) stop(kExitInputNeeded, "no file given for: " + choice.title);
    }
    // A chooser asks before a save replaces a file.
    std::error_code ec;
    if (path && choice.mode == core::FileChoice::Mode::Save && std::filesystem::exists(*path, ec) &&
        !askYesNo(*path + " already exists.\nDo you want to replace it?"))
        path.reset();
    return path;
}

void ConsoleUi::showManualParameters(const std::string& heading, const std::vector<core::ParameterRow>& rows) {
    out_.parameters(heading, rows);
}

void ConsoleUi::queueEvents(const std::vector<core::InputEvent>& events) {
    queued_.insert(queued_.end(), events.begin(), events.end());
}

void ConsoleUi::renderTop() {
    if (open_.empty()) return;
    Open& top = open_.back();
    top.renderer->render(top.screen->view());
}

void ConsoleUi::refresh() { renderTop(); }

void ConsoleUi::closeAsEscape(core::Screen& screen) {
    if (!screen.closed()) screen.handle(core::InputEvent::press(core::Key::Escape));
}

void ConsoleUi::attach(core::Screen& screen) {
    if (onTop(screen)) return;
    open_.push_back({&screen, std::make_unique<ScreenRenderer>(out_, screen.kind())});
    screen.setListener([this] { renderTop(); });
    renderTop();
}

void ConsoleUi::detach(core::Screen& screen) {
    if (!onTop(screen)) return;
    renderTop();
    screen.setListener(nullptr);
    open_.back().renderer->finish();
    open_.pop_back();
}

int ConsoleUi::runModal(core::Screen& screen) {
    const bool attached = onTop(screen);
    if (!attached) attach(screen);
    while (!screen.closed()) {
        if (outcome_ != 0) {
            closeAsEscape(screen);
            break;
        }
        std::optional<core::InputEvent> event;
        if (!queued_.empty()) {
            event = queued_.front();
            queued_.pop_front();
        } else {
            event = nextEvent(screen, screen.view());
        }
        if (!event) {
            stop(kExitInputNeeded, "no input left while the screen " + screen.kind() + " waits");
            closeAsEscape(screen);
            break;
        }
        if (!screen.handle(*event)) {
            if (refusedEventEndsTheRun()) {
                stop(kExitUsage, "the screen " + screen.kind() + " cannot take " + event->name());
                closeAsEscape(screen);
                break;
            }
            out_.error("the screen " + screen.kind() + " cannot take " + event->name());
        }
        renderTop();
    }
    // An attached screen stays with whoever attached it.
    if (attached) renderTop();
    else detach(screen);
    return screen.result();
}

} // namespace cli
