#pragma once
// What the step runner does to the signal generator before each step: the
// step's timing, pattern and colour numbers checked and sent when they
// change, the internal patterns of the appliance kind switched through its
// registers, and the pause named by the step's wait code.
#include <cstdint>

#include "app/state/screen_context.h"
#include "procedure/run_state.h"

namespace procedure {

constexpr int kPrimeTiming = 201;         // stands for the model's prime timing
constexpr int kPatternBoxedWhite = 14;    // special white at 100 % in a 50 % box, always sent
constexpr int kInvertedColourBase = 10;   // colours 10..16 are 0..6 inverted

// The step's signal numbers (255 = unchanged): a timing of the model, a
// pattern 0..16 and a colour 0..6 or 10..16. A number that is not allowed
// gets its box and nothing is changed or sent (false). Otherwise what
// differs from what was last sent goes to the generator in one apply (the
// boxed white always does), followed by the hand-set generator's table.
bool setStepSignal(appstate::ScreenContext& context, GeneratorMemory& memory, uint8_t timing, uint8_t pattern,
                   uint8_t colour);

// Generator kind 9: colour 3 switches the monitor's three internal-pattern
// registers all on, colour 0 only the first; each register toggles when 1
// is written to it, so only those whose state differs are written. Nothing
// happens unless all three registers were given (JOB_SG_SET).
void switchInternalPattern(appstate::ScreenContext& context, GeneratorMemory& memory, int colour);

// The pause before a step: codes 1..40 stand for 10 ms .. 30 s; 0 and codes
// above 40 for none.
uint32_t waitCodeMs(int code);
extern const char* const kStepWait;

} // namespace procedure
