#include "link/memory_registers.h"

namespace ecs {

void MemoryRegisters::define(uint16_t code, std::string name, int32_t value, int32_t min, int32_t max) {
    Register& r = registers_[code];
    r.name = std::move(name);
    r.min = min;
    r.max = max;
    r.perMode = false;
    r.values = {{0, value}};
}

void MemoryRegisters::definePerMode(uint16_t code, std::string name, int32_t min, int32_t max) {
    Register& r = registers_[code];
    r.name = std::move(name);
    r.min = min;
    r.max = max;
    r.perMode = true;
    r.values.clear();
}

const MemoryRegisters::Register* MemoryRegisters::find(uint16_t code) const {
    auto it = registers_.find(code);
    return it == registers_.end() ? nullptr : &it->second;
}

int32_t& MemoryRegisters::slot(Register& r) { return r.values[r.perMode ? mode_ : 0]; }

void MemoryRegisters::set(uint16_t code, int32_t value) {
    Register& r = registers_[code];
    slot(r) = value;
}

void MemoryRegisters::setInMode(uint16_t code, int mode, int32_t value) { registers_[code].values[mode] = value; }

int32_t MemoryRegisters::value(uint16_t code) const {
    const Register* r = find(code);
    if (!r) return 0;
    auto it = r->values.find(r->perMode ? mode_ : 0);
    return it == r->values.end() ? 0 : it->second;
}

int32_t MemoryRegisters::valueInMode(uint16_t code, int mode) const {
    const Register* r = find(code);
    if (!r) return 0;
    auto it = r->values.find(mode);
    return it == r->values.end() ? 0 : it->second;
}

std::vector<std::pair<uint16_t, int32_t>> MemoryRegisters::writes() const {
    std::vector<std::pair<uint16_t, int32_t>> out;
    for (const Access& a : accesses_)
        if (a.kind == Access::Kind::Write) out.emplace_back(a.code, a.value);
    return out;
}

std::vector<std::string> MemoryRegisters::sequences() const {
    std::vector<std::string> out;
    for (const Access& a : accesses_)
        if (a.kind == Access::Kind::Sequence) out.push_back(a.sequence);
    return out;
}

uint32_t MemoryRegisters::readRegister(uint16_t code, int32_t& value, int flags) {
    Access a{Access::Kind::Read, code, 0, flags, {}};
    uint32_t result = core::ECS_OK;
    if (disconnected_) {
        result = core::ECS_ERR_LINK;
    } else if (auto it = refused_.find(code); it != refused_.end()) {
        result = it->second;
    } else if (!find(code)) {
        result = core::ECS_ERR_FORMAT;
    } else {
        value = this->value(code);
        a.value = value;
    }
    accesses_.push_back(a);
    return result;
}

uint32_t MemoryRegisters::writeRegister(uint16_t code, int32_t value, int flags) {
    accesses_.push_back({Access::Kind::Write, code, value, flags, {}});
    if (disconnected_) return core::ECS_ERR_LINK;
    if (auto it = refused_.find(code); it != refused_.end()) return it->second;
    auto it = registers_.find(code);
    if (it == registers_.end()) return core::ECS_ERR_FORMAT;
    if (!ignored_.count(code)) slot(it->second) = value;
    return core::ECS_OK;
}

std::string MemoryRegisters::registerName(uint16_t code) const {
    const Register* r = find(code);
    return r ? r->name : std::string();
}

int32_t MemoryRegisters::groupMax(uint16_t code) const {
    const Register* r = find(code);
    return r ? r->max : 0;
}

int32_t MemoryRegisters::groupMin(uint16_t code) const {
    const Register* r = find(code);
    return r ? r->min : 0;
}

void MemoryRegisters::selectMode(int mode) {
    mode_ = mode;
    accesses_.push_back({Access::Kind::SelectMode, 0, mode, 0, {}});
}

void MemoryRegisters::resetTransfer() { accesses_.push_back({Access::Kind::ResetTransfer, 0, 0, 0, {}}); }

uint32_t MemoryRegisters::sequence(const char* name) {
    accesses_.push_back({Access::Kind::Sequence, 0, 0, 0, name});
    return disconnected_ ? core::ECS_ERR_LINK : core::ECS_OK;
}

uint32_t MemoryRegisters::serviceEntry(const ChassisSequences&) {
    const uint32_t r = sequence("serviceEntry");
    notConnected_ = r != core::ECS_OK;
    return r;
}

uint32_t MemoryRegisters::serviceExit(const ChassisSequences&) { return sequence("serviceExit"); }

uint32_t MemoryRegisters::powerOn(const ChassisSequences& chassis) {
    const uint32_t r = sequence("powerOn");
    if (r == core::ECS_OK && chassis.powerRegister != 0) set(chassis.powerRegister, 1);
    return r;
}

uint32_t MemoryRegisters::powerOff(const ChassisSequences& chassis) {
    const uint32_t r = sequence("powerOff");
    if (r == core::ECS_OK && chassis.powerRegister != 0) set(chassis.powerRegister, 0);
    return r;
}

uint32_t MemoryRegisters::writeList(const StandardList& list) {
    for (const CodeValue& pair : list) {
        if (pair.code == 0) break;
        if (pair.code < 0 || pair.code > 0xFFFF) continue;
        const uint16_t code = static_cast<uint16_t>(pair.code);
        if (registerName(code) == "Timer") continue;
        if (auto it = registers_.find(code); it != registers_.end()) slot(it->second) = pair.value;
    }
    return core::ECS_OK;
}

uint32_t MemoryRegisters::standardPreSequence(const StandardList& startList) {
    const uint32_t r = sequence("standardPreSequence");
    return r == core::ECS_OK ? writeList(startList) : r;
}

uint32_t MemoryRegisters::standardPostSequence(const StandardList& endList) {
    const uint32_t r = sequence("standardPostSequence");
    return r == core::ECS_OK ? writeList(endList) : r;
}

} // namespace ecs
