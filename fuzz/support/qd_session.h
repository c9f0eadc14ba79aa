#pragma once
// A session of the command-driven generator driver (kinds 6, 7 and 10) through
// the command library's serial line: opened, the default timing applied, then
// a pattern, colour, inversion and special white of the script's choosing,
// closed. The generator behind the line is the caller's "sim:" device; the
// command library is compiled into the executable so that device is
// reachable (inside its shared library it would not be).
#include <cstdint>
#include <functional>

#include "fuzz/support/fuzz_input.h"
#include "siggen/qd_driver.h"

namespace core { class Ui; }
namespace platform { class Clock; }

namespace fuzz {

// The name of the device that stands in for every card and serial port.
constexpr const char* kQdDevice = "fuzz-qd";

struct QdScript {
    uint8_t kind = 0;     // 6, 7 or 10 by its value modulo 3
    uint8_t number = 1;   // card or port number, 0..4
    uint8_t pattern = 0;
    uint8_t colour = 3;
    uint8_t invert = 0;
    uint8_t white = 50;   // special-white level; the box is half of it
};

QdScript readQdScript(Input& in);
void putQdScript(Bytes& out, const QdScript& s);

// Points the command library at kQdDevice for every card and COM1..COM4,
// with its files under the scratch folder. Once per process.
void routeQdLibrary();

// Runs the session; `check` sees the driver after each step.
void runQdScript(const QdScript& s, core::Ui& ui, platform::Clock& clock,
                 const std::function<void(const siggen::QdDriver&)>& check);

} // namespace fuzz
