#pragma once
// What a job works with: the screen context (model data, registers,
// generator, Ui, clock, flags, program home), the procedure, the run state,
// the step's log list, and two ports the step runner and the application
// fill: the "Step by Step" screen's widgets (StepScreen) and the nested
// screens some jobs open (NestedScreens).
#include <string>

#include "app/state/screen_context.h"
#include "core/operation_log.h"
#include "core/ui.h"
#include "procedure/run_state.h"
#include "procedure/step_panel.h"

namespace procedure {

class PrcFile;

// The widgets of the step screen that jobs set up from the panel. The step
// runner implements it.
class StepScreen {
public:
    virtual ~StepScreen() = default;
    // The key buttons from the panel's keys and jumps (the runner fills the
    // DCnv jumps and the debug checks as it builds them).
    virtual void buildButtons() = 0;
    // The sliders from the panel's slider registers.
    virtual void setupSliders(SliderSpacing spacing) = 0;
    // The panel's display values, after readDisplays.
    virtual void showDisplays() = 0;
    // The "YEAR", "WEEK" and "SERIAL" fields.
    virtual void showProductDateFields() = 0;
    // The "Dcnv Adjustment Point" window for the run's DCnv condition, with
    // the step screen placed at (0, 100) in 640 x 480.
    virtual void showDcnvPointWindow() = 0;
    // Marks the run's current DCnv point ("**") and clears the previous one.
    virtual void markDcnvPoint() = 0;
};

enum class FactoryPresetVariant { Standard, Appliance };

// The service screens JOB_FACTORY and JOB_FAIL_INFO open modally. The
// application fills it with the real screens.
class NestedScreens {
public:
    virtual ~NestedScreens() = default;
    virtual int openFactoryPreset(FactoryPresetVariant variant) = 0;
    virtual int openFailure() = 0;
};

struct JobContext {
    appstate::ScreenContext& screen;
    const PrcFile& procedure;
    RunState& run;
    core::OperationLog& log;
    StepScreen& stepScreen;
    NestedScreens& nested;

    void line(std::string text) { log.add(std::move(text)); }
    void box(const std::string& text) { screen.ui.message(text); }
    ecs::RegisterAccess& registers() { return screen.registers; }
    std::string registerName(int code) const { return screen.registers.registerName(static_cast<uint16_t>(code)); }
};

} // namespace procedure
