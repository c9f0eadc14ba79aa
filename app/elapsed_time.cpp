#include "app/elapsed_time.h"

#include "screens/link_failure.h"

namespace app {

std::optional<int64_t> readElapsedCounter(appstate::ScreenContext& context) {
    ecs::RegisterAccess& regs = context.registers;
    const modeldb::ChassisRecord& chassis = context.model.chassis;
    const bool type1 = regs.ecsType() == 1;
    if (type1) {
        regs.serviceEntry(chassis.sequences);
        if (regs.monitorNotConnected()) return std::nullopt;
    }
    screens::LinkFailure failure;
    int32_t high = 0;
    int32_t low = 0;
    const bool ok = failure.ok(regs.readRegister(static_cast<uint16_t>(chassis.elapsedHighRegister()), high,
                                                 ecs::kAskMonitor)) &&
                    failure.ok(regs.readRegister(static_cast<uint16_t>(chassis.elapsedLowRegister()), low,
                                                 ecs::kAskMonitor));
    if (type1) regs.serviceExit(chassis.sequences);
    failure.report(context.ui);
    if (!ok) return std::nullopt;
    return static_cast<int64_t>(high) * (type1 ? 256 : 65536) + low;
}

} // namespace app
