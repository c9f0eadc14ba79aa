#pragma once
// "Failure": the monitor's self-diagnosis bits, one named line per bit of
// the chassis's failure registers; "Refresh" clears them and power-cycles
// the monitor before listing again.
#include <cstdint>
#include <string>
#include <vector>

#include "app/state/screen_context.h"
#include "app/state/service_session.h"
#include "core/screen.h"

namespace screens {

constexpr uint32_t kRefreshPowerOffWaitMs = 1000;
inline constexpr const char* kRefreshPowerOffWait = "refresh power off";
constexpr uint32_t kRefreshPowerOnWaitMs = 2000;
inline constexpr const char* kRefreshPowerOnWait = "refresh power on";

class FailureScreen : public core::Screen {
public:
    static constexpr const char* kKind = "Failure";
    static constexpr const char* kTitle = "Failure";
    static constexpr const char* kRefreshCaption = "Refresh";
    static constexpr const char* kCloseCaption = "Close";
    static constexpr const char* kRefreshDone = "=== Refresh done ===";

    explicit FailureScreen(appstate::ScreenContext& context);
    std::string kind() const override { return kKind; }

    // The manual generator's prompt, service entry (skipped while a
    // procedure runs), the list. False when the monitor is not connected:
    // the screen is closed then.
    bool open();
    // Lists every failure register: "== NAME ==" and a line per named bit.
    void list();
    // Clears the failure registers, power-cycles the monitor, lists again.
    void refresh();
    // Leaves service mode (not while a procedure runs) and closes. Once.
    void finish();

    const std::vector<std::string>& lines() const { return lines_; }

    // Clicks on "Refresh" and "Close"; Escape closes. Events arriving while
    // Refresh works are dropped.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    appstate::ScreenContext& context_;
    appstate::ServiceSession session_;
    std::vector<std::string> lines_;
    bool busy_ = false;
};

int runFailure(appstate::ScreenContext& context);

} // namespace screens
