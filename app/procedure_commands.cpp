#include "app/procedure_commands.h"

#include "core/ui.h"
#include "procedure/procedure_select.h"
#include "screens/factory_preset.h"
#include "screens/failure_screen.h"

namespace app {

int ProcedureServiceScreens::openFactoryPreset(procedure::FactoryPresetVariant variant) {
    const auto v = variant == procedure::FactoryPresetVariant::Appliance ? screens::FactoryPreset::Variant::Appliance
                                                                         : screens::FactoryPreset::Variant::Timings;
    return screens::runFactoryPreset(context_, v);
}

int ProcedureServiceScreens::openFailure() { return screens::runFailure(context_); }

void runProcedureSelect(appstate::ScreenContext& context, int listKind, procedure::ProcedureRunner& runner) {
    procedure::ProcedureSelect screen(context, listKind, runner);
    screen.open();
    if (screen.closed()) return;  // the monitor could not be reached
    context.ui.runModal(screen);
    screen.exit();  // does nothing when the screen closed itself
}

} // namespace app
