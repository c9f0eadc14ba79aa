// Panel kinds: each fills the operator panel from its step, then builds the
// key buttons, sets up its sliders and shows its messages, in that order.
#include <algorithm>

#include "procedure/instruction_messages.h"
#include "procedure/jobs.h"

namespace procedure::jobs {

namespace {

constexpr int16_t kAverageDisplayDelayMs = 300;

template <typename T, size_t N>
void copyValues(std::array<T, N>& to, const std::vector<int32_t>& from) {
    for (size_t i = 0; i < N && i < from.size(); ++i) to[i] = static_cast<T>(from[i]);
}

void copySliders(JobContext& c, const PrcStep& step) {
    c.run.panel.clearSliders();
    copyValues(c.run.panel.sliderRegs, step.values(prc::Operand::Sliders));
}

} // namespace

void copyPanelControls(JobContext& c, const PrcStep& step) {
    StepPanel& p = c.run.panel;
    p.keys.fill(0);
    p.jumps.fill(0);
    p.messageCodes.fill(-1);
    copyValues(p.keys, step.values(prc::Operand::Keys));
    copyValues(p.jumps, step.values(prc::Operand::Jumps));
    copyValues(p.messageCodes, step.values(prc::Operand::Messages));
}

void showStepMessages(JobContext& c) { showMessages(c.run.panel, c.screen.home, c.screen.ui, c.log); }

void adjust(JobContext& c, const PrcStep& step) {
    copyPanelControls(c, step);
    copySliders(c, step);
    c.run.panel.clearDisplays();
    c.stepScreen.buildButtons();
    c.stepScreen.setupSliders(SliderSpacing::Normal);
    showStepMessages(c);
}

void message(JobContext& c, const PrcStep& step) {
    copyPanelControls(c, step);
    c.run.panel.clearSliders();
    c.run.panel.clearDisplays();
    c.stepScreen.buildButtons();
    showStepMessages(c);
}

void adjustMonitor(JobContext& c, const PrcStep& step) {
    StepPanel& p = c.run.panel;
    copyPanelControls(c, step);
    copySliders(c, step);
    p.clearDisplays();
    copyValues(p.displayRegs, step.values(prc::Operand::Displays));
    copyValues(p.displayDelays, step.values(prc::Operand::DisplayDelays));
    c.stepScreen.buildButtons();
    c.stepScreen.setupSliders(SliderSpacing::Double);
    showStepMessages(c);
    readDisplays(p, c.registers(), c.screen.clock);
    c.stepScreen.showDisplays();
}

void productDate(JobContext& c, const PrcStep& step) {
    StepPanel& p = c.run.panel;
    p.productDateMode = true;
    copyPanelControls(c, step);
    p.clearSliders();
    p.clearDisplays();
    p.productDateRegs.fill(0);
    copyValues(p.productDateRegs, step.values(prc::Operand::ProductDateRegisters));
    showStepMessages(c);
    c.stepScreen.buildButtons();
    c.stepScreen.showProductDateFields();
}

void adjustAverage(JobContext& c, const PrcStep& step) {
    StepPanel& p = c.run.panel;
    copyPanelControls(c, step);
    copySliders(c, step);
    p.clearDisplays();
    copyValues(p.displayRegs, step.values(prc::Operand::Displays));
    p.displayDelays[0] = p.displayDelays[1] = kAverageDisplayDelayMs;
    p.averaging = true;
    p.averageRegister = static_cast<int16_t>(step.value(prc::Operand::AverageRegister));
    p.averageValue = static_cast<int16_t>(step.value(prc::Operand::AverageValue));
    c.stepScreen.buildButtons();
    c.stepScreen.setupSliders(SliderSpacing::Normal);
    showStepMessages(c);
    readDisplays(p, c.registers(), c.screen.clock);
    c.stepScreen.showDisplays();
}

} // namespace procedure::jobs
