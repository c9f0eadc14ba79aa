#include "app/state/service_session.h"

namespace appstate {

ServiceSession::ServiceSession(ScreenContext& context, Policy policy) : context_(context), policy_(policy) {}

bool ServiceSession::skipped() const {
    return policy_ == Policy::UnlessProcedureRunning && context_.flags.procedureRunning;
}

bool ServiceSession::open() {
    if (open_) return true;
    if (!skipped()) context_.registers.serviceEntry(context_.model.chassis.sequences);
    open_ = !context_.registers.monitorNotConnected();
    return open_;
}

void ServiceSession::close() {
    if (!open_) return;
    open_ = false;
    if (skipped() || context_.registers.monitorNotConnected()) return;
    context_.registers.serviceExit(context_.model.chassis.sequences);
}

} // namespace appstate
