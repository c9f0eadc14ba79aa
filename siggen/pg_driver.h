#pragma once
// Generator kinds 0..3: the maker's pattern generators on a serial port. Each
// apply opens the link, sends the program built from the timing and then the
// pattern with its colour guns, and closes it.
#include <memory>

#include "siggen/pg_link.h"
#include "siggen/sg_driver.h"
#include "siggen/sg_timing.h"

namespace siggen {

class PgDriver final : public SgDriver {
public:
    explicit PgDriver(std::shared_ptr<PgLink> link) : link_(std::move(link)) {}

    // Port setup: serial way, 9600 7N1 on the configured port, panel ROM 3.
    void open(SignalGenerator& sg) override;
    void apply(SignalGenerator& sg) override { PgApply(sg); }
    void close(SignalGenerator&) override {}

    // 0 when sent, 1 when the timing was not sent (a message said why).
    int PgApply(SignalGenerator& sg);
    int PgSendTiming(SignalGenerator& sg);
    void sendPattern(SignalGenerator& sg);

private:
    std::shared_ptr<PgLink> link_;
};

// Installs one driver over `link` for each of the kinds 0..3.
void installPgDrivers(SignalGenerator& sg, const std::shared_ptr<PgLink>& link);

} // namespace siggen
