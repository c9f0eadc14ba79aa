#pragma once
// "Cont_S&G": the technician picks one of the model's preset timings and
// switches pattern, colour guns and inversion; each change goes to the
// generator at once.
#include <array>
#include <string>
#include <vector>

#include "app/screen_open_handling.h"
#include "app/state/screen_context.h"
#include "core/screen.h"

namespace app {

class GeneratorControlScreen : public core::Screen {
public:
    static constexpr const char* kKind = "GeneratorControl";

    // The buttons in their order.
    static const std::array<int32_t, 12>& patternButtons();
    static const std::array<int32_t, 7>& colourButtons();
    static const std::array<int32_t, 2>& inversionButtons();
    static std::string patternButtonText(int32_t pattern);
    static std::string colourButtonText(int32_t colour);
    static std::string inversionButtonText(int32_t invert);

    explicit GeneratorControlScreen(appstate::ScreenContext& context);
    std::string kind() const override { return kKind; }

    // The opening steps: model name, special handling on entry, timing list,
    // first pattern / all guns / no inversion checked.
    void open();

    const std::string& modelName() const { return modelName_; }
    // "%2d : %-15s" per preset timing.
    const std::vector<std::string>& timingLines() const { return lines_; }
    int currentRow() const { return currentRow_; }
    int selectedRow() const { return selectedRow_; }
    void selectRow(int row);
    // "%-2d" of the applied row number, empty before the first apply.
    const std::string& timingNumberText() const { return numberText_; }

    // Applies a timing row (from 0) unless it is unusable or already current.
    void applyRow(int row);
    void applySelectedRow() { applyRow(selectedRow_); }
    // Digit keys 1..9 apply rows 1..9, 0 applies row 10.
    void pressDigit(int digit);

    void pressPattern(int32_t pattern);
    void pressColour(int32_t colour);
    void pressInversion(int32_t invert);
    int32_t checkedPattern() const { return checkedPattern_; }
    int32_t checkedColour() const { return checkedColour_; }
    int32_t checkedInversion() const { return checkedInversion_; }

    // OK (and Escape): special handling on exit, default timing, close.
    void ok();

    // Keys: digits apply rows 1..10, Enter applies the selected row, Escape
    // is OK. A row event selects a row; clicks press the pattern, colour and
    // inversion buttons by their captions, and "OK".
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    void afterApply();

    appstate::ScreenContext& context_;
    SpecialScreenHandling special_;
    std::string modelName_;
    std::vector<std::string> lines_;
    int currentRow_ = -1;
    int selectedRow_ = -1;
    std::string numberText_;
    int32_t checkedPattern_ = 0;
    int32_t checkedColour_ = 3;
    int32_t checkedInversion_ = 0;
};

constexpr int kPanelButtonCount = 30;

// The appliance kind's panel: up to 30 buttons, each writing 1 to a register.
class AppliancePanel : public core::Screen {
public:
    static constexpr const char* kKind = "AppliancePanel";

    struct Button {
        int16_t code = 0;
        std::string text;  // the register's name
        bool visible = false;
    };

    explicit AppliancePanel(appstate::ScreenContext& context);
    std::string kind() const override { return kKind; }

    void open();
    const std::array<Button, kPanelButtonCount>& buttons() const { return buttons_; }
    void press(int index);
    void ok() { close(1); }

    // A click presses the first visible button of that caption; "OK" and
    // Escape close.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    appstate::ScreenContext& context_;
    std::array<Button, kPanelButtonCount> buttons_{};
};

// Shown instead of the screen when the generator is set by hand.
extern const char* const kManualModeNotice;

// The "Cont_S&G" command: the notice for the manual kind, the appliance panel
// for kind 9, the generator control screen otherwise.
void runGeneratorControl(appstate::ScreenContext& context);

} // namespace app
