#include "sim/monitor/signal_status.h"

#include <cmath>

namespace sim {

namespace {

bool hashName(const LinkTables& tables, uint16_t code) {
    const LinkRegister* r = tables.registerOf(code);
    return r && !r->name.empty() && r->name[0] == '#';
}

int32_t syncKind(OutputTiming::Sync sync, bool fourBits) {
    switch (sync) {
    case OutputTiming::Sync::Separate: return fourBits ? 10 : 0;
    case OutputTiming::Sync::Composite: return 2;
    case OutputTiming::Sync::Green: return fourBits ? 0 : 3;
    }
    return 0;
}

} // namespace

SignalStatus::SignalStatus(StatusRegisters registers, std::vector<MonitorMode> modes)
    : registers_(registers), modes_(std::move(modes)) {}

void SignalStatus::setTiming(std::optional<OutputTiming> timing) {
    std::lock_guard<std::mutex> lock(mutex_);
    timing_ = timing;
    source_ = nullptr;
}

void SignalStatus::setSource(std::function<std::optional<OutputTiming>()> source) {
    std::lock_guard<std::mutex> lock(mutex_);
    source_ = std::move(source);
}

int SignalStatus::modeFor(const OutputTiming& t) const {
    for (size_t i = 0; i < modes_.size(); ++i)
        if (std::fabs(modes_[i].hKHz - t.hKHz) <= kModeToleranceKHz && std::fabs(modes_[i].vHz - t.vHz) <= kModeToleranceHz)
            return static_cast<int>(i);
    return static_cast<int>(modes_.size());
}

std::vector<std::pair<uint16_t, int32_t>> SignalStatus::registerValues(const LinkTables& tables) {
    std::optional<OutputTiming> t;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (source_) timing_ = source_();
        t = timing_;
    }
    std::vector<std::pair<uint16_t, int32_t>> values;
    if (!t) return values;
    auto add = [&](uint16_t code, int32_t value) {
        if (code != 0) values.emplace_back(code, value);
    };
    add(registers_.modeNumber, modeFor(*t));
    add(registers_.hFrequency, static_cast<int32_t>(std::lround(t->hKHz * 10.0)));
    add(registers_.vFrequency, static_cast<int32_t>(std::lround(t->vHz * 100.0)));
    const bool hSet = hashName(tables, registers_.hFrequency) ? t->hPositive : !t->hPositive;
    const bool vSet = hashName(tables, registers_.vFrequency) ? t->vPositive : !t->vPositive;
    const int32_t kind = syncKind(t->sync, hashName(tables, registers_.syncPolarity));
    add(registers_.syncPolarity, (hSet ? 1 : 0) | (vSet ? 2 : 0) | (kind << 2));
    return values;
}

} // namespace sim
