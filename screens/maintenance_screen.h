#pragma once
// "Maintenance": the monitor's and the factory's identifiers, and the
// degauss, aging and power switches of the chassis's special registers.
#include <cstdint>
#include <string>

#include "app/state/screen_context.h"
#include "app/state/service_session.h"
#include "core/screen.h"

namespace screens {

// Waits of the power and aging switches.
constexpr uint32_t kPowerSwitchWaitMs = 1000;
inline constexpr const char* kPowerSwitchWait = "power switch";
constexpr uint32_t kPowerOnSettleWaitMs = 1000;
inline constexpr const char* kPowerOnSettleWait = "power on settle";
constexpr uint32_t kAgingStartWaitMs = 1000;
inline constexpr const char* kAgingStartWait = "aging start";
constexpr uint32_t kAgingReadBackWaitMs = 200;
inline constexpr const char* kAgingReadBackWait = "aging read-back";
constexpr uint32_t kAgingOnSettleWaitMs = 3000;
inline constexpr const char* kAgingOnSettleWait = "aging on settle";
constexpr int kAgingTries = 3;

class MaintenanceScreen : public core::Screen {
public:
    static constexpr const char* kKind = "Maintenance";
    static constexpr const char* kTitle = "Maintenance";
    static constexpr const char* kNote = "Must disconnect signal \ngenerator from monitor\naging to work";
    static constexpr const char* kDegaussCaption = "Degauss";
    static constexpr const char* kPowerOnCaption = "POWER ON";
    static constexpr const char* kPowerOffCaption = "POWER OFF";
    static constexpr const char* kAgingOnCaption = "Aging ON";
    static constexpr const char* kAgingOffCaption = "Aging OFF";
    static constexpr const char* kCloseCaption = "Close";
    // The buttons also answer to their names.
    static constexpr const char* kPowerName = "Power";
    static constexpr const char* kAgingName = "Aging";

    explicit MaintenanceScreen(appstate::ScreenContext& context);
    std::string kind() const override { return kKind; }

    // The manual generator's prompt, service entry, then the identifiers and
    // the switches' states. False when the monitor is not connected: the
    // screen is closed then.
    bool open();

    // Writes 1 to the degauss register.
    void degauss();
    // The power button does what its caption says.
    void pressPower();
    // Switches aging on or off, confirmed by reading the register back.
    void pressAging();
    // Switches aging off when it is on, leaves service mode, closes. Once.
    void finish();

    const std::string& monitorIdText() const { return monitorId_; }
    const std::string& factoryIdText() const { return factoryId_; }  // empty: hidden
    bool degaussVisible() const { return degaussVisible_; }
    bool powerVisible() const { return powerVisible_; }
    bool agingVisible() const { return agingVisible_; }
    bool noteVisible() const { return noteVisible_; }
    const std::string& powerCaption() const { return powerCaption_; }
    const std::string& agingCaption() const { return agingCaption_; }
    int powerState() const { return powerState_; }
    int32_t agingState() const { return agingState_; }

    // Clicks on "Degauss", the power and aging buttons by caption (or by
    // "Power" and "Aging"), and "Close"; Escape closes. Events arriving
    // while a switch works are dropped.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    bool kind9() const;
    // Up to three tries of writing `target`, waiting and reading it back.
    bool switchAging(int32_t target);
    void showAging();

    appstate::ScreenContext& context_;
    appstate::ServiceSession session_;
    std::string monitorId_;
    std::string factoryId_;
    bool degaussVisible_ = false;
    bool powerVisible_ = false;
    bool agingVisible_ = false;
    bool noteVisible_ = false;
    std::string powerCaption_;
    std::string agingCaption_;
    int powerState_ = 0;
    int32_t agingState_ = 0;
    bool opened_ = false;
    bool busy_ = false;
};

int runMaintenance(appstate::ScreenContext& context);

} // namespace screens
