#pragma once
// A scripted Ui for tests. Answers are queued in order; every message, question
// and dialog is recorded. A question, file choice or nested screen with no
// answer queued is a test failure (reported through the failure hook, which
// tests set to a GoogleTest ADD_FAILURE).
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/input_event.h"
#include "core/ui.h"

namespace core {

class FakeUi : public Ui {
public:
    struct ManualParameters {
        std::string heading;
        std::vector<ParameterRow> rows;
    };

    FakeUi();

    // Queue answers.
    void answerYesNo(bool yes) { yesNo_.push_back(yes); }
    void answerFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // Runs `driver` on the next nested screen; its return is the result code.
    void answerModal(std::function<int(Screen&)> driver) { modals_.push_back(std::move(driver)); }
    // Feeds `events` in order to the next nested screen, as a technician
    // would; an event the screen does not take, or a screen still open when
    // they are used up, is unexpected. Returns the screen's result.
    void answerModal(std::vector<InputEvent> events);

    // What happened.
    const std::vector<std::string>& messages() const { return messages_; }
    const std::vector<std::string>& questions() const { return questions_; }
    const std::vector<FileChoice>& fileChoices() const { return fileChoices_; }
    const std::vector<ManualParameters>& manualParameters() const { return manual_; }
    const std::vector<std::string>& modalKinds() const { return modalKinds_; }
    int refreshes() const { return refreshes_; }
    void clear();
    bool allAnswersUsed() const { return yesNo_.empty() && files_.empty() && modals_.empty(); }

    // Called with a description when the script runs dry; by default the
    // description is only recorded in unexpected().
    void setFailureHook(std::function<void(const std::string&)> hook) { fail_ = std::move(hook); }
    const std::vector<std::string>& unexpected() const { return unexpected_; }

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> chooseFile(const FileChoice& choice) override;
    void showManualParameters(const std::string& heading, const std::vector<ParameterRow>& rows) override;
    int runModal(Screen& screen) override;
    void refresh() override { ++refreshes_; }

private:
    void unexpectedCall(const std::string& what);
    std::deque<bool> yesNo_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::function<int(Screen&)>> modals_;
    std::vector<std::string> messages_;
    std::vector<std::string> questions_;
    std::vector<FileChoice> fileChoices_;
    std::vector<ManualParameters> manual_;
    std::vector<std::string> modalKinds_;
    int refreshes_ = 0;
    std::vector<std::string> unexpected_;
    std::function<void(const std::string&)> fail_;
};

} // namespace core
