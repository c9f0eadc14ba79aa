#pragma once
// The generator's memory, group and configuration commands, those of the 406
// model included. Names, groups, CDC records, configuration and images are
// stored as sent and returned on the matching get; status tables, sizes, the
// identification byte and the program lists are answered from what is stored.
#include "sim/patgen/patgen_core.h"

namespace patgen {

void addMemoryCommands(PatgenCore& core);
void addModel406Commands(PatgenCore& core);

} // namespace patgen
