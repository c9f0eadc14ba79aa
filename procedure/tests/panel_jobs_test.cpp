// Panel kinds, instruction messages, the product date, the generator kinds
// and the nested screens.
#include "job_fixture.h"

#include <algorithm>

#include "kit/model_kit.h"
#include "procedure/instruction_messages.h"
#include "procedure/job_kinds.h"
#include "procedure/product_date.h"
#include "siggen/manual_parameters.h"

namespace procedure::testing {
namespace {

using Writes = std::vector<std::pair<uint16_t, int32_t>>;
using Calls = std::vector<std::string>;

struct PanelJobs : JobFixture {
    PanelJobs() {
        kit::writeFile(kit::messageFilePath(folder.path(), 'a'),
                       kit::messageFileText({"$1:Turn the knob.\\nThen press OK.", "$2:Second text#hidden",
                                             "$5:First line\\nSecond line\\n#", "$7:continued", " here"}));
    }
};

TEST_F(PanelJobs, AdjustFillsThePanelThenButtonsSlidersAndMessagesInOrder) {
    run.panel.displayRegs[0] = 0x0300;  // left by an earlier step
    auto step = stepOf(JOB_ADJUST)
                    .with(Op::Keys, {1, 2, 3})
                    .with(Op::Jumps, {0, 0, 4})
                    .with(Op::Sliders, {0x0100, 0x0101})
                    .with(Op::Messages, {0x4101, 0x4102});
    EXPECT_EQ(runStep(step), (Lines{"Turn the knob.", "Then press OK.", "Second text#hidden"}));
    EXPECT_EQ(screen.calls, (Calls{"buttons", "sliders"}));
    const StepPanel& p = run.panel;
    EXPECT_EQ(p.keys, (std::array<uint8_t, 5>{1, 2, 3, 0, 0}));
    EXPECT_EQ(p.jumps, (std::array<int16_t, 5>{0, 0, 4, 0, 0}));
    EXPECT_EQ(p.sliderRegs, (std::array<int16_t, 8>{0x0100, 0x0101, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p.displayRegs[0], -1);
    EXPECT_EQ(p.messageCodes[2], -1);
}

TEST_F(PanelJobs, MessageStepHasNoSliders) {
    run.panel.sliderRegs[0] = 0x0100;
    EXPECT_EQ(runStep(stepOf(JOB_MESSAGE).with(Op::Keys, {1}).with(Op::Messages, {0x4105})),
              (Lines{"First line", "Second line"}));
    EXPECT_EQ(screen.calls, Calls{"buttons"});
    EXPECT_EQ(run.panel.sliderRegs[0], 0);
}

TEST_F(PanelJobs, AdjustMonitorReadsItsDisplaysAfterTheMessages) {
    define(0x0300, 315);
    define(0x0301, 600);
    define(0x0302, 7);
    auto step = stepOf(JOB_ADJUST_MONITOR)
                    .with(Op::Keys, {1})
                    .with(Op::Sliders, {0x0100})
                    .with(Op::Displays, {0x0300, 0x0301, -1, 0x0302})
                    .with(Op::DisplayDelays, {50, 0})
                    .with(Op::Messages, {0x4107});
    EXPECT_EQ(runStep(step), Lines{"continued here"});
    EXPECT_EQ(screen.calls, (Calls{"buttons", "sliders double", "displays"}));
    EXPECT_EQ(run.panel.displayCount, 2);
    EXPECT_EQ(run.panel.displayValues[0], 315);
    EXPECT_EQ(run.panel.displayValues[1], 600);
    EXPECT_EQ(clock.waits(), (std::vector<platform::FakeClock::Wait>{{kDisplayDelayWait, 50}}));
}

TEST_F(PanelJobs, AdjustAverageWritesItsRegisterBeforeEachReadAndShowsTheMean) {
    define(0x0300, 101);
    define(0x0301, 104);
    define(0x0120);
    auto step = stepOf(JOB_ADJUST_AVERAGE)
                    .with(Op::Keys, {1})
                    .with(Op::Sliders, {0x0100})
                    .with(Op::Displays, {0x0300, 0x0301})
                    .with(Op::AverageRegister, {0x0120})
                    .with(Op::AverageValue, {3});
    runStep(step);
    EXPECT_EQ(screen.calls, (Calls{"buttons", "sliders", "displays"}));
    EXPECT_EQ(regs.writes(), (Writes{{0x0120, 3}, {0x0120, 3}}));
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{300, 300, 300, 300}));
    EXPECT_EQ(run.panel.averageResult, 102);  // (101 + 104) / 2 in integers
    EXPECT_EQ(run.panel.displayCount, 2);
}

TEST_F(PanelJobs, AFailedDisplayReadIsMarkedAndShowsZero) {
    define(0x0300, 5);
    regs.refuse(0x0301);
    runStep(stepOf(JOB_ADJUST_MONITOR).with(Op::Displays, {0x0300, 0x0301}));
    EXPECT_TRUE(run.panel.displayRead[0]);
    EXPECT_FALSE(run.panel.displayRead[1]);
    EXPECT_EQ(run.panel.displayValues[1], 0);
}

TEST_F(PanelJobs, ProductDateShowsMessagesThenButtonsThenTheFields) {
    auto step = stepOf(JOB_PRODUCT_DATE)
                    .with(Op::Keys, {1, 2})
                    .with(Op::ProductDateRegisters, {0x0500, 0x0501, 0x0502, 0x0503, 0x0504, 0x0505})
                    .with(Op::Messages, {0x4101});
    EXPECT_EQ(runStep(step).size(), 2u);
    EXPECT_EQ(screen.calls, (Calls{"buttons", "date fields"}));
    EXPECT_TRUE(run.panel.productDateMode);
    EXPECT_EQ(run.panel.productDateRegs[5], 0x0505);
}

TEST_F(PanelJobs, AMessageOfAMissingFileOrNumberShowsNothing) {
    EXPECT_TRUE(runStep(stepOf(JOB_MESSAGE).with(Op::Messages, {0x4109, 0x5A01, 0x0001})).empty());
    EXPECT_EQ(ui.messages().size(), 1u);  // pelaro_z.msg is missing; code 0x0001 names no file
    EXPECT_EQ(ui.messages()[0].rfind("FILE OPEN ERR(", 0), 0u);
}

TEST(InstructionLines, SplitAtBackslashNAndStopAtHash) {
    EXPECT_EQ(instructionLines("$5:First line\\nSecond line\\n#"), (Lines{"First line", "Second line"}));
    EXPECT_EQ(instructionLines("$5:#nothing"), Lines{});
    EXPECT_EQ(instructionLines("$5:a:b\\n\\nc"), (Lines{"a:b", "", "c"}));
    EXPECT_EQ(instructionLines("$5:tail\\n"), (Lines{"tail", ""}));
    EXPECT_EQ(instructionLines(""), Lines{});
}

struct ProductDate : JobFixture {
    StepPanel panel;
    ProductDate() {
        panel.productDateRegs = {0x0500, 0x0501, 0x0502, 0x0503, 0x0504, 0x0505};
        for (uint16_t c = 0x0500; c <= 0x0505; ++c) define(c);
    }
};

TEST_F(ProductDate, WritesYearSince1990WeekAndSerialBytesLowestFirst) {
    writeProductDate(panel, {"2003", "27", "16909060"}, regs, ui);  // 0x01020304
    EXPECT_EQ(regs.writes(), (Writes{{0x0500, 13}, {0x0501, 27}, {0x0502, 4}, {0x0503, 3}, {0x0504, 2}, {0x0505, 1}}));
    int resets = 0;
    for (const auto& a : regs.accesses()) {
        if (a.kind == ecs::MemoryRegisters::Access::Kind::ResetTransfer) ++resets;
        if (a.kind == ecs::MemoryRegisters::Access::Kind::Write) {
            EXPECT_EQ(resets, 1);  // one reset before each write
            EXPECT_EQ(a.flags, ecs::kSendNow);
            resets = 0;
        }
    }
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ProductDate, AnEarlyYearOrABadWeekIsBoxedAndWrittenAsZero) {
    writeProductDate(panel, {"1989", "54", "0"}, regs, ui);
    EXPECT_EQ(regs.writes()[0], (std::pair<uint16_t, int32_t>{0x0500, 0}));
    EXPECT_EQ(regs.writes()[1], (std::pair<uint16_t, int32_t>{0x0501, 0}));
    EXPECT_EQ(ui.messages(), (Lines{"Product Year Err!", "Product Week Err!"}));
    ui.clear();
    writeProductDate(panel, {"1990", "-1", " 7 units"}, regs, ui);
    EXPECT_EQ(ui.messages(), Lines{"Product Week Err!"});
    EXPECT_EQ(regs.value(0x0502), 7);
}

TEST_F(ProductDate, TextThatIsNotANumberIsRefusedAndTheSerialKept) {
    regs.set(0x0502, 99);
    writeProductDate(panel, {"year", "", "abc"}, regs, ui);
    EXPECT_EQ(ui.messages(), (Lines{"Product Year Err!", "Product Week Err!", "Product Serial Err!"}));
    EXPECT_EQ(regs.writes().size(), 2u);
    EXPECT_EQ(regs.value(0x0502), 99);
}

TEST_F(PanelJobs, IreSetSelectsSpecialWhiteAndAppliesIt) {
    EXPECT_EQ(runStep(stepOf(JOB_IRE_SET).with(Op::IreLevel, {70}).with(Op::BoxSize, {25})),
              (Lines{" === JOB_IRE_SET done ===", "Set IRE =  70", "Set BOX =  25"}));
    EXPECT_EQ(sg.specialWhiteLevel(), 70);
    EXPECT_EQ(sg.specialWhiteBox(), 25);
    ASSERT_EQ(driver.applies(), 1u);
    EXPECT_EQ(driver.selections[0].pattern, siggen::kPatternSpecialWhite);
    EXPECT_TRUE(driver.patternOnly[0]);
    EXPECT_EQ(run.generator.lastPattern, 13);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(ui.manualParameters().empty());

    // Applied again even when pattern 13 is already in force.
    runStep(stepOf(JOB_IRE_SET).with(Op::IreLevel, {40}).with(Op::BoxSize, {25}));
    EXPECT_EQ(driver.applies(), 2u);
}

TEST_F(PanelJobs, IreSetBoxesLevelsOutsidePercentAndGoesOn) {
    runStep(stepOf(JOB_IRE_SET).with(Op::IreLevel, {120}).with(Op::BoxSize, {-1}));
    EXPECT_EQ(ui.messages(), (Lines{" IRE data is NG  -> can't set .\n Set KovEdit data [IRE]",
                                    " IRE data is NG  -> can't set .\n Set KovEdit data [IRE]"}));
    EXPECT_EQ(sg.specialWhiteLevel(), 100);
    EXPECT_EQ(sg.specialWhiteBox(), 0);
    EXPECT_EQ(driver.applies(), 1u);
}

TEST_F(PanelJobs, IreSetOnAManualGeneratorShowsTheParametersWithTheLevel) {
    sg.SgSelect(siggen::kSgKindManual, 0, 0);
    runStep(stepOf(JOB_IRE_SET).with(Op::IreLevel, {50}).with(Op::BoxSize, {10}));
    ASSERT_EQ(ui.manualParameters().size(), 1u);
    const auto& rows = ui.manualParameters()[0].rows;
    auto info = std::find_if(rows.begin(), rows.end(), [](const core::ParameterRow& r) { return r.item == "Information"; });
    ASSERT_NE(info, rows.end());
    EXPECT_EQ(info->value, " 50[IRE], 10[%]");
}

TEST_F(PanelJobs, SgSetSwitchesOnAndRemembersTheGivenPatternRegisters) {
    define(0x0600);
    run.generator.patternRegisters = {0x0700, 0x0701, 0x0702};
    runStep(stepOf(JOB_SG_SET).with(Op::SwitchRegister, {0x0600}).with(Op::PatternRegisters, {0x0610, -1, 0x0612}));
    EXPECT_EQ(regs.writes(), (Writes{{0x0600, 1}}));
    EXPECT_EQ(run.generator.patternRegisters, (std::array<int16_t, 3>{0x0610, 0x0701, 0x0612}));
    EXPECT_EQ(run.generator.patternOn, (std::array<bool, 3>{true, false, true}));

    EXPECT_EQ(runStep(stepOf(JOB_SG_SET)), Lines{" === JOB_SG_SET done ==="});
    EXPECT_TRUE(regs.writes().empty());
}

TEST_F(PanelJobs, FactoryAndFailureJobsOpenTheirNestedScreens) {
    EXPECT_EQ(runStep(stepOf(JOB_FACTORY)), Lines{" === JOB_FACTORY done ==="});
    EXPECT_EQ(runStep(stepOf(JOB_FAIL_INFO)), Lines{" === JOB_FAIL_INFO done ==="});
    sg.SgSelect(siggen::kSgKindAppliance, 0, 0);
    runStep(stepOf(JOB_FACTORY));
    EXPECT_EQ(nested.opened, (Calls{"factory preset", "failure", "appliance preset"}));
}

} // namespace
} // namespace procedure::testing
