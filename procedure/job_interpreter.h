#pragma once
// The job interpreter: runs the kind of one procedure step against the
// monitor, the procedure variables, the generator and the operator panel.
// The step runner calls execute() once per step, after it has prepared the
// generator and waited the step's wait code.
#include "procedure/job_context.h"

namespace procedure {

class JobInterpreter {
public:
    explicit JobInterpreter(JobContext context) : context_(context) {}

    // Logs the kind's done text (the save kinds: only when registered), then
    // runs its handler. Kinds outside 1..31, JOB_SKIP and JOB_DCNV_DATA do
    // nothing here.
    void execute(int stepNumber);

    JobContext& context() { return context_; }

private:
    JobContext context_;
};

} // namespace procedure
