#include "siggen/install_drivers.h"

#include "siggen/pg_driver.h"
#include "siggen/qd_driver.h"
#include "siggen/vtg_driver.h"

namespace siggen {

void installDrivers(SignalGenerator& sg, const std::string& home) {
    installPgDrivers(sg, makeGenlinkPgLink());
    installVtgDrivers(sg, makeVtg32Link(), home);
    installQdDrivers(sg, makeQdmgen32Link());
}

} // namespace siggen
