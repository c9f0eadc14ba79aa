#pragma once
// The generator's drawing and display commands: figures are kept as a list
// (cleared plane by plane), colours, cursor values and switches are stored as
// sent, and the graphics plane's size is answered from the "gplane" item.
#include "sim/patgen/patgen_core.h"

namespace patgen {

void addDrawingCommands(PatgenCore& core);

} // namespace patgen
