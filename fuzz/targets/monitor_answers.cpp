// The monitor's answers through the link, for the ECS type FUZZ_ECS_TYPE:
// a script of register reads and writes, raw transactions and the register
// sequences runs over the demo's link description, and the monitor answers
// every frame with the next chunk of the input, on a clock that never sleeps.
//
// Input: the number of steps (at most 16), four bytes per step (kind,
// register, value, flags), then the answers (a length byte and the bytes,
// one per frame the link sends).
#include <vector>

#include "core/fake_ui.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/monitor_script.h"
#include "fuzz/support/scripted_device.h"
#include "link/ecs_link.h"
#include "platform/clock.h"

#ifndef FUZZ_ECS_TYPE
#error FUZZ_ECS_TYPE must be 1 or 2
#endif

namespace {
constexpr int kType = FUZZ_ECS_TYPE;
fuzz::Input* current = nullptr;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        fuzz::registerScriptedDevice("fuzz-monitor", &current,
                                     kType == 1 ? fuzz::Framing::EcsType1 : fuzz::Framing::EcsType2, 1);
        return true;
    }();
    (void)registered;
    fuzz::Input in(data, size);
    std::vector<fuzz::MonitorStep> steps(std::min<size_t>(in.byte(), fuzz::kMaxMonitorSteps));
    for (fuzz::MonitorStep& s : steps) s = {in.byte(), in.byte(), in.byte(), in.byte()};

    current = &in;
    core::FakeUi ui;
    platform::FakeClock clock;
    ecs::EcsLink link("sim:fuzz-monitor", ui, clock);
    link.setEcsType(kType);
    const std::vector<uint8_t>& file = fuzz::monitorLinkFile(kType);
    if (link.loadLinkDescriptionBytes(file.data(), file.size()) != 1) __builtin_trap();
    fuzz::runMonitorSteps(link, kType, steps);
    current = nullptr;
    return 0;
}
