#pragma once
// The eight sliders on the chassis's factory-preset registers, shared by
// both forms of the factory preset screen: ranges from the register limits,
// values read as signed 8-bit numbers where the minimum is not 0, the key
// steps, typed values, and "Save" and "Restore" of the monitor's settings.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/state/screen_context.h"
#include "core/input_event.h"
#include "screens/link_failure.h"

namespace screens {

constexpr size_t kPresetSliderCount = 8;
constexpr int32_t kSliderLineStep = 1;
constexpr int32_t kSliderPageStep = 20;

// Restore with ECS type 2 power-cycles the monitor.
constexpr uint32_t kRestorePowerWaitMs = 1000;
inline constexpr const char* kRestorePowerOffWait = "restore power off";
inline constexpr const char* kRestorePowerOnWait = "restore power on";

struct PresetSlider {
    uint16_t code = 0;      // 0: the chassis names no register here; the slider is hidden
    std::string name;       // "%-6s" of the register's name
    int32_t min = 0;
    int32_t max = 0;
    int32_t value = 0;
    std::string valueText;  // "%-5d" of the value; empty when cleared or not read
    std::string typed;      // typed into the value box and not entered yet
    bool visible() const { return code != 0; }
};

class PresetSliders {
public:
    explicit PresetSliders(appstate::ScreenContext& context) : context_(context) {}

    // Register codes, names and ranges from the chassis record and the link.
    void load();
    // Reads every register into its slider; the sliders show values from now on.
    void readAll(LinkFailure& failure);
    // Empty value texts, every slider at its minimum, nothing typed.
    void clear();
    // Whether the sliders show values read from the monitor.
    bool shown() const { return shown_; }

    // Clamps to the slider's range, writes the register, shows the value and
    // sets the modified flag.
    void set(size_t index, int32_t value, LinkFailure& failure);
    // Up +1, Down -1, PageUp +20, PageDown -20, Home the maximum, End the
    // minimum; false for any other key.
    bool step(size_t index, core::Key key, LinkFailure& failure);
    // Text typed into the value box.
    void type(size_t index, std::string text);
    // Enter in the value box: a text beginning with "0 " means 0; any other
    // text reading as 0 is rejected (false) and the old value stays.
    bool enterTyped(size_t index, LinkFailure& failure);

    // Save: 0 to the user-save register. Restore: 0 to the restore
    // register, and with ECS type 2 a power cycle. Both read the registers
    // again when the sliders show values, and clear the modified flag.
    void save(LinkFailure& failure);
    void restore(LinkFailure& failure);

    bool modified() const { return modified_; }
    void clearModified() { modified_ = false; }

    const std::array<PresetSlider, kPresetSliderCount>& sliders() const { return sliders_; }
    const PresetSlider& slider(size_t index) const { return sliders_.at(index); }
    bool visible(size_t index) const { return index < sliders_.size() && sliders_[index].visible(); }

    // What the technician typed as a number: "0 ..." is 0, otherwise the
    // leading integer; none when that reads as 0.
    static std::optional<int32_t> typedValue(const std::string& text);

private:
    void show(PresetSlider& s, int32_t value);
    appstate::ScreenContext& context_;
    std::array<PresetSlider, kPresetSliderCount> sliders_{};
    bool modified_ = false;
    bool shown_ = false;
};

} // namespace screens
