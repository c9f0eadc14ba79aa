#pragma once
// Qt key presses as the screens' input events: function and cursor keys,
// Enter (either key), Escape, Tab and Backtab, letters and digits (keypad
// digits too) alone or with Alt. Other keys have no event.
#include <optional>

#include "core/input_event.h"

class QKeyEvent;

namespace gui {

std::optional<core::InputEvent> inputEventOf(const QKeyEvent* event);

} // namespace gui
