#include "screens/preset_sliders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>

#include "core/text_format.h"
#include "platform/clock.h"

namespace screens {

void PresetSliders::load() {
    for (size_t i = 0; i < sliders_.size(); ++i) {
        PresetSlider& s = sliders_[i];
        s = PresetSlider{};
        s.code = static_cast<uint16_t>(context_.model.chassis.factoryPresetRegister(i));
        if (!s.visible()) continue;
        s.name = core::strf("%-6s", context_.registers.registerName(s.code).c_str());
        s.min = context_.registers.groupMin(s.code);
        s.max = std::max(s.min, context_.registers.groupMax(s.code));
        s.value = s.min;
    }
}

void PresetSliders::show(PresetSlider& s, int32_t value) {
    s.value = value;
    s.valueText = core::strf("%-5d", value);
    s.typed.clear();
}

void PresetSliders::readAll(LinkFailure& failure) {
    for (PresetSlider& s : sliders_) {
        if (!s.visible()) continue;
        int32_t raw = 0;
        if (!failure.ok(context_.registers.readRegister(s.code, raw, ecs::kAskMonitor))) {
            s.value = s.min;
            s.valueText.clear();
            s.typed.clear();
            continue;
        }
        // Registers with a negative range hold a signed byte.
        const int32_t value = s.min != 0 ? static_cast<int8_t>(raw & 0xFF) : static_cast<int16_t>(raw);
        show(s, value);
    }
    shown_ = true;
}

void PresetSliders::clear() {
    for (PresetSlider& s : sliders_) {
        s.value = s.min;
        s.valueText.clear();
        s.typed.clear();
    }
    shown_ = false;
}

void PresetSliders::set(size_t index, int32_t value, LinkFailure& failure) {
    if (!visible(index)) return;
    PresetSlider& s = sliders_[index];
    value = std::clamp(value, s.min, s.max);
    failure.ok(context_.registers.writeRegister(s.code, value, ecs::kSendNow));
    show(s, value);
    modified_ = true;
}

bool PresetSliders::step(size_t index, core::Key key, LinkFailure& failure) {
    if (!visible(index)) return false;
    const PresetSlider& s = sliders_[index];
    // Steps count from the value the technician sees.
    const int64_t from = s.value;
    int64_t to = from;
    switch (key) {
    case core::Key::Up: to = from + kSliderLineStep; break;
    case core::Key::Down: to = from - kSliderLineStep; break;
    case core::Key::PageUp: to = from + kSliderPageStep; break;
    case core::Key::PageDown: to = from - kSliderPageStep; break;
    case core::Key::Home: to = s.max; break;
    case core::Key::End: to = s.min; break;
    default: return false;
    }
    set(index, static_cast<int32_t>(std::clamp<int64_t>(to, s.min, s.max)), failure);
    return true;
}

void PresetSliders::type(size_t index, std::string text) {
    if (visible(index)) sliders_[index].typed = std::move(text);
}

std::optional<int32_t> PresetSliders::typedValue(const std::string& text) {
    if (text.rfind("0 ", 0) == 0) return 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v == 0) return std::nullopt;
    return static_cast<int32_t>(std::clamp<long long>(v, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

bool PresetSliders::enterTyped(size_t index, LinkFailure& failure) {
    if (!visible(index)) return false;
    PresetSlider& s = sliders_[index];
    const auto value = typedValue(s.typed);
    s.typed.clear();
    if (!value) return false;
    set(index, *value, failure);
    return true;
}

void PresetSliders::save(LinkFailure& failure) {
    const int16_t code = context_.model.chassis.userSaveRegister();
    if (code != 0) failure.ok(context_.registers.writeRegister(static_cast<uint16_t>(code), 0, ecs::kSendNow));
    if (shown_) readAll(failure);
    modified_ = false;
}

void PresetSliders::restore(LinkFailure& failure) {
    const int16_t code = context_.model.chassis.restoreRegister();
    if (code != 0) failure.ok(context_.registers.writeRegister(static_cast<uint16_t>(code), 0, ecs::kSendNow));
    if (context_.registers.ecsType() == 2) {
        // The monitor takes the restored settings when it powers up again;
        // both sequences report their own failures.
        const ecs::ChassisSequences& seq = context_.model.chassis.sequences;
        context_.registers.powerOff(seq);
        context_.clock.sleepMs(kRestorePowerWaitMs, kRestorePowerOffWait);
        context_.registers.powerOn(seq);
        context_.clock.sleepMs(kRestorePowerWaitMs, kRestorePowerOnWait);
    }
    if (shown_) readAll(failure);
    modified_ = false;
}

} // namespace screens
