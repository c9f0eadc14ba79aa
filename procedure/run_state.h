#pragma once
// The state of one run of a procedure on the "Step by Step" screen: where the
// run stands, the procedure variables, the reserve list, the jump candidates,
// the DCnv state, the operator panel and what the generator was last sent.
// The step runner owns it and resets it when the screen opens; the job
// interpreter reads and fills it.
#include <array>
#include <cstdint>

#include "procedure/dcnv_state.h"
#include "procedure/step_panel.h"
#include "procedure/var_table.h"

namespace procedure {

constexpr int kReserveSize = 25;

// Registers saved by JOB_RSV_READ and written back by JOB_RSV_WRITE.
struct ReserveList {
    std::array<int16_t, kReserveSize> codes{};  // -1 = empty
    std::array<int16_t, kReserveSize> saved{};
    bool valid = false;  // the last reserve read succeeded for every register
    void reset() {
        codes.fill(-1);
        saved.fill(0);
        valid = false;
    }
};

// The three values JOB_RGB_MIN_JMP / JOB_RGB_MAX_JMP compare.
using JumpCandidates = std::array<int16_t, 3>;

// What the generator was last sent, and the appliance kind's internal-pattern
// switch registers (JOB_SG_SET) with their on/off states.
struct GeneratorMemory {
    int lastTiming = -1;
    int lastPattern = -1;
    int lastColour = -1;
    int lastInvert = -1;
    std::array<int16_t, 3> patternRegisters{-1, -1, -1};
    std::array<bool, 3> patternOn{};
};

struct RunState {
    int16_t currentStep = 1;
    int16_t endStep = 0;
    bool skip = true;  // the current step is automatic and the runner goes on

    VarTable vars;
    ReserveList reserve;
    JumpCandidates candidates{};
    DcnvState dcnv;
    StepPanel panel;
    GeneratorMemory generator;

    RunState() { reset(0); }
    // As the step screen opens on a procedure whose END step is `end`.
    void reset(int16_t end) {
        currentStep = 1;
        endStep = end;
        skip = true;
        vars.clear();
        reserve.reset();
        candidates.fill(0);
        dcnv.reset();
        panel.reset();
        generator = GeneratorMemory{};
    }
};

} // namespace procedure
