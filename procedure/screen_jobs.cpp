// Kinds that open a service screen on top of the step screen.
#include "procedure/jobs.h"
#include "siggen/signal_generator.h"

namespace procedure::jobs {

void factory(JobContext& c, const PrcStep&) {
    // The appliance kind has its own variant of the factory preset screen.
    const bool appliance = c.screen.generator.kind() == siggen::kSgKindAppliance;
    c.nested.openFactoryPreset(appliance ? FactoryPresetVariant::Appliance : FactoryPresetVariant::Standard);
}

void failInfo(JobContext& c, const PrcStep&) { c.nested.openFailure(); }

} // namespace procedure::jobs
