#pragma once
// What the service screens ask of the signal generator: a preset timing of
// the model for the factory preset screen, and the model's prime timing for
// a generator set by hand when the maintenance and failure screens open.
#include "app/state/screen_context.h"

namespace screens {

// Pattern 0 with all guns, not inverted, and preset timing `number` of the
// model, applied; a hand-set generator shows its parameter table. False
// when the model has no such timing (nothing is sent then).
bool sendPresetTiming(appstate::ScreenContext& context, int number);

// With the manual generator: the prime timing (shown as "Prime Mode"),
// applied, and the parameter table. Other kinds: nothing.
void presentPrimeTimingByHand(appstate::ScreenContext& context);

} // namespace screens
