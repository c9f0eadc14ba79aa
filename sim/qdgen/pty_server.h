#pragma once
// Serves the simulated generator's serial side on a pseudo-terminal.
#include <memory>
#include <string>

#include "platform/pseudo_terminal.h"
#include "sim/qdgen/qdgen_line.h"

namespace qdgen {

class PtyServer {
public:
    static constexpr int kPollMs = 200;

    explicit PtyServer(QdgenCore& core) : line_(core) {}
    ~PtyServer();
    // Opens the terminal; with `link` non-empty, a symbolic link to it is made there.
    bool open(const std::string& link, std::string* error);
    const std::string& path() const;
    // Serves until the terminal fails or stop() is called from another thread.
    bool run();
    void stop() { stop_ = true; }

private:
    LineProtocol line_;
    std::unique_ptr<platform::PseudoTerminal> pty_;
    std::string link_;
    volatile bool stop_ = false;
};

} // namespace qdgen
