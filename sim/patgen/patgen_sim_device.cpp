#include "sim/patgen/patgen_sim_device.h"

namespace patgen {

void PatgenSimDevice::fromHost(platform::SimLine& line, const uint8_t* data, size_t n) {
    const Bytes answer = core_->feed(data, n);
    if (!answer.empty()) line.toHost(answer.data(), answer.size(), delayMs_);
}

void registerPatgenSim(std::shared_ptr<PatgenCore> core, const std::string& name) {
    if (!core) core = std::make_shared<PatgenCore>();
    platform::registerSimDevice(name, [core] { return std::make_shared<PatgenSimDevice>(core); });
}

} // namespace patgen
