#pragma once
// The status text of the "Step by Step" screen: the mode the monitor
// selected, its measured frequencies with their polarity signs, and the sync
// kind, read from the chassis's status registers before each step.
#include <cstdint>
#include <optional>
#include <string>

#include "app/state/screen_context.h"

namespace procedure {

struct StepStatusValues {
    std::optional<int32_t> polarity;  // sync/polarity: H polarity bit 0, V bit 1, sync kind from bit 2
    std::optional<int32_t> hFrequency;  // x 10 kHz
    std::optional<int32_t> vFrequency;  // x 100 Hz
    std::optional<int32_t> mode;        // the mode register; shown + 1
    bool polarityHash = false;          // register names beginning with "#"
    bool hFrequencyHash = false;
    bool vFrequencyHash = false;
};

// Reads the four registers; one the chassis does not name, or whose read
// fails, stays empty.
StepStatusValues readStepStatus(appstate::ScreenContext& context);

// "Mode :%-3d", "HFre :+%3.2f[KHz]", "VFre :-%3.2f[Hz]" and "Sync :Ext" (or
// no sync text), joined with "\r\n". A value not read shows its line's label
// alone; a polarity not read counts as 0 for the signs.
std::string stepStatusText(const StepStatusValues& values);

} // namespace procedure
