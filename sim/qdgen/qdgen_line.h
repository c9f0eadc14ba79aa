#pragma once
// The simulated generator's serial side: command lines ending in LF (a CR
// before it is dropped) go to the generator; the reply to a query goes back
// as one line ending in CR LF. Adapters for in-process "sim:qdgen" ports and
// pseudo-terminals.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sim_port.h"
#include "sim/qdgen/qdgen_core.h"

namespace qdgen {

constexpr const char* kSimName = "qdgen";

class LineProtocol {
public:
    // A line longer than this is refused whole.
    static constexpr size_t kMaxLine = 512;

    explicit LineProtocol(QdgenCore& core) : core_(core) {}
    // Bytes from the host; returns the bytes to send back.
    std::string feed(const uint8_t* data, size_t n);

private:
    QdgenCore& core_;
    std::string line_;
    bool tooLong_ = false;
};

class QdgenSimDevice : public platform::SimDevice {
public:
    explicit QdgenSimDevice(std::shared_ptr<QdgenCore> core) : core_(std::move(core)), line_(*core_) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override;

private:
    std::shared_ptr<QdgenCore> core_;
    LineProtocol line_;
};

// Registers the simulator under `name`; every open of "sim:NAME" talks to
// `core` (a fresh one when null).
void registerQdgenSim(std::shared_ptr<QdgenCore> core = nullptr, const std::string& name = kSimName);

} // namespace qdgen
