#pragma once
// The eight adjustment sliders of the "Step by Step" screen, set up from the
// panel's slider registers: name, range from the register's limits, value
// read from the monitor (a signed byte where the minimum is not 0), and the
// paired register of the chassis's linked-register table, written with every
// value the technician gives the slider.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/state/screen_context.h"
#include "core/input_event.h"
#include "procedure/step_panel.h"

namespace procedure {

constexpr int32_t kSliderLine = 1;
constexpr int32_t kSliderPage = 20;

struct StepSlider {
    bool visible = false;
    int16_t code = 0;
    int16_t linked = -1;     // the paired register, -1 for none
    std::string name;        // "%-6s" of the register's name
    int32_t min = 0;
    int32_t max = 0;
    int32_t value = 0;
    std::string valueText;   // "%-5d"; empty while the read failed
    std::string typed;       // typed into the value box, not entered yet
};

class StepSliders {
public:
    explicit StepSliders(appstate::ScreenContext& context) : context_(context) {}

    // One slider per register of the panel until one is 0 or less.
    void setup(const StepPanel& panel, SliderSpacing spacing);
    void hide();
    int count() const { return count_; }
    SliderSpacing spacing() const { return spacing_; }
    bool visible(int index) const { return index >= 0 && index < kPanelSliders && sliders_[static_cast<size_t>(index)].visible; }
    const StepSlider& slider(int index) const { return sliders_.at(static_cast<size_t>(index)); }

    // Clamps to the range, writes the register and its paired register, shows the value.
    void set(int index, int32_t value);
    // Writes the value the slider shows again (the slider took the focus);
    // a slider whose register could not be read shows no value and writes none.
    void reapply(int index);
    // Up +1, Down -1, PageUp +20, PageDown -20, Home the maximum, End the
    // minimum; false for another key.
    bool step(int index, core::Key key);
    void type(int index, std::string text);
    // Enter in the value box: "0 ..." is 0, another text reading as 0 is
    // refused (false) and the old value shown again.
    bool enterTyped(int index);

    // What the technician typed as a number, as enterTyped reads it.
    static std::optional<int32_t> typedValue(const std::string& text);

private:
    appstate::ScreenContext& context_;
    std::array<StepSlider, kPanelSliders> sliders_{};
    int count_ = 0;
    SliderSpacing spacing_ = SliderSpacing::Normal;
};

} // namespace procedure
