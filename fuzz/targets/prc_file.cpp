// A procedure file (".PRC"): decoded, every step's operands asked, then run
// on the step runner ("Step by Step") as a technician starts it, against a
// monitor in memory (the registers of the demo model's data groups and of
// pages 0 and 1), on a clock that never really sleeps. At each step that
// waits for the technician the key buttons are pressed in turn, at most 64
// times; questions are answered No and the nested screens return at once.
#include <string>

#include "fuzz/support/data_model.h"
#include "fuzz/support/scratch.h"
#include "procedure/prc_file.h"
#include "procedure/step_by_step.h"

namespace {

class ClosedNestedScreens : public procedure::NestedScreens {
public:
    int openFactoryPreset(procedure::FactoryPresetVariant) override { return 1; }
    int openFailure() override { return 1; }
};

constexpr int kMaxPresses = 64;

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

    fuzz::placeFile("FUZZ.PRC", bytes);
    procedure::ProcedureChoice choice;
    choice.name = "FUZZ";
    choice.path = fuzz::scratchFolder() + "/FUZZ.PRC";
    choice.file = choice.path;

    fuzz::DataModel m(fuzz::demoStandard());
    for (uint16_t code = 0; code < 0x200; ++code) m.regs.define(code, "P" + std::to_string(code), 0, -32768, 32767);
    appstate::ScreenContext context = m.context();
    ClosedNestedScreens nested;
    procedure::StepByStep runner(context, nested);
    runner.open(choice);
    for (int press = 0; press < kMaxPresses && !runner.closed() && runner.waiting(); ++press) {
        runner.pressButton(1 + press % procedure::kPanelKeys);
        runner.view();
    }
    return 0;
}
