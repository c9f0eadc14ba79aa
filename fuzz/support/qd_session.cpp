#include "fuzz/support/qd_session.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz/support/scratch.h"
#include "qdmgen32.h"
#include "siggen/signal_generator.h"

namespace fuzz {

QdScript readQdScript(Input& in) {
    QdScript s;
    s.kind = in.byte();
    s.number = in.byte();
    s.pattern = in.byte();
    s.colour = in.byte();
    s.invert = in.byte();
    s.white = in.byte();
    return s;
}

void putQdScript(Bytes& out, const QdScript& s) {
    out.insert(out.end(), {s.kind, s.number, s.pattern, s.colour, s.invert, s.white});
}

void routeQdLibrary() {
    std::string map = "[COM]\n";
    for (int n = 1; n <= 4; ++n) map += "COM" + std::to_string(n) + "=sim:" + kQdDevice + "\n";
    placeFile("qd-comports.ini", bytesOf(map));
    setenv("COMPORTS", (scratchFolder() + "/qd-comports.ini").c_str(), 1);
    setenv("QDMGEN32_DEVICE", (std::string("sim:") + kQdDevice).c_str(), 1);
    unsetenv("QDMGEN32_LOG");
    unsetenv("QDMGEN32_SIM_LOG");
}

void runQdScript(const QdScript& s, core::Ui& ui, platform::Clock& clock,
                 const std::function<void(const siggen::QdDriver&)>& check) {
    static const int kinds[] = {6, 7, 10};
    siggen::SignalGenerator sg(ui, clock);
    const int kind = kinds[s.kind % 3];
    auto owned = std::make_unique<siggen::QdDriver>(std::shared_ptr<siggen::QdLink>(siggen::makeQdmgen32Link()));
    const siggen::QdDriver& driver = *owned;
    sg.installDriver(kind, std::move(owned));
    sg.SgSelect(kind, s.number % 5, s.number % 5);
    sg.SgOpen();
    check(driver);
    sg.SgResetDefault();
    check(driver);
    sg.selectPattern(s.pattern % 18);
    sg.selectColour(s.colour % 9);
    sg.selectInvert(s.invert & 1);
    check(driver);
    sg.setSpecialWhite(s.white % 101, (s.white % 101) / 2);
    sg.selectPattern(siggen::kPatternSpecialWhite);
    check(driver);
    sg.SgClose();
    QDM_Close();  // whatever happened, no port outlives the session
}

} // namespace fuzz
