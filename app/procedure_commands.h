#pragma once
// "&Procedure", "&Touch up" and "&DCnv": the procedure list of one kind,
// opened modally, closed through its own exit on every way out. Procedures
// started from it run on the step runner, whose JOB_FACTORY and
// JOB_FAIL_INFO steps open the real service screens.
#include "app/state/screen_context.h"
#include "procedure/job_context.h"

namespace procedure { class ProcedureRunner; }

namespace app {

// The factory preset and failure screens, opened on top of a running
// procedure (which keeps the monitor in service mode meanwhile).
class ProcedureServiceScreens final : public procedure::NestedScreens {
public:
    explicit ProcedureServiceScreens(appstate::ScreenContext& context) : context_(context) {}
    int openFactoryPreset(procedure::FactoryPresetVariant variant) override;
    int openFailure() override;

private:
    appstate::ScreenContext& context_;
};

void runProcedureSelect(appstate::ScreenContext& context, int listKind, procedure::ProcedureRunner& runner);

} // namespace app
