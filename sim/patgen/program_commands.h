#pragma once
// The generator's program and pattern commands: programs, single groups,
// pattern selections, sign-on codes and user characters are stored as sent
// and returned as stored.
#include "sim/patgen/patgen_core.h"

namespace patgen {

void addProgramCommands(PatgenCore& core);

} // namespace patgen
