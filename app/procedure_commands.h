#pragma once
// "&Procedure", "&Touch up" and "&DCnv": the procedure list of one kind,
// opened modally, closed through its own exit on every way out.
#include "app/state/screen_context.h"

namespace procedure { class ProcedureRunner; }

namespace app {

void runProcedureSelect(appstate::ScreenContext& context, int listKind, procedure::ProcedureRunner& runner);

} // namespace app
