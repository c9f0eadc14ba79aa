// The DCnv kinds and the DCnv state.
#include "job_fixture.h"

#include "procedure/job_kinds.h"

namespace procedure::testing {
namespace {

using Writes = std::vector<std::pair<uint16_t, int32_t>>;
using Calls = std::vector<std::string>;
using DcnvJobs = JobFixture;

TEST_F(DcnvJobs, ConditionStoresTheGridAndShowsThePointWindow) {
    run.dcnv.pointColumn = 3;
    EXPECT_EQ(runStep(stepOf(JOB_DCNV_COND)
                          .with(Op::GridColumns, {5})
                          .with(Op::GridRows, {3})
                          .with(Op::BypassTable, {40, 41, 42})
                          .with(Op::ConditionWord, {0x0720})),
              Lines{" === JOB_DCNV_COND done ==="});
    const DcnvState& d = run.dcnv;
    EXPECT_TRUE(d.conditionSet);
    EXPECT_EQ(d.columns, 5);
    EXPECT_EQ(d.rows, 3);
    EXPECT_EQ(d.conditionWord, 0x0720);
    EXPECT_EQ(d.pointColumn, 0);
    EXPECT_EQ(d.bypass[2], 42);
    EXPECT_EQ(d.bypass[3], 0);
    EXPECT_EQ(screen.calls, Calls{"point window"});
}

TEST_F(DcnvJobs, ResetWritesRunsOfConsecutiveRegisters) {
    for (uint16_t c = 0x0210; c <= 0x0213; ++c) define(c);
    define(0x0300);
    auto step = stepOf(JOB_DCNV_RST)
                    .with(Op::RunRegisters, {0x0210, 0x0300, 0, 0x0400})
                    .with(Op::RunValues, {64, -2, 0, 1})
                    .with(Op::RunCounts, {3, 1, 0, 5});
    EXPECT_EQ(runStep(step), (Lines{" === JOB_DCNV_RST done ===", "INIT REG = REG_0210   :Value = 64     ",
                                    "INIT REG = REG_0211   :Value = 64     ", "INIT REG = REG_0212   :Value = 64     ",
                                    "INIT REG = REG_0300   :Value = -2     "}));
    EXPECT_EQ(regs.writes(), (Writes{{0x0210, 64}, {0x0211, 64}, {0x0212, 64}, {0x0300, -2}}));
}

TEST_F(DcnvJobs, ARunCountOfZeroWrites256Registers) {
    for (int c = 0; c < 256; ++c) define(static_cast<uint16_t>(0x0F80 + c));
    runStep(stepOf(JOB_DCNV_RST).with(Op::RunRegisters, {0x0F80}).with(Op::RunValues, {9}).with(Op::RunCounts, {0}));
    const Writes writes = regs.writes();
    ASSERT_EQ(writes.size(), 256u);
    EXPECT_EQ(writes.front().first, 0x0F80);
    EXPECT_EQ(writes.back().first, 0x107F);
    EXPECT_EQ(lines().size(), 257u);
}

TEST_F(DcnvJobs, AFailedResetWriteIsLoggedAndTheRunGoesOn) {
    define(0x0211);
    runStep(stepOf(JOB_DCNV_RST).with(Op::RunRegisters, {0x0210}).with(Op::RunValues, {1}).with(Op::RunCounts, {2}));
    EXPECT_EQ(lines(), (Lines{" === JOB_DCNV_RST done ===", "INIT REG =            :Value = 1      ",
                              "           :Write access NG !", "INIT REG = REG_0211   :Value = 1      "}));
}

TEST_F(DcnvJobs, AdjustWithoutConditionOffersOnlyTheFirstTwoKeys) {
    run.panel.keys = {6, 6, 6, 6, 6};  // an earlier step's buttons
    auto step = stepOf(JOB_DCNV_ADJUST).with(Op::Keys, {1, 2, 3, 4, 5}).with(Op::Jumps, {7, 8, 9, 10, 11});
    EXPECT_EQ(runStep(step), Lines{"Dcnv Condtion (JOB) is not set ."});
    EXPECT_EQ(ui.messages(), Lines{"Dcnv Condtion (JOB) is not set .\n Check KovEdit data !!! "});
    EXPECT_EQ(run.panel.keys, (std::array<uint8_t, 5>{1, 2, 0, 0, 0}));
    EXPECT_EQ(run.panel.jumps, (std::array<int16_t, 5>{7, 8, 0, 0, 0}));
    EXPECT_EQ(screen.calls, Calls{"buttons"});
}

TEST_F(DcnvJobs, AdjustMarksThePointAndOffersFourKeysAndFourSliders) {
    run.dcnv.conditionSet = true;
    run.panel.messageCodes.fill(0x4101);  // an earlier step's messages
    auto step = stepOf(JOB_DCNV_ADJUST)
                    .with(Op::PointColumn, {2})
                    .with(Op::PointRow, {3})
                    .with(Op::Keys, {1, 2, 17, 6, 5})
                    .with(Op::Jumps, {0, 0, 0, 0, 30})
                    .with(Op::Sliders, {0x0800, 0x0801, 0x0802, 0x0803, 0x0804, 0x0805})
                    .with(Op::Messages, {-1});
    EXPECT_TRUE(runStep(step).empty());
    EXPECT_EQ(run.dcnv.pointColumn, 2);
    EXPECT_EQ(run.dcnv.pointRow, 3);
    EXPECT_EQ(run.panel.keys, (std::array<uint8_t, 5>{1, 2, 17, 6, 0}));
    EXPECT_EQ(run.panel.sliderRegs, (std::array<int16_t, 8>{0x0800, 0x0801, 0x0802, 0x0803, 0, 0, 0, 0}));
    EXPECT_EQ(run.panel.messageCodes[5], -1);
    EXPECT_EQ(screen.calls, (Calls{"mark point", "buttons", "sliders"}));
}

TEST(DcnvState, TableColumnsPointRegistersAndBypassJumps) {
    DcnvState d;
    kit::PrcStepSpec spec = stepOf(JOB_DCNV_DATA);
    std::vector<int32_t> values;
    for (int h = 0; h < kDcnvTableRows; ++h) values.push_back(0x0900 + h);
    spec.with(Op::DcnvColumn, {2}).with(Op::DcnvValues, values);
    const kit::Bytes record = kit::prcStepRecord(spec);
    ASSERT_TRUE(d.fillColumn(decodePrcStep(record.data(), record.size())));
    EXPECT_EQ(d.table[0][1], 0x0900);
    EXPECT_EQ(d.table[47][1], 0x092F);
    EXPECT_EQ(d.pointRegister(49), 0x0900);  // (49 - 1) mod 48 = 0, (49 - 1) div 48 = 1
    EXPECT_EQ(d.pointRegister(96), 0x092F);
    EXPECT_EQ(d.pointRegister(192), 0);
    EXPECT_FALSE(d.pointRegister(193));
    EXPECT_FALSE(d.pointRegister(0));

    for (int column : {0, 5, -1}) {
        spec.operands[0].second = {column};
        const kit::Bytes bad = kit::prcStepRecord(spec);
        EXPECT_FALSE(d.fillColumn(decodePrcStep(bad.data(), bad.size()))) << column;
    }

    d.columns = 4;
    EXPECT_EQ(d.pointNumber(2, 3), 7);
    d.bypass[1] = 44;
    d.pointRow = 2;
    EXPECT_EQ(d.bypassJump(), 44);
    d.pointRow = 16;
    EXPECT_EQ(d.bypassJump(), 0);
}

} // namespace
} // namespace procedure::testing
