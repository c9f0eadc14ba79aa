#pragma once
// What the monitor says of the signal it receives, read from the chassis's
// status registers: the mode it selected, the measured frequencies with
// their polarities, and the sync kind.
#include <cstdint>
#include <optional>
#include <string>

#include "app/state/screen_context.h"
#include "screens/link_failure.h"

namespace screens {

struct MonitorStatus {
    std::optional<int32_t> modeNumber;  // mode register value + 1; none when unread
    std::string mode;                   // "%-5d" of the mode number
    std::string hFrequency;             // "+%3.2f[KHz]", "-%3.2f[KHz]", or "%3.2f[KHz]" without polarity
    std::string vFrequency;             // "+%3.2f[Hz]", ...
    std::string sync;                   // "Ext", "Comp", "Sync_G" or empty
};

enum class FrequencyLine { Horizontal, Vertical };

// The sync kind in a sync/polarity value (from bit 2): two bits wide, or
// four when the register's name begins with "#". Unknown kinds give "".
std::string syncKindText(int32_t polarityValue, bool fourBitKind);

// A frequency line: horizontal value / 10 in kHz, vertical value / 100 in
// Hz. With the polarity value, the sign comes from bit 0 (horizontal) or
// bit 1 (vertical): when the frequency register's name begins with "#" a
// set bit is "+", otherwise a set bit is "-".
std::string frequencyText(FrequencyLine line, int32_t value, std::optional<int32_t> polarityValue,
                          bool hashName);

// Reads the mode-number, frequency and sync/polarity registers; a register
// the chassis does not name, or whose read fails, leaves its text empty.
MonitorStatus readMonitorStatus(appstate::ScreenContext& context, LinkFailure& failure);

} // namespace screens
