// The command generator's replies: the command-driven generator driver
// (kinds 6, 7 and 10) through the command library's serial line, opened,
// applied and closed, while the generator answers every command line with
// the next chunk of the input. The version reply ("VERF?", asked by the PCI
// kind) and the format check ("FMTG?") are read from what it sends; the
// library reads each reply up to its line end. Every answer gets a line end
// after it, since a reply without one costs the library's real two-second
// wait.
//
// Input: kind, card or port number, pattern, colour, inversion, special
// white, then the answers (a length byte and the bytes, one per line sent).
#include <cmath>

#include "core/fake_ui.h"
#include "fuzz/support/qd_session.h"
#include "fuzz/support/scripted_device.h"
#include "platform/clock.h"

namespace {
fuzz::Input* current = nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzz::routeQdLibrary();
        fuzz::registerScriptedDevice(fuzz::kQdDevice, &current, fuzz::Framing::PerWrite, 1, {'\n'});
        return true;
    }();
    (void)ready;
    fuzz::Input in(data, size);
    const fuzz::QdScript script = fuzz::readQdScript(in);
    core::FakeUi ui;
    platform::FakeClock clock;
    current = &in;
    fuzz::runQdScript(script, ui, clock, [](const siggen::QdDriver& driver) {
        if (!std::isfinite(driver.firmware().version())) __builtin_trap();
    });
    current = nullptr;
    return 0;
}
