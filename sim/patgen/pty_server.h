#pragma once
// Serves a PatgenCore on a pseudo-terminal.
#include <memory>
#include <string>

#include "platform/pseudo_terminal.h"
#include "sim/patgen/patgen_core.h"

namespace patgen {

class PtyServer {
public:
    static constexpr int kPollMs = 200;
    static constexpr int kResetAfterMs = 5000;  // a transfer left hanging this long is dropped

    explicit PtyServer(PatgenCore& core) : core_(core) {}
    ~PtyServer();
    // Opens the terminal; with `link` non-empty, a symbolic link to it is made there.
    bool open(const std::string& link, std::string* error);
    const std::string& path() const;
    // Serves until the terminal fails or stop() is called from another thread.
    bool run();
    void stop() { stop_ = true; }

private:
    PatgenCore& core_;
    std::unique_ptr<platform::PseudoTerminal> pty_;
    std::string link_;
    volatile bool stop_ = false;
};

} // namespace patgen
