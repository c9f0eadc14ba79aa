#include "screens/failure_screen.h"

#include <algorithm>

#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"
#include "screens/busy_guard.h"
#include "screens/generator_steps.h"
#include "screens/link_failure.h"

namespace screens {

FailureScreen::FailureScreen(appstate::ScreenContext& context)
    : context_(context), session_(context, appstate::ServiceSession::Policy::UnlessProcedureRunning) {}

bool FailureScreen::open() {
    presentPrimeTimingByHand(context_);
    if (!session_.open()) {
        close(0);
        return false;
    }
    list();
    return true;
}

namespace {

// The failure table up to its first register code 0, at most five entries.
std::vector<modeldb::FailureEntry> failureEntries(const modeldb::ChassisRecord& chassis) {
    std::vector<modeldb::FailureEntry> entries;
    for (const modeldb::FailureEntry& e : chassis.failureTable) {
        if (e.code == 0 || entries.size() == modeldb::chassis::kFailureEntries) break;
        entries.push_back(e);
    }
    return entries;
}

} // namespace

void FailureScreen::list() {
    lines_.clear();
    LinkFailure failure;
    for (const modeldb::FailureEntry& e : failureEntries(context_.model.chassis)) {
        const uint16_t code = static_cast<uint16_t>(e.code);
        int32_t value = 0;
        const bool read = failure.ok(context_.registers.readRegister(code, value, ecs::kAskMonitor));
        lines_.push_back(core::strf("== %-6s ==", context_.registers.registerName(code).c_str()));
        for (size_t k = 0; k < e.bitNames.size(); ++k) {
            const std::string& name = e.bitNames[k];
            if (name.empty()) continue;
            if (!read) lines_.push_back(core::strf("%-15s  : Unknown", name.c_str()));
            else if ((value >> k) & 1) lines_.push_back(core::strf("%-15s  : Error ", name.c_str()));
            else lines_.push_back(core::strf("%-15s  : Normal", name.c_str()));
        }
    }
    failure.report(context_.ui);
    changed();
}

void FailureScreen::refresh() {
    ecs::RegisterAccess& regs = context_.registers;
    LinkFailure failure;
    for (const modeldb::FailureEntry& e : failureEntries(context_.model.chassis))
        failure.ok(regs.writeRegister(static_cast<uint16_t>(e.code), 0, ecs::kSendNow));
    failure.report(context_.ui);
    lines_.clear();
    changed();
    const ecs::ChassisSequences& seq = context_.model.chassis.sequences;
    regs.powerOff(seq);
    context_.clock.sleepMs(kRefreshPowerOffWaitMs, kRefreshPowerOffWait);
    regs.powerOn(seq);
    context_.clock.sleepMs(kRefreshPowerOnWaitMs, kRefreshPowerOnWait);
    list();
    lines_.push_back(kRefreshDone);
    changed();
}

void FailureScreen::finish() {
    if (closed()) return;
    session_.close();
    close(1);
}

bool FailureScreen::handle(const core::InputEvent& e) {
    if (closed()) return false;
    if (busy_) return true;  // dropped
    BusyGuard guard(busy_);
    if (e.is(core::Key::Escape) || e.isClick(kCloseCaption)) {
        finish();
        return true;
    }
    if (e.isClick(kRefreshCaption)) {
        refresh();
        return true;
    }
    return false;
}

core::ScreenView FailureScreen::view() const {
    core::ScreenView v;
    v.title = kTitle;
    v.lists.push_back({"failures", lines_, -1});
    v.buttons = {{kRefreshCaption}, {kCloseCaption}};
    v.keys = {"Escape"};
    return v;
}

int runFailure(appstate::ScreenContext& context) {
    FailureScreen screen(context);
    if (!screen.open()) return screen.result();
    context.ui.runModal(screen);
    screen.finish();
    return screen.result();
}

} // namespace screens
