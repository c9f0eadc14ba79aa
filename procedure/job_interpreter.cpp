#include "procedure/job_interpreter.h"

#include "procedure/job_kinds.h"
#include "procedure/prc_file.h"

namespace procedure {

void JobInterpreter::execute(int stepNumber) {
    const PrcStep& step = context_.procedure.step(stepNumber);
    const JobKindInfo* kind = jobKind(step.kind);
    if (!kind || !kind->handler) return;
    if (kind->doneText && !kind->doneTextByHandler) context_.line(kind->doneText);
    kind->handler(context_, step);
}

} // namespace procedure
