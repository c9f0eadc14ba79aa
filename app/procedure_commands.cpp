#include "app/procedure_commands.h"

#include "core/ui.h"
#include "procedure/procedure_select.h"

namespace app {

void runProcedureSelect(appstate::ScreenContext& context, int listKind, procedure::ProcedureRunner& runner) {
    procedure::ProcedureSelect screen(context, listKind, runner);
    screen.open();
    if (screen.closed()) return;  // the monitor could not be reached
    context.ui.runModal(screen);
    screen.exit();  // does nothing when the screen closed itself
}

} // namespace app
