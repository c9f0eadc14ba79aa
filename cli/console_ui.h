#pragma once
// The command line's Ui: renders any screen from its view through Output and
// feeds it the operator's events one at a time, whoever the operator is (a
// script: ScriptUi; a person at the terminal: TerminalUi). When no input is
// left while a screen or a question waits, the screen is closed as Escape
// closes it, the question is answered "no", and the run ends with exit 3; an
// event the screen refuses ends the run with exit 2 (from a script). After
// either, every later screen closes at once and every question gets "no", so
// the operation winds down through its normal closing steps.
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/screen_renderer.h"
#include "core/input_event.h"
#include "core/ui.h"

namespace cli {

class Output;

class ConsoleUi : public core::Ui {
public:
    explicit ConsoleUi(Output& out) : out_(out) {}

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> chooseFile(const core::FileChoice& choice) override;
    void showManualParameters(const std::string& heading, const std::vector<core::ParameterRow>& rows) override;
    int runModal(core::Screen& screen) override;
    void refresh() override;

    // Renders `screen` from now on although it does not run modally: a
    // command that drives a screen by its own calls (a run that starts while
    // the screen opens) shows it all the same. runModal on an attached screen
    // takes it over where it stands; detach ends the rendering.
    void attach(core::Screen& screen);
    void detach(core::Screen& screen);

    // Events a command feeds to the screens before the operator's own (a
    // command that selects a row by its argument, for example).
    void queueEvents(const std::vector<core::InputEvent>& events);
    // The path the next file chooser returns (a command's FILE argument).
    void queueFile(const std::string& path) { files_.push_back(path); }

    // How many messages were shown so far (failures are reported as messages).
    int messageCount() const { return messages_; }

    // 0, kExitUsage or kExitInputNeeded, and why.
    int outcome() const { return outcome_; }
    const std::string& outcomeReason() const { return reason_; }
    // Scripted input that nothing took, by name.
    virtual std::vector<std::string> unusedInput() const { return {}; }

    Output& output() { return out_; }

protected:
    // The operator's next event for the open screen; nothing when no input is left.
    virtual std::optional<core::InputEvent> nextEvent(const core::Screen& screen, const core::ScreenView& view) = 0;
    virtual std::optional<bool> nextAnswer(const std::string& question) = 0;
    virtual std::optional<std::string> nextFile(const core::FileChoice& choice) = 0;
    // True: a refused event ends the run (exit 2); false: the operator is told and tries again.
    virtual bool refusedEventEndsTheRun() const = 0;

    Output& out_;

private:
    void stop(int outcome, const std::string& reason);
    void closeAsEscape(core::Screen& screen);
    void renderTop();
    bool onTop(const core::Screen& screen) const { return !open_.empty() && open_.back().screen == &screen; }

    struct Open {
        core::Screen* screen;
        std::unique_ptr<ScreenRenderer> renderer;
    };
    std::vector<Open> open_;
    std::deque<core::InputEvent> queued_;
    std::deque<std::string> files_;
    int outcome_ = 0;
    std::string reason_;
    int messages_ = 0;
};

// Attaches a screen for as long as it lives (detaches on every way out).
class AttachedScreen {
public:
    AttachedScreen(ConsoleUi& ui, core::Screen& screen) : ui_(ui), screen_(screen) { ui_.attach(screen_); }
    ~AttachedScreen() { ui_.detach(screen_); }
    AttachedScreen(const AttachedScreen&) = delete;
    AttachedScreen& operator=(const AttachedScreen&) = delete;

private:
    ConsoleUi& ui_;
    core::Screen& screen_;
};

} // namespace cli
