#pragma once
// The monitor's service mode for as long as a screen is open. Opening runs
// the service-entry sequence (unless the screen skips it while a procedure
// runs) and refuses when the monitor is then not connected; closing runs the
// service-exit sequence once, on whichever way the screen ends, and only
// when the monitor is connected.
#include "app/state/screen_context.h"

namespace appstate {

class ServiceSession {
public:
    enum class Policy {
        Always,                  // entry and exit every time
        UnlessProcedureRunning,  // neither while a procedure runs (it holds service mode)
    };

    ServiceSession(ScreenContext& context, Policy policy = Policy::Always);
    ~ServiceSession() { close(); }
    ServiceSession(const ServiceSession&) = delete;
    ServiceSession& operator=(const ServiceSession&) = delete;

    // Enters service mode; false (and the screen closes at once) when the
    // monitor is not connected afterwards.
    bool open();
    // Leaves service mode; does nothing the second time or after a refused open.
    void close();
    bool isOpen() const { return open_; }

private:
    bool skipped() const;
    ScreenContext& context_;
    Policy policy_;
    bool open_ = false;
};

} // namespace appstate
