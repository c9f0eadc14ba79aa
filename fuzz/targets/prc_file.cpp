// A procedure file (".PRC"): decoded, every step's operands asked, then
// every step read from it run by the job interpreter, in order, against a
// monitor in memory (the registers of the demo model's data groups and
// pages 0 and 1), on a clock that never really sleeps. Questions are
// answered No; the nested screens return at once.
#include <string>

#include "core/operation_log.h"
#include "fuzz/support/data_model.h"
#include "procedure/job_interpreter.h"
#include "procedure/prc_file.h"
#include "procedure/run_state.h"

namespace {

class QuietStepScreen : public procedure::StepScreen {
public:
    void buildButtons() override {}
    void setupSliders(procedure::SliderSpacing) override {}
    void showDisplays() override {}
    void showProductDateFields() override {}
    void showDcnvPointWindow() override {}
    void markDcnvPoint() override {}
};

class ClosedNestedScreens : public procedure::NestedScreens {
public:
    int openFactoryPreset(procedure::FactoryPresetVariant) override { return 1; }
    int openFailure() override { return 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const procedure::PrcFile file = procedure::decodePrcFile(bytes);
    if (file.loadedSteps < 0 || file.loadedSteps > 255 || file.header.title.size() > 30) __builtin_trap();
    for (int number = 0; number <= 256; ++number) {
        const procedure::PrcStep& step = file.step(number);
        for (const procedure::OperandValues& operand : step.operands) {
            if (!operand.field) __builtin_trap();
            step.value(operand.field->operand, operand.values.size());
            step.text(operand.field->operand);
        }
    }

    fuzz::DataModel m(fuzz::demoStandard());
    for (uint16_t code = 0; code < 0x200; ++code) m.regs.define(code, "P" + std::to_string(code), 0, -32768, 32767);
    appstate::ScreenContext context = m.context();
    procedure::RunState run;
    run.reset(file.header.endStep);
    core::OperationLog log;
    QuietStepScreen screen;
    ClosedNestedScreens nested;
    procedure::JobInterpreter interpreter{procedure::JobContext{context, file, run, log, screen, nested}};
    for (int number = 1; number <= file.loadedSteps; ++number) {
        run.currentStep = static_cast<int16_t>(number);
        interpreter.execute(number);
    }
    return 0;
}
