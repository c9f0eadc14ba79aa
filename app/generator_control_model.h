#pragma once
// What the generator control screen, the appliance panel and the special
// screen handling need of the loaded model and the monitor link.
#include <array>
#include <cstdint>
#include <string>

#include "siggen/sg_timing.h"

namespace app {

// Register codes and values a screen writes when it opens or closes; the list
// ends at the first code 0.
struct ScreenRegisters {
    std::array<int16_t, 5> codes{};
    std::array<int16_t, 5> values{};
};

constexpr int kPanelButtonCount = 30;

class SpecialScreenModel {
public:
    virtual ~SpecialScreenModel() = default;
    // The special handling of screen n: 0 register lists, 7 preset 7 unusable.
    virtual int16_t specialHandling(int screen) const = 0;
    // Entry n of the lists written on entry and on exit (all zero beyond them).
    virtual ScreenRegisters entryRegisters(int screen) const = 0;
    virtual ScreenRegisters exitRegisters(int screen) const = 0;
    // Preset timings, index from 0.
    virtual int presetCount() const = 0;
    virtual std::string presetName(int index) const = 0;
    virtual void setPresetName(int index, const std::string& name) = 0;
    // A register write of the monitor link; returns its link result.
    virtual uint32_t writeRegister(uint16_t code, int32_t value, int flags) = 0;
};

class GeneratorControlModel : public SpecialScreenModel {
public:
    virtual std::string modelName() const = 0;
    // Fills `out` from model timing `number`; false when the model has none.
    virtual bool selectTiming(int number, siggen::SgTiming& out) = 0;
    // The register's name in the link description ("" when unknown).
    virtual std::string registerName(uint16_t code) const = 0;
    // The appliance panel's register codes; 0 or negative = no button.
    virtual std::array<int16_t, kPanelButtonCount> panelButtons() const = 0;
};

} // namespace app
