// Register reads into variables, variable writes, JOB_MATH, the ABL reading
// and the maximum or minimum of variables.
#include "job_fixture.h"

#include "modeldb/chassis_layout.h"
#include "procedure/job_kinds.h"

namespace procedure::testing {
namespace {

using Writes = std::vector<std::pair<uint16_t, int32_t>>;
using VariableJobs = JobFixture;

const char* const kReadVariableBox = " V_XX data is NG  -> can't read .\n Set KovEdit data V_(1-100)";

TEST_F(VariableJobs, ReadWithAnEmptyListLogsOnlyItsDoneText) {
    EXPECT_EQ(runStep(stepOf(JOB_READ).with(Op::Registers, {-1, 0x0100}).with(Op::Variables, {1, 2})),
              Lines{" === JOB_READ done ==="});
    EXPECT_TRUE(regs.accesses().empty());
}

TEST_F(VariableJobs, ReadStoresValuesSetsFlagsAndClearsTheFlagOfAFailedRead) {
    define(0x0100, 77);
    define(0x0101, 0xFFFF, 0, 0xFFFF);
    define(0x0102, 5);
    run.vars.store(3, 1);
    regs.refuse(0x0102);
    auto step = stepOf(JOB_READ)
                    .with(Op::Registers, {0x0100, 0x0101, 0x0102, 0x0100})
                    .with(Op::Variables, {1, 2, 3, 101});
    EXPECT_EQ(runStep(step), (Lines{" === JOB_READ done ===", "01:Read REG_0100   -> V1  ", "01:V1   = 77    ",
                                    "02:Read REG_0101   -> V2  ", "02:V2   = 65535 ", "03:Read REG_0102   -> V3  ",
                                    "03:REG_0102   :Read access NG !", "04:Read REG_0100   -> V101"}));
    EXPECT_EQ(run.vars.value(1), 77);
    EXPECT_TRUE(run.vars.isSet(1));
    EXPECT_EQ(run.vars.value(2), -1);  // the low 16 bits, signed
    EXPECT_FALSE(run.vars.isSet(3));
    EXPECT_EQ(ui.messages(), (Lines{" REG read is NG -> can't access .\n Check condition ! ", kReadVariableBox}));
    EXPECT_EQ(regs.accesses().size(), 3u);  // V101 is never read
    EXPECT_EQ(regs.accesses().front().flags, ecs::kAskMonitor);
}

TEST_F(VariableJobs, WriteSendsSetVariablesAndRefusesUnsetOrInvalidOnes) {
    define(0x0100);
    define(0x0101);
    regs.refuse(0x0101);
    run.vars.store(4, -12);
    run.vars.store(6, 8);
    auto step = stepOf(JOB_WRITE)
                    .with(Op::Registers, {0x0100, 0x0100, 0x0100, 0x0101})
                    .with(Op::Variables, {4, 5, 0, 6});
    EXPECT_EQ(runStep(step),
              (Lines{" === JOB_WRITE done ===", "01:V4   = -12    -> REG_0100   ", "01:REG_0100   :Write Value = -12   ",
                     "02:V5   = 0      -> REG_0100   ", "V5   does not set the value", "03:V0   = 0      -> REG_0100   ",
                     "04:V6   = 8      -> REG_0101   ", "04:REG_0101   :Write access NG !"}));
    EXPECT_EQ(regs.writes(), (Writes{{0x0100, -12}, {0x0101, 8}}));
    EXPECT_EQ(ui.messages(), (Lines{"V5   does not set the value\n Check KovEdit data ! ",
                                    " V_XX data is NG  -> can't write .\n Set KovEdit data V_(1-100)",
                                    " REG write is NG -> can't access .\n Check condition ! "}));
}

TEST_F(VariableJobs, MathLogsTheExpressionItsVariablesAndTheAssignment) {
    run.vars.store(1, 1);
    auto step = stepOf(JOB_MATH);
    step.expression = "V3=(V1+V2)*2";
    EXPECT_EQ(runStep(step), (Lines{" === JOB_MATH done ===", "V3=(V1+V2)*2                             ",
                                    "V1  :Value = 1     ", "V2  :Value is not set. ( =0 )", "V3  :Value = 2     "}));
    EXPECT_EQ(run.vars.value(3), 2);
    EXPECT_TRUE(run.vars.isSet(3));
}

TEST_F(VariableJobs, AblReadsTheChassisAblRegisterIntoAVariable) {
    model.chassis.specialRegisters[(modeldb::chassis::kAbl - modeldb::chassis::kSpecialRegisters) / 2] = 0x0203;
    regs.define(0x0203, "ABL", 140);
    EXPECT_EQ(runStep(stepOf(JOB_ABL).with(Op::Variable, {9})),
              (Lines{" === JOB_ABL done ===", "Read REG = ABL        -> V9  ", "V9   = 140   "}));
    EXPECT_EQ(run.vars.value(9), 140);
    EXPECT_TRUE(run.vars.isSet(9));

    EXPECT_EQ(runStep(stepOf(JOB_ABL).with(Op::Variable, {0})),
              (Lines{" === JOB_ABL done ===", "Read REG = ABL        -> V0  "}));
    regs.refuse(0x0203);
    EXPECT_EQ(runStep(stepOf(JOB_ABL).with(Op::Variable, {10})),
              (Lines{" === JOB_ABL done ===", "Read REG = ABL        -> V10 ", "ABL read is NG -> can't read ."}));
    EXPECT_FALSE(run.vars.isSet(10));
    EXPECT_EQ(ui.messages(), (Lines{kReadVariableBox, " ABL read is NG -> can't read .\n Check the condition ! "}));
}

TEST_F(VariableJobs, AModelWithoutAnAblRegisterReadsNothing) {
    regs.define(0x0000, "Reserved", 0);
    EXPECT_EQ(runStep(stepOf(JOB_ABL).with(Op::Variable, {9})),
              (Lines{" === JOB_ABL done ===", "Read REG = Reserved   -> V9  ", "ABL read is NG -> can't read ."}));
    EXPECT_TRUE(regs.accesses().empty());
    EXPECT_FALSE(run.vars.isSet(9));
}

TEST_F(VariableJobs, MaxMinPicksTheFirstOfEqualValues) {
    run.vars.store(3, 4);
    run.vars.store(5, 9);
    run.vars.store(7, 9);
    auto step = stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {1}).with(Op::InputVariables, {3, 5, 7}).with(Op::ResultVariable, {20});
    EXPECT_EQ(runStep(step), (Lines{" === JOB_MAX_MIN done ===", "V[3  ] = 4     ", "V[5  ] = 9     ", "V[7  ] = 9     ",
                                    "===== MAX MIN Data =====", "Max :V[5  ] = 9     ", "Min :V[3  ] = 4     ",
                                    "===== Result MAX data set =====", "Result V[20 ] = 9     "}));
    EXPECT_EQ(run.vars.value(20), 9);
    EXPECT_TRUE(run.vars.isSet(20));

