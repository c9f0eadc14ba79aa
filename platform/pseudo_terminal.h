#pragma once
// The far end of a pseudo-terminal, for simulators that stand in for a device
// on a serial port. The slave side is a valid serial port name for
// openSerialPort (raw mode is set when the host opens it).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class PseudoTerminal {
public:
    // Opens a new pair. Null with *error when the system refuses.
    static std::unique_ptr<PseudoTerminal> open(std::string* error = nullptr);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The path the host opens, e.g. /dev/pts/7.
    const std::string& slavePath() const { return slavePath_; }

    // Waits at most timeoutMs for bytes from the host and reads what is there.
    // Returns the count read; 0 when nothing came (also while no host has the
    // slave open: then the call sleeps out its time-out instead of spinning);
    // -1 on an error.
    long read(uint8_t* buf, size_t n, int timeoutMs);
    // Writes all n bytes (blocking); false on an error.
    bool write(const uint8_t* buf, size_t n);

private:
    PseudoTerminal(int master, std::string slavePath) : master_(master), slavePath_(std::move(slavePath)) {}
    int master_;
    std::string slavePath_;
};

} // namespace platform
