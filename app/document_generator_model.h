#pragma once
// The generator control screen's view of the application state: the current
// model's preset timings and special tables, the chassis's panel buttons and
// the monitor link.
#include "app/generator_control_model.h"

namespace appstate { class AppState; }

namespace app {

class DocumentGeneratorModel final : public GeneratorControlModel {
public:
    explicit DocumentGeneratorModel(appstate::AppState& state) : state_(state) {}

    std::string modelName() const override;
    int presetCount() const override;
    std::string presetName(int index) const override;
    void setPresetName(int index, const std::string& name) override;
    bool selectTiming(int number, siggen::SgTiming& out) override;
    int16_t specialHandling(int screen) const override;
    ScreenRegisters entryRegisters(int screen) const override;
    ScreenRegisters exitRegisters(int screen) const override;
    uint32_t writeRegister(uint16_t code, int32_t value, int flags) override;
    std::string registerName(uint16_t code) const override;
    std::array<int16_t, kPanelButtonCount> panelButtons() const override;

private:
    appstate::AppState& state_;
};

} // namespace app
