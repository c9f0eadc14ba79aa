#pragma once
// "&Version": the About box with the program's version, three hidden areas
// (the first two unlock the debug controls once both were right-clicked, the
// third asks for an access word) and the debug controls: the debug switch,
// which also switches the generator's conversion notices, and the switch of
// the monitor link's communication log.
#include <string>

#include "app/state/screen_context.h"
#include "core/screen.h"

namespace ecs { class EcsLink; }

namespace app {

// The box that asks for the access word: typed text, "OK" or "Cancel".
class AccessWordBox : public core::Screen {
public:
    static constexpr const char* kKind = "AccessWord";
    static constexpr const char* kTitle = "Access word";
    static constexpr size_t kMaxWord = 32;

    std::string kind() const override { return kKind; }
    const std::string& word() const { return word_; }
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    std::string word_;
};

class AboutBox : public core::Screen {
public:
    static constexpr const char* kKind = "About";
    static constexpr const char* kTitle = "About PELARO";
    static constexpr const char* kVersionPrefix = "PELARO Version ";
    static constexpr const char* kOkCaption = "OK";
    static constexpr const char* kDebugOnCaption = "Debug ON";
    static constexpr const char* kDebugOffCaption = "Debug OFF";
    // The log button as the box opens: on, off; and after it was pressed.
    static constexpr const char* kLogOnCaption = "Log open";
    static constexpr const char* kLogOffCaption = "Log close ";
    static constexpr const char* kLogOpenedCaption = "Log open ";
    static constexpr const char* kLogClosedCaption = "Log close";
    static constexpr const char* kLogOpenFailedText = "The communication log could not be opened.";
    static constexpr const char* kAccessWord = "TOT_TMR";
    // Right clicks in the hidden areas arrive as clicks on these names.
    static constexpr const char* kArea[3] = {"area1", "area2", "area3"};

    // `logFolder`: where the communication log goes (empty: the current directory).
    AboutBox(appstate::ScreenContext& context, ecs::EcsLink& link, std::string version,
             std::string logFolder = std::string());
    std::string kind() const override { return kKind; }

    // A right click in hidden area 0, 1 or 2.
    void rightClick(int area);
    void pressDebug();
    void pressLog();
    // OK: the debug state goes back to 0 unless it is 3.
    void ok();

    std::string versionText() const { return kVersionPrefix + version_; }
    bool areaVisible(int area) const { return area == 2 || (context_.flags.debugState & (1u << area)) == 0; }
    bool debugControlsVisible() const { return context_.flags.debugState == 3; }
    const std::string& debugCaption() const { return debugCaption_; }
    const std::string& logCaption() const { return logCaption_; }
    // The elapsed-time box; empty until the access word was given.
    const std::string& elapsedTime() const { return elapsed_; }

    // Clicks on "OK", the debug and log buttons, and the hidden areas' names
    // (area1..area3); Enter and Escape close like OK.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    void askAccessWord();

    appstate::ScreenContext& context_;
    ecs::EcsLink& link_;
    std::string version_;
    std::string logFolder_;
    std::string debugCaption_;
    std::string logCaption_;
    std::string elapsed_;
};

void runAboutBox(appstate::ScreenContext& context, ecs::EcsLink& link, const std::string& version);

} // namespace app