    run.vars.store(8, 4);
    runStep(stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {2}).with(Op::InputVariables, {5, 3, 8}).with(Op::ResultVariable, {21}));
    EXPECT_EQ(lines()[6], "Min :V[3  ] = 4     ");
    EXPECT_EQ(lines()[7], "===== Result MIN Data set =====");
    EXPECT_EQ(run.vars.value(21), 4);
}

TEST_F(VariableJobs, MaxMinStopsCollectingAtAnUnsetInputAndWorksOnThoseBefore) {
    run.vars.store(1, 30);
    run.vars.store(2, -5);
    run.vars.store(4, 100);
    auto step =
        stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {2}).with(Op::InputVariables, {1, 2, 3, 4}).with(Op::ResultVariable, {9});
    const Lines lines = runStep(step);
    EXPECT_EQ(lines[3], "V[3  ] is NG -> not set value data .");
    EXPECT_EQ(lines[6], "Min :V[2  ] = -5    ");  // V4 was never collected
    EXPECT_EQ(lines.back(), "Result V[9  ] = -5    ");
    EXPECT_EQ(ui.messages(), Lines{"V[3  ] is NG -> not set value data .\n Check KovEdit data! "});

    ui.clear();
    EXPECT_EQ(runStep(stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {1}).with(Op::InputVariables, {3, 1}).with(Op::ResultVariable, {10})),
              (Lines{" === JOB_MAX_MIN done ===", "V[3  ] is NG -> not set value data ."}));
    EXPECT_FALSE(run.vars.isSet(10));
}

TEST_F(VariableJobs, MaxMinRefusesAnUnknownModeABadResultAndNoInputs) {
    run.vars.store(1, 1);
    EXPECT_EQ(runStep(stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {3}).with(Op::InputVariables, {1}).with(Op::ResultVariable, {2})),
              (Lines{" === JOB_MAX_MIN done ===", "JOB_MAX_MIN is NG -> not read max_or_min ."}));
    EXPECT_EQ(runStep(stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {1}).with(Op::InputVariables, {1}).with(Op::ResultVariable, {0})),
              (Lines{" === JOB_MAX_MIN done ===", "Result V is NG -> not set value data ."}));
    EXPECT_EQ(runStep(stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {1}).with(Op::ResultVariable, {2})),
              (Lines{" === JOB_MAX_MIN done ===", "Input V is NG -> not set value data ."}));
    EXPECT_FALSE(run.vars.isSet(2));
    EXPECT_EQ(ui.messages(), (Lines{" JOB_MAX_MIN is NG -> not read max_or_min .\n Check KovEdit data! ",
                                    "Result V is NG -> not set value data .\n Check KovEdit data! ",
                                    "Input V is NG -> not set value data .\n Check KovEdit data! "}));
}

TEST_F(VariableJobs, AnInputBeyondTheVariablesCountsAsNotSet) {
    auto step = stepOf(JOB_MAX_MIN).with(Op::MaxMinMode, {1}).with(Op::InputVariables, {200}).with(Op::ResultVariable, {2});
    EXPECT_EQ(runStep(step), (Lines{" === JOB_MAX_MIN done ===", "V[200] is NG -> not set value data ."}));
}

} // namespace
} // namespace procedure::testing
