#include "procedure/step_panel.h"

#include "core/result_codes.h"
#include "link/register_access.h"
#include "platform/clock.h"

namespace procedure {

const char* const kDisplayDelayWait = "display delay";

const char* keyCodeText(int code) {
    static const char* const texts[kKeyCodeCount] = {
        "NON",   "OK",    "CANCEL", "READJUST", "FAIL_INFO", "TEST",  "BYPASS",   "CONTINUE",
        "VERIFY", "MAGENTA", "WHITE", "PIN",     "KEY",       "TILT",  "OTHER",    "LCC",
        "ADJUST", "PREVIOUS", "RED",  "GREEN",   "BLUE",      "NEXT",  "HIGH",     "LOW"};
    return code >= 0 && code < kKeyCodeCount ? texts[code] : "";
}

void readDisplays(StepPanel& panel, ecs::RegisterAccess& registers, platform::Clock& clock) {
    panel.displayValues.fill(0);
    panel.displayRead.fill(false);
    panel.displayCount = 0;
    for (int i = 0; i < kShownDisplays; ++i) {
        const int16_t reg = panel.displayRegs[static_cast<size_t>(i)];
        if (reg == -1 || reg == 0) break;
        const int16_t delay = panel.displayDelays[static_cast<size_t>(i)];
        if (delay > 0) clock.sleepMs(static_cast<uint32_t>(delay), kDisplayDelayWait);
        if (panel.averaging) {
            registers.writeRegister(static_cast<uint16_t>(panel.averageRegister), panel.averageValue, ecs::kSendNow);
            if (delay > 0) clock.sleepMs(static_cast<uint32_t>(delay), kDisplayDelayWait);
        }
        int32_t value = 0;
        const bool ok = registers.readRegister(static_cast<uint16_t>(reg), value, ecs::kAskMonitor) == core::ECS_OK;
        panel.displayValues[static_cast<size_t>(i)] = ok ? value : 0;
        panel.displayRead[static_cast<size_t>(i)] = ok;
        panel.displayCount = i + 1;
    }
    if (panel.averaging) panel.averageResult = (panel.displayValues[0] + panel.displayValues[1]) / 2;
}

} // namespace procedure
