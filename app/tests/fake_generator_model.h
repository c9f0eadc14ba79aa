#pragma once
// An in-memory model for the generator control tests: preset timings, the
// special tables of the screens and a register log with scripted results.
#include <map>
#include <vector>

#include "app/generator_control_model.h"
#include "core/result_codes.h"
#include "core/text_format.h"

namespace app {

struct RegisterWrite {
    uint16_t code;
    int32_t value;
    int flags;
    bool operator==(const RegisterWrite&) const = default;
};

class FakeGeneratorModel : public GeneratorControlModel {
public:
    explicit FakeGeneratorModel(int presets) {
        for (int i = 0; i < presets; ++i) {
            siggen::SgTiming t = siggen::defaultSgTiming();
            t.name = core::strf("Timing %d", i + 1);
            t.mode = i + 1;
            t.dotClock = 25.175f + static_cast<float>(i);  // tells the timings apart
            timings.push_back(t);
        }
        names.resize(30);
        for (int i = 0; i < presets; ++i) names[static_cast<size_t>(i)] = timings[static_cast<size_t>(i)].name;
    }

    std::string modelName() const override { return name; }
    int presetCount() const override { return static_cast<int>(timings.size()); }
    std::string presetName(int index) const override { return names.at(static_cast<size_t>(index)); }
    void setPresetName(int index, const std::string& n) override { names.at(static_cast<size_t>(index)) = n; }
    bool selectTiming(int number, siggen::SgTiming& out) override {
        selected.push_back(number);
        if (number < 1 || number > presetCount()) return false;
        out = timings[static_cast<size_t>(number - 1)];
        return true;
    }
    int16_t specialHandling(int screen) const override {
        auto it = special.find(screen);
        return it == special.end() ? 0 : it->second;
    }
    ScreenRegisters entryRegisters(int screen) const override { return entry[static_cast<size_t>(screen)]; }
    ScreenRegisters exitRegisters(int screen) const override { return exit[static_cast<size_t>(screen)]; }
    uint32_t writeRegister(uint16_t code, int32_t value, int flags) override {
        writes.push_back({code, value, flags});
        auto it = results.find(code);
        return it == results.end() ? core::ECS_OK : it->second;
    }
    std::string registerName(uint16_t code) const override { return core::strf("REG_%04X", code); }
    std::array<int16_t, kPanelButtonCount> panelButtons() const override { return panel; }

    std::string name = "CM-17X";
    std::vector<siggen::SgTiming> timings;
    std::vector<std::string> names;
    std::map<int, int16_t> special;
    std::array<ScreenRegisters, 5> entry{};
    std::array<ScreenRegisters, 5> exit{};
    std::map<uint16_t, uint32_t> results;
    std::array<int16_t, kPanelButtonCount> panel{};
    std::vector<int> selected;
    std::vector<RegisterWrite> writes;
};

} // namespace app
