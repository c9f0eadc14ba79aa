#include "procedure/step_sliders.h"

#include <algorithm>

#include "core/result_codes.h"
#include "core/text_format.h"
#include "screens/preset_sliders.h"

namespace procedure {

void StepSliders::setup(const StepPanel& panel, SliderSpacing spacing) {
    hide();
    spacing_ = spacing;
    for (size_t i = 0; i < sliders_.size(); ++i) {
        const int16_t code = panel.sliderRegs[i];
        if (code <= 0) break;
        StepSlider& s = sliders_[i];
        const uint16_t reg = static_cast<uint16_t>(code);
        s.visible = true;
        s.code = code;
        s.name = core::strf("%-6s", context_.registers.registerName(reg).c_str());
        s.min = context_.registers.groupMin(reg);
        s.max = std::max(s.min, context_.registers.groupMax(reg));
        for (const modeldb::LinkedRegister& l : context_.model.chassis.linkedRegisters)
            if (l.slider == code) {
                s.linked = l.paired;
                break;
            }
        int32_t raw = 0;
        if (context_.registers.readRegister(reg, raw, ecs::kAskMonitor) == core::ECS_OK) {
            // A register whose range goes below 0 holds a signed byte.
            s.value = s.min != 0 ? static_cast<int8_t>(raw & 0xFF) : static_cast<int16_t>(raw & 0xFFFF);
            s.valueText = core::strf("%-5d", s.value);
        } else {
            s.value = s.min;
        }
        count_ = static_cast<int>(i) + 1;
    }
}

void StepSliders::hide() {
    sliders_.fill(StepSlider{});
    count_ = 0;
}

void StepSliders::set(int index, int32_t value) {
    if (!visible(index)) return;
    StepSlider& s = sliders_[static_cast<size_t>(index)];
    s.value = std::clamp(value, s.min, s.max);
    s.valueText = core::strf("%-5d", s.value);
    s.typed.clear();
    context_.registers.writeRegister(static_cast<uint16_t>(s.code), s.value, ecs::kSendNow);
    if (s.linked != -1) context_.registers.writeRegister(static_cast<uint16_t>(s.linked), s.value, ecs::kSendNow);
}

void StepSliders::reapply(int index) {
    if (visible(index) && !slider(index).valueText.empty()) set(index, slider(index).value);
}

bool StepSliders::step(int index, core::Key key) {
    if (!visible(index)) return false;
    const StepSlider& s = slider(index);
    const int64_t from = s.value;
    int64_t to = from;
    switch (key) {
    case core::Key::Up: to = from + kSliderLine; break;
    case core::Key::Down: to = from - kSliderLine; break;
    case core::Key::PageUp: to = from + kSliderPage; break;
    case core::Key::PageDown: to = from - kSliderPage; break;
    case core::Key::Home: to = s.max; break;
    case core::Key::End: to = s.min; break;
    default: return false;
    }
    set(index, static_cast<int32_t>(std::clamp<int64_t>(to, s.min, s.max)));
    return true;
}

void StepSliders::type(int index, std::string text) {
    if (visible(index)) sliders_[static_cast<size_t>(index)].typed = std::move(text);
}

std::optional<int32_t> StepSliders::typedValue(const std::string& text) {
    // The same rule as the factory preset screen's value boxes.
    return screens::PresetSliders::typedValue(text);
}

bool StepSliders::enterTyped(int index) {
    if (!visible(index)) return false;
    StepSlider& s = sliders_[static_cast<size_t>(index)];
    const std::optional<int32_t> value = typedValue(s.typed);
    s.typed.clear();
    if (!value) return false;
    set(index, *value);
    return true;
}

} // namespace procedure
