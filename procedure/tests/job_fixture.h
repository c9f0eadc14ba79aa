#pragma once
// The job interpreter over a monitor in memory, a generator whose drivers
// record what they send, a fake clock, a scripted Ui, a recording step
// screen and fake nested screens. Steps are built with the kit's writer and
// decoded by the reader, as a procedure file would bring them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/state/screen_context.h"
#include "core/operation_log.h"
#include "core/test_ui.h"
#include "core/text_format.h"
#include "kit/prc_file.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "procedure/job_interpreter.h"
#include "procedure/prc_file.h"
#include "procedure/run_state.h"
#include "siggen/signal_generator.h"
#include "siggen/recording_driver.h"

namespace procedure::testing {

using Op = prc::Operand;
using Lines = std::vector<std::string>;

class RecordingStepScreen : public StepScreen {
public:
    std::vector<std::string> calls;
    void buildButtons() override { calls.push_back("buttons"); }
    void setupSliders(SliderSpacing spacing) override {
        calls.push_back(spacing == SliderSpacing::Double ? "sliders double" : "sliders");
    }
    void showDisplays() override { calls.push_back("displays"); }
    void showProductDateFields() override { calls.push_back("date fields"); }
    void showDcnvPointWindow() override { calls.push_back("point window"); }
    void markDcnvPoint() override { calls.push_back("mark point"); }
};

class FakeNestedScreens : public NestedScreens {
public:
    std::vector<std::string> opened;
    int openFactoryPreset(FactoryPresetVariant variant) override {
        opened.push_back(variant == FactoryPresetVariant::Appliance ? "appliance preset" : "factory preset");
        return 1;
    }
    int openFailure() override {
        opened.push_back("failure");
        return 1;
    }
};

inline kit::PrcStepSpec stepOf(uint8_t kind, const char* name = "step") {
    kit::PrcStepSpec s;
    s.name = name;
    s.kind = kind;
    return s;
}

struct JobFixture : ::testing::Test {
    platform::testing::TestFolder folder;
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", folder.path()};
    PrcFile procedure;
    RunState run;
    core::OperationLog log;
    RecordingStepScreen screen;
    FakeNestedScreens nested;
    JobInterpreter interpreter{JobContext{context, procedure, run, log, screen, nested}};

    JobFixture() {
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(0, 1, 0);
        run.reset(20);
    }

    // Decodes the step as the reader would and puts it at `number`.
    void setStep(int number, const kit::PrcStepSpec& spec) {
        const kit::Bytes record = kit::prcStepRecord(spec);
        procedure.slot(number) = decodePrcStep(record.data(), record.size());
    }
    // Runs one step from a clean log; returns its log lines.
    Lines runStep(const kit::PrcStepSpec& spec, int number = 5) {
        setStep(number, spec);
        log.clear();
        regs.clearAccesses();
        interpreter.execute(number);
        return lines();
    }
    Lines lines() const { return Lines(log.lines().begin(), log.lines().end()); }
    // Registers named "REG_hhhh".
    void define(uint16_t code, int32_t value = 0, int32_t min = 0, int32_t max = 255) {
        regs.define(code, core::strf("REG_%04X", code), value, min, max);
    }
};

} // namespace procedure::testing
