#pragma once
// The simulated pattern generator behind "sim:patgen" ports.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sim_port.h"
#include "sim/patgen/patgen_core.h"

namespace patgen {

constexpr const char* kSimName = "patgen";

class PatgenSimDevice : public platform::SimDevice {
public:
    explicit PatgenSimDevice(std::shared_ptr<PatgenCore> core, uint32_t answerDelayMs = 0)
        : core_(std::move(core)), delayMs_(answerDelayMs) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override;
    void dtrChanged(bool on) override { core_->setDtr(on); }
    PatgenCore& core() { return *core_; }

private:
    std::shared_ptr<PatgenCore> core_;
    uint32_t delayMs_;
};

// Registers the simulator under `name`; every open of "sim:NAME" talks to
// `core` (a fresh one when null).
void registerPatgenSim(std::shared_ptr<PatgenCore> core = nullptr, const std::string& name = kSimName);

} // namespace patgen
