#pragma once
// The monitor's elapsed-time counter, read from the chassis's high and low
// counter registers. ECS type 2 monitors answer at any time and count in
// 16-bit halves; type 1 monitors answer only in service mode and count in
// bytes.
#include <cstdint>
#include <optional>

#include "app/state/screen_context.h"

namespace app {

// The counter, high x 65536 + low (type 2) or high x 256 + low (type 1,
// between service entry and exit). Nothing when the monitor was not
// reached or a read failed; the failure has been shown.
std::optional<int64_t> readElapsedCounter(appstate::ScreenContext& context);

} // namespace app
