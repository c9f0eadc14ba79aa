#pragma once
// "Step by Step": runs one procedure. From step 1 each step gets its
// generator settings, its pause and the monitor's status, then the job
// interpreter runs it; automatic steps follow one another, and at an
// interactive step the run stops for the technician, who adjusts sliders,
// reads displays and chooses the next step with one of up to five keys.
// In debug mode every step stops and the key buttons show their jumps.
#include <array>
#include <string>

#include "app/state/screen_context.h"
#include "core/operation_log.h"
#include "core/screen.h"
#include "procedure/dcnv_point_window.h"
#include "procedure/job_context.h"
#include "procedure/prc_file.h"
#include "procedure/procedure_runner.h"
#include "procedure/product_date.h"
#include "procedure/run_state.h"
#include "procedure/step_sliders.h"

namespace procedure {

class StepByStep : public core::Screen, private StepScreen {
public:
    static constexpr const char* kKind = "StepByStep";
    static constexpr const char* kTitle = "Step by Step";
    static constexpr const char* kCancelDebugCaption = "CANCEL(DEBUG)";
    // Letters that move the focus to sliders 1..8.
    static constexpr const char* kSliderLetters = "QWERTYUI";

    // Focus positions in Tab order.
    static constexpr int kFocusLog = 0;
    static constexpr int kFocusFirstButton = 1;   // .. 5
    static constexpr int kFocusFirstSlider = 6;   // .. 13
    static constexpr int kFocusYear = 14;
    static constexpr int kFocusWeek = 15;
    static constexpr int kFocusSerial = 16;

    // Automatic steps in a row after which the run is taken to loop for
    // ever (a jump back onto itself) and ends.
    static constexpr int kMaxAutomaticSteps = 10000;

    // Results the screen closes with.
    static constexpr int kEnded = 1;      // END reached
    static constexpr int kCancelled = 0;  // CANCEL, Escape, CANCEL(DEBUG), a jump beyond END

    struct KeyButton {
        bool visible = false;
        uint8_t key = 0;
        std::string caption;  // the key's text
    };

    StepByStep(appstate::ScreenContext& context, NestedScreens& nested);
    std::string kind() const override { return kKind; }

    // Resets the run, reads the procedure file and runs from step 1 until
    // a step waits for the technician or the run ends (the screen is then
    // closed). A file that cannot be read closes it after a message.
    void open(const ProcedureChoice& choice);

    // Key button n (1..5), as F1..F5, Enter on it or a click.
    void pressButton(int n);
    // "K", "C", "J": presses, from button 1 to 5, every button whose key is `key`.
    void pressEveryButtonWith(uint8_t key);
    // Slider index 0..7 takes the focus and writes its value again.
    void focusSlider(int index);
    void moveFocus(bool forward);
    // The DCnv point window's "Save" and "Jump".
    void saveDcnvPoint();
    void jumpToDcnvPoint();

    // What the screen shows.
    const std::string& caption() const { return caption_; }
    std::string stepNumberText() const;   // " Step No = %3d "
    std::string stepNameText() const;     // " %-20s"
    const std::string& statusText() const { return status_; }
    const std::array<KeyButton, kPanelKeys>& buttons() const { return buttons_; }
    // The jump of button n (0..4), "%-5d" in its box in debug mode.
    int jump(int n) const { return run_.panel.jumps.at(static_cast<size_t>(n)); }
    bool jumpBoxesVisible() const { return jumpBoxes_; }
    const StepSliders& sliders() const { return sliders_; }
    int selectedSlider() const { return selectedSlider_; }
    bool displaysVisible() const { return displaysVisible_; }
    int displayCount() const;
    std::string displayName(int i) const;   // "%-6s" of the register name, or "Result"
    std::string displayValue(int i) const;  // "%-5d"; empty when the read failed
    bool productDateVisible() const { return dateFields_; }
    const ProductDateEntry& productDate() const { return date_; }
    const core::OperationLog& log() const { return log_; }
    bool logVisible() const { return logVisible_; }
    bool cancelDebugVisible() const { return cancelDebug_; }
    int focus() const { return focus_; }
    const DcnvPointWindow& dcnvWindow() const { return dcnvWindow_; }
    // Whether the run stands at a step waiting for the technician.
    bool waiting() const { return waiting_; }
    const RunState& run() const { return run_; }
    const PrcFile& procedure() const { return procedure_; }

    // F1..F5, Enter, Escape, Tab, Backtab, "K", "C", "J", "Q".."I", Up,
    // Down, PageUp, PageDown, Home and End on the selected slider, typed text
    // for the focused value box or date field; clicks on a key button's
    // caption, "CANCEL(DEBUG)", "Save" and "Jump"; row=N selects point N of
    // the DCnv grid. Events arriving while steps run are dropped.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    // StepScreen, filled by the jobs.
    void buildButtons() override;
    void setupSliders(SliderSpacing spacing) override;
    void showDisplays() override;
    void showProductDateFields() override;
    void showDcnvPointWindow() override;
    void markDcnvPoint() override;

    // Runs from the current step until one waits or the run ends.
    void runSteps();
    // One step; false when the run ended.
    bool runStep();
    void endRun();
    void hidePanel();
    void dcnvJumps(int16_t current);
    void debugJumps(int16_t current);
    bool focusable(int position) const;
    void setFocus(int position);
    void refreshDisplays();
    bool handleKey(const core::InputEvent& event);
    bool debug() const { return context_.flags.debug; }

    appstate::ScreenContext& context_;
    NestedScreens& nested_;
    PrcFile procedure_;
    RunState run_;
    core::OperationLog log_;
    StepSliders sliders_;
    DcnvPointWindow dcnvWindow_;
    ProductDateEntry date_;

    std::string caption_;
    std::string status_;
    std::array<KeyButton, kPanelKeys> buttons_{};
    bool jumpBoxes_ = false;
    int selectedSlider_ = -1;
    bool displaysVisible_ = false;
    bool dateFields_ = false;
    bool logVisible_ = true;
    bool cancelDebug_ = false;
    int focus_ = kFocusLog;
    bool waiting_ = false;
    bool busy_ = false;
};

// The step runner the procedure lists start: opens "Step by Step" on the
// chosen procedure and runs it modally until it ends, whichever way.
class StepRunner final : public ProcedureRunner {
public:
    StepRunner(appstate::ScreenContext& context, NestedScreens& nested) : context_(context), nested_(nested) {}
    void runProcedure(const ProcedureChoice& choice) override;

private:
    appstate::ScreenContext& context_;
    NestedScreens& nested_;
};

// The caption of the screen: the path cut to its folder below the drive
// (" %-12s:" of "%-15s" of the path), then the title ("%-30s").
std::string stepByStepCaption(const std::string& path, const std::string& title);

} // namespace procedure
