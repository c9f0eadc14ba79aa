#include "screens/maintenance_screen.h"

#include <cwchar>

#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"
#include "screens/busy_guard.h"
#include "screens/generator_steps.h"
#include "screens/link_failure.h"
#include "siggen/signal_generator.h"

namespace screens {

namespace {

constexpr const char* kUnreadValue = "----";

// A byte of an identifier as a visible character: a NUL or control byte
// would cut or garble the text, so it shows as '.'.
unsigned char visible(int32_t byte) {
    const int32_t b = byte & 0xFF;
    return b >= 0x20 && b < 0x7F ? static_cast<unsigned char>(b) : '.';
}

int32_t high(int32_t v) { return (v >> 8) & 0xFF; }
int32_t low(int32_t v) { return v & 0xFF; }

} // namespace

MaintenanceScreen::MaintenanceScreen(appstate::ScreenContext& context)
    : context_(context), session_(context, appstate::ServiceSession::Policy::Always) {}

bool MaintenanceScreen::kind9() const { return context_.generator.kind() == siggen::kSgKindAppliance; }

bool MaintenanceScreen::open() {
    presentPrimeTimingByHand(context_);
    if (!session_.open()) {
        close(0);
        return false;
    }
    opened_ = true;
    const modeldb::ChassisRecord& chassis = context_.model.chassis;
    ecs::RegisterAccess& regs = context_.registers;
    LinkFailure failure;
    auto read = [&](int16_t code, int32_t& value) {
        return failure.ok(regs.readRegister(static_cast<uint16_t>(code), value, ecs::kAskMonitor));
    };

    int32_t id = 0;
    if (chassis.monitorIdRegister() != 0)
        monitorId_ = read(chassis.monitorIdRegister(), id) ? core::strf("Monitor ID : %4X", id)
                                                          : std::string("Monitor ID : ") + kUnreadValue;

    if (const int16_t first = chassis.factoryIdRegister(); first != 0) {
        int32_t r[4] = {};
        bool ok = true;
        for (int i = 0; i < 4; ++i) ok = read(static_cast<int16_t>(first + i), r[i]) && ok;
        factoryId_ = "Factory ID : ";
        if (ok) {
            factoryId_ += core::strf("%1c%1c%1c%1c", visible(high(r[0])), visible(low(r[0])), visible(high(r[1])),
                                     visible(low(r[1])));
            factoryId_ += core::strf("%1C", static_cast<wint_t>(visible(low(r[3]))));
            factoryId_ += core::strf("%1d%1d%1d", high(r[2]), low(r[2]), high(r[3]));
        } else {
            factoryId_ += kUnreadValue;
        }
    }

    const int16_t power = chassis.powerRegister();
    powerVisible_ = chassis.showPower != 0 && power != 0;
    if (power != 0) {
        int32_t value = 0;
        read(power, value);
        if (kind9()) {
            powerState_ = value & 3;
            powerCaption_ = powerState_ == 2 ? kPowerOffCaption : kPowerOnCaption;
        } else {
            powerState_ = value & 1;
            powerCaption_ = powerState_ == 1 ? kPowerOffCaption : kPowerOnCaption;
        }
    }

    const int16_t aging = chassis.agingRegister();
    agingVisible_ = chassis.showAging != 0 && aging != 0;
    if (aging != 0) {
        int32_t value = 0;
        read(aging, value);
        agingState_ = value;
        showAging();
    }

    degaussVisible_ = chassis.showDegauss != 0 && chassis.degaussRegister() != 0;
    noteVisible_ = !kind9();
    failure.report(context_.ui);
    changed();
    return true;
}

void MaintenanceScreen::showAging() { agingCaption_ = agingState_ != 0 ? kAgingOffCaption : kAgingOnCaption; }

void MaintenanceScreen::degauss() {
    const int16_t code = context_.model.chassis.degaussRegister();
    if (code == 0) return;
    LinkFailure failure;
    failure.ok(context_.registers.writeRegister(static_cast<uint16_t>(code), 1, ecs::kSendNow));
    failure.report(context_.ui);
}

void MaintenanceScreen::pressPower() {
    if (context_.model.chassis.powerRegister() == 0) return;
    ecs::RegisterAccess& regs = context_.registers;
    platform::Clock& clock = context_.clock;
    const ecs::ChassisSequences& seq = context_.model.chassis.sequences;
    // Kind 9 monitors report 2 while on and 3 once switched off; others 1 and 0.
    const int onState = kind9() ? 2 : 1;
    const int offState = kind9() ? 3 : 0;
    const bool on = kind9() ? powerState_ == 2 : powerState_ != 0;
    if (on) {
        if (regs.powerOff(seq) == core::ECS_OK) {
            clock.sleepMs(kPowerSwitchWaitMs, kPowerSwitchWait);
            powerCaption_ = kPowerOnCaption;
            powerState_ = offState;
        }
    } else {
        if (regs.powerOn(seq) == core::ECS_OK) {
            clock.sleepMs(kPowerSwitchWaitMs, kPowerSwitchWait);
            powerCaption_ = kPowerOffCaption;
            powerState_ = onState;
        }
        clock.sleepMs(kPowerOnSettleWaitMs, kPowerOnSettleWait);
    }
    changed();
}

bool MaintenanceScreen::switchAging(int32_t target) {
    const uint16_t code = static_cast<uint16_t>(context_.model.chassis.agingRegister());
    ecs::RegisterAccess& regs = context_.registers;
    LinkFailure failure;
    bool confirmed = false;
    for (int i = 0; i < kAgingTries && !confirmed; ++i) {
        failure.ok(regs.writeRegister(code, target, ecs::kSendNow));
        context_.clock.sleepMs(kAgingReadBackWaitMs, kAgingReadBackWait);
        int32_t value = 0;
        confirmed = failure.ok(regs.readRegister(code, value, ecs::kAskMonitor)) && value == target;
    }
    if (confirmed) {
        agingState_ = target;
        showAging();
    }
    failure.report(context_.ui);
    return confirmed;
}

void MaintenanceScreen::pressAging() {
    if (context_.model.chassis.agingRegister() == 0) return;
    context_.clock.sleepMs(kAgingStartWaitMs, kAgingStartWait);
    if (agingState_ != 0) {
        switchAging(0);
    } else {
        switchAging(1);
        context_.clock.sleepMs(kAgingOnSettleWaitMs, kAgingOnSettleWait);
    }
    changed();
}

void MaintenanceScreen::finish() {
    if (closed()) return;
    if (opened_ && !context_.registers.monitorNotConnected() && agingState_ != 0 &&
        context_.model.chassis.agingRegister() != 0)
        switchAging(0);
    session_.close();
    close(1);
}

bool MaintenanceScreen::handle(const core::InputEvent& e) {
    if (closed()) return false;
    if (busy_) return true;  // dropped
    BusyGuard guard(busy_);
    if (e.is(core::Key::Escape) || e.isClick(kCloseCaption)) {
        finish();
        return true;
    }
    if (e.kind != core::InputEvent::Kind::Click) return false;
    if (degaussVisible_ && e.text == kDegaussCaption) {
        degauss();
        return true;
    }
    if (powerVisible_ && (e.text == powerCaption_ || e.text == kPowerName)) {
        pressPower();
        return true;
    }
    if (agingVisible_ && (e.text == agingCaption_ || e.text == kAgingName)) {
        pressAging();
        return true;
    }
    return false;
}

core::ScreenView MaintenanceScreen::view() const {
    core::ScreenView v;
    v.title = kTitle;
    if (!monitorId_.empty()) v.field("Monitor ID", monitorId_);
    if (!factoryId_.empty()) v.field("Factory ID", factoryId_);
    if (noteVisible_) v.field("Note", kNote);
    if (degaussVisible_) v.buttons.push_back({kDegaussCaption});
    if (agingVisible_) v.buttons.push_back({agingCaption_});
    if (powerVisible_) v.buttons.push_back({powerCaption_});
    v.buttons.push_back({kCloseCaption});
    v.keys = {"Escape"};
    return v;
}

int runMaintenance(appstate::ScreenContext& context) {
    MaintenanceScreen screen(context);
    if (!screen.open()) return screen.result();
    context.ui.runModal(screen);
    screen.finish();
    return screen.result();
}

} // namespace screens
