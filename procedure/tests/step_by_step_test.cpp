// The step runner over a monitor in memory: procedures written by the kit,
// read back, and run with scripted input events.
#include <gtest/gtest.h>

#include "job_fixture.h"
#include "kit/prc_file.h"
#include "modeldb/chassis_layout.h"
#include "procedure/job_kinds.h"
#include "procedure/step_by_step.h"
#include "procedure/step_generator.h"
#include "procedure/step_status.h"

namespace procedure::testing {
namespace {

using core::InputEvent;
using core::Key;
using Writes = std::vector<std::pair<uint16_t, int32_t>>;

constexpr uint16_t kMode = 0x0401, kHFreq = 0x0300, kVFreq = 0x0301, kSync = 0x0400;
constexpr uint8_t kOk = kKeyOk, kCancel = kKeyCancel, kReadjust = kKeyReadjust;

kit::PrcStepSpec regWrite(uint16_t reg, int32_t value, const char* name = "write") {
    return stepOf(JOB_REG_WRITE, name).with(Op::Registers, {reg}).with(Op::Values, {value});
}

kit::PrcStepSpec message(std::vector<int32_t> keys, std::vector<int32_t> jumps = {}, const char* name = "message") {
    return stepOf(JOB_MESSAGE, name).with(Op::Keys, std::move(keys)).with(Op::Jumps, std::move(jumps));
}

struct StepRun : JobFixture {
    std::unique_ptr<StepByStep> sbs;

    StepRun() {
        for (int i = 0; i < 3; ++i) {
            modeldb::ModelTiming& t = model.image.presets[static_cast<size_t>(i)];
            t.name = core::strf("Preset %d", i + 1);
            t.dotClock = 25.175f;
            t.hFrequency = 31.469f;
            t.vFrequency = 60.0f;
            t.h = {800, 160, 16, 96, 48, 640};
            t.v = {525, 45, 10, 2, 33, 480};
        }
        model.image.presetCount = 3;
        model.image.adjustTimings[0] = model.image.presets[1];
        model.image.adjustTimings[0].name = "Adjust 1";
        model.image.adjustCount = 1;
        model.image.primeMode = 2;
        for (uint16_t code = 0x0100; code < 0x0110; ++code) define(code, 0x10 + (code & 0x0F));
    }

    void setChassis(size_t offset, int16_t code) {
        model.chassis.specialRegisters[(offset - modeldb::chassis::kSpecialRegisters) / 2] = code;
    }
    void statusRegisters() {
        regs.define(kMode, "ModeNo", 2);
        regs.define(kHFreq, "H-Freq", 315, 0, 0xFFFF);
        regs.define(kVFreq, "V-Freq", 5994, 0, 0xFFFF);
        regs.define(kSync, "SyncPol", 0b1001);
        setChassis(modeldb::chassis::kModeNumber, kMode);
        setChassis(modeldb::chassis::kHFrequency, kHFreq);
        setChassis(modeldb::chassis::kVFrequency, kVFreq);
        setChassis(modeldb::chassis::kSyncPolarity, kSync);
    }

    ProcedureChoice write(int16_t end, std::vector<kit::PrcStepSpec> steps, const std::string& title = "Test run") {
        kit::PrcFileSpec f;
        f.title = title;
        f.endStep = end;
        f.steps = std::move(steps);
        ProcedureChoice c;
        c.name = "TEST";
        c.path = folder.path() + "/PELARO/PRC/TEST.PRC";
        c.file = folder.file("TEST.PRC");
        EXPECT_TRUE(kit::writeFile(c.file, kit::prcFile(f)));
        return c;
    }
    StepByStep& start(int16_t end, std::vector<kit::PrcStepSpec> steps) {
        const ProcedureChoice c = write(end, std::move(steps));
        regs.clearAccesses();
        sbs = std::make_unique<StepByStep>(context, nested);
        sbs->open(c);
        return *sbs;
    }
    bool press(const InputEvent& e) { return sbs->handle(e); }
    Lines shownLog() const { return Lines(sbs->log().lines().begin(), sbs->log().lines().end()); }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& b : sbs->buttons())
            if (b.visible) out.push_back(b.caption);
        return out;
    }
};

// ---- Running and ending ----

TEST_F(StepRun, EndOfOneClosesAtOnceWithoutRunningAStep) {
    StepByStep& s = start(1, {regWrite(0x0100, 5)});
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), StepByStep::kEnded);
    EXPECT_TRUE(regs.accesses().empty());
    EXPECT_EQ(driver.applies(), 0u);
}

TEST_F(StepRun, AutomaticStepsRunToEndAndSkippedSlotsLogTheirSkip) {
    StepByStep& s = start(6, {regWrite(0x0100, 1), stepOf(JOB_SKIP), regWrite(0x0101, 2)});
    // Steps 4 and 5 lie beyond the file and are skipped too.
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), StepByStep::kEnded);
    EXPECT_EQ(regs.writes(), (Writes{{0x0100, 1}, {0x0101, 2}}));
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(StepRun, AJumpBeyondEndAsksAndCloses) {
    define(0x0200, 3);
    define(0x0201, 9);
    define(0x0202, 7);
    ui.answerYesNo(false);
    // The key jumps to 40 while END is 5.
    StepByStep& s = start(5, {message({kOk}, {40})});
    ASSERT_TRUE(s.waiting());
    press(InputEvent::press(Key::F1));
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), StepByStep::kCancelled);
    EXPECT_EQ(ui.questions(), Lines{"JUMP NO is NG \nPRC JMP NO =  40 \nPRC END NO =   5"});
}

TEST_F(StepRun, AProcedureFileThatCannotBeReadIsReportedAndNothingRuns) {
    ProcedureChoice c;
    c.path = "/nowhere/GONE.PRC";
    c.file = "/nowhere/GONE.PRC";
    StepByStep s(context, nested);
    s.open(c);
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(ui.messages(), Lines{"/nowhere/GONE.PRC file is not opend.\n\n Please check file and directory!"});
}

TEST_F(StepRun, AnAutomaticLoopWithoutEndIsStopped) {
    define(0x0200, 1);
    define(0x0201, 2);
    define(0x0202, 3);
    // Step 2 picks the minimum, register 0x0200, whose jump leads back to step 2.
    StepByStep& s = start(10, {regWrite(0x0100, 1), stepOf(JOB_RGB_MIN_JMP)
                                                        .with(Op::Registers, {0x0200, 0x0201, 0x0202})
                                                        .with(Op::Jumps, {2, 3, 4})});
    EXPECT_TRUE(s.closed());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_NE(ui.messages()[0].find("too many automatic steps"), std::string::npos);
}

TEST_F(StepRun, CaptionDropsOnlyADriveAndPadsTheTitle) {
    EXPECT_EQ(stepByStepCaption("C:\\PELARO\\PRC\\A.PRC", "Title"),
              " \\PELARO\\PRC\\A.PRC:Title" + std::string(25, ' '));
    EXPECT_EQ(stepByStepCaption("/st/A.PRC", "T"), " /st/A.PRC      :T" + std::string(29, ' '));
}

// ---- The generator and the waits ----

TEST_F(StepRun, SignalSettingsAreSentWhenTheyChangeAndPattern14Always) {
    auto step = [](uint8_t t, uint8_t p, uint8_t c) {
        kit::PrcStepSpec s = stepOf(JOB_MATH, "math");
        s.expression = "V1=1";
        s.signal = t;
        s.pattern = p;
        s.colour = c;
        return s;
    };
    start(7, {step(1, 2, 3), step(1, 2, 3), step(201, 255, 12), step(101, 14, 255), step(255, 14, 255),
              step(255, 255, 255)});
    ASSERT_EQ(driver.applies(), 4u);
    EXPECT_EQ(driver.timings[0].name, "Preset 1");
    EXPECT_EQ(driver.selections[0], (siggen::SgPatternSelection{2, 3, 0}));
    EXPECT_EQ(driver.timings[1].name, "Preset 2");  // 201: the prime timing, 2
    EXPECT_EQ(driver.selections[1], (siggen::SgPatternSelection{2, 2, 1}));  // colour 12: 2 inverted
    EXPECT_EQ(driver.timings[2].name, "Adjust 1");
    EXPECT_EQ(driver.selections[2].pattern, siggen::kPatternSpecialWhite);
    EXPECT_EQ(driver.selections[3].pattern, siggen::kPatternSpecialWhite);  // 14 again: sent again
    EXPECT_EQ(sg.specialWhiteLevel(), 100);
    EXPECT_EQ(sg.specialWhiteBox(), 50);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(StepRun, NumbersNotAllowedAreBoxedAndTheStepStillRuns) {
    auto step = [](uint8_t t, uint8_t p, uint8_t c) {
        kit::PrcStepSpec s = regWrite(0x0100, 7);
        s.signal = t;
        s.pattern = p;
        s.colour = c;
        return s;
    };
    start(4, {step(4, 255, 255), step(255, 17, 255), step(255, 255, 7)});
    const char* failed = " SG set is NG -> can't set .\n Check KovEdit data ";
    EXPECT_EQ(ui.messages(), (Lines{"SIGNAL No.[  4] is not allowed ! \n Check the data. ", failed,
                                    "PATTERN No.[ 17] is not allowed ! \n Check the data. ", failed,
                                    "RGB No.[  7] is not allowed ! \n Check the data. ", failed}));
    EXPECT_EQ(regs.writes().size(), 3u);
    EXPECT_EQ(driver.applies(), 0u);
}

TEST_F(StepRun, AHandSetGeneratorShowsItsTableAfterEachChange) {
    sg.SgSelect(siggen::kSgKindManual, 0, 0);
    kit::PrcStepSpec s = regWrite(0x0100, 1);
    s.signal = 2;
    start(3, {s, regWrite(0x0100, 2)});
    ASSERT_EQ(ui.manualParameters().size(), 1u);
}

TEST_F(StepRun, TheApplianceKindSwitchesItsInternalPatternsByColour) {
    sg.SgSelect(siggen::kSgKindAppliance, 0, 0);
    define(0x0210);
    define(0x0211);
    define(0x0212);
    auto colour = [](uint8_t c) {
        kit::PrcStepSpec s = stepOf(JOB_MATH);
        s.expression = "V1=1";
        s.colour = c;
        return s;
    };
    // JOB_SG_SET marks all three on; colour 0 wants (on, off, off); colour 3 all on again.
    start(5, {stepOf(JOB_SG_SET).with(Op::SwitchRegister, {-1}).with(Op::PatternRegisters, {0x0210, 0x0211, 0x0212}),
              colour(0), colour(5), colour(3)});
    EXPECT_EQ(regs.writes(), (Writes{{0x0211, 1}, {0x0212, 1}, {0x0211, 1}, {0x0212, 1}}));
    EXPECT_EQ(driver.applies(), 0u);
}

TEST_F(StepRun, WaitCodesPauseByTheirTableAndNameTheWait) {
    EXPECT_EQ(waitCodeMs(0), 0u);
    EXPECT_EQ(waitCodeMs(41), 0u);
    EXPECT_EQ(waitCodeMs(255), 0u);
    const std::pair<int, uint32_t> table[] = {{1, 10},     {10, 100},    {11, 150},    {18, 500},
                                              {19, 600},   {23, 1000},   {24, 1500},   {31, 5000},
                                              {32, 6000},  {36, 10000},  {37, 15000},  {40, 30000}};
    for (const auto& [code, ms] : table) EXPECT_EQ(waitCodeMs(code), ms) << code;

    auto waiting = [](uint8_t code) {
        kit::PrcStepSpec s = regWrite(0x0100, 1);
        s.waitCode = code;
        return s;
    };
    start(5, {waiting(0), waiting(41), waiting(20), waiting(40)});
    EXPECT_EQ(clock.waitsNamed(kStepWait), (std::vector<uint32_t>{700, 30000}));
}

// ---- Status ----

TEST_F(StepRun, StatusTextFollowsPolarityBitsAndHashNames) {
    StepStatusValues v;
    v.mode = 4;
    v.hFrequency = 315;
    v.vFrequency = 5994;
    v.polarity = 0b1001;  // H bit set, V clear, sync kind 2
    EXPECT_EQ(stepStatusText(v), "Mode :5  \r\nHFre :-31.50[KHz]\r\nVFre :+59.94[Hz]\r\nSync :Comp");
    v.hFrequencyHash = v.vFrequencyHash = true;
    v.polarityHash = true;  // four-bit sync kind: 2 is still "Comp"
    EXPECT_EQ(stepStatusText(v), "Mode :5  \r\nHFre :+31.50[KHz]\r\nVFre :-59.94[Hz]\r\nSync :Comp");
    v.polarity = 10 << 2;
    EXPECT_EQ(stepStatusText(v), "Mode :5  \r\nHFre :-31.50[KHz]\r\nVFre :-59.94[Hz]\r\nSync :Ext");
    v.polarityHash = false;
    v.polarity = 1 << 2;  // two-bit kind 1: no sync text
    EXPECT_EQ(stepStatusText(v), "Mode :5  \r\nHFre :-31.50[KHz]\r\nVFre :-59.94[Hz]\r\n");
    EXPECT_EQ(stepStatusText(StepStatusValues{}), "Mode :\r\nHFre :\r\nVFre :\r\n");
}

TEST_F(StepRun, StatusIsReadBeforeTheStepRuns) {
    statusRegisters();
    StepByStep& s = start(3, {message({kOk})});
    EXPECT_EQ(s.statusText(), "Mode :3  \r\nHFre :-31.50[KHz]\r\nVFre :+59.94[Hz]\r\nSync :Comp");
    EXPECT_EQ(s.stepNumberText(), " Step No =   1 ");
    EXPECT_EQ(s.stepNameText(), " message             ");
}

// ---- Keys and jumps ----

TEST_F(StepRun, KeysChooseTheNextStep) {
    StepByStep& s = start(9, {message({kOk, 21, kCancel}, {0, 5, 0}, "first"), message({kOk}, {}, "second"),
                              regWrite(0x0100, 3), message({kOk}, {}, "fourth"), message({kOk, kReadjust}, {0, 1}, "fifth")});
    ASSERT_TRUE(s.waiting());
    EXPECT_EQ(captions(), (Lines{"OK", "NEXT", "CANCEL"}));
    EXPECT_TRUE(press(InputEvent::press(Key::F1)));  // jump 0: the next step
    EXPECT_EQ(s.run().currentStep, 2);
    EXPECT_TRUE(press(InputEvent::click("OK")));      // through step 3 to 4
    EXPECT_EQ(s.run().currentStep, 4);
    EXPECT_EQ(regs.writes(), (Writes{{0x0100, 3}}));
    EXPECT_TRUE(press(InputEvent::press(Key::F2)));  // no second button
    EXPECT_EQ(ui.messages(), Lines{"Can't use F-X key! "});
    EXPECT_TRUE(press(InputEvent::charKey('K')));
    EXPECT_EQ(s.run().currentStep, 5);
    EXPECT_TRUE(press(InputEvent::charKey('J')));  // READJUST leads back to step 1
    EXPECT_EQ(s.run().currentStep, 1);
    EXPECT_TRUE(press(InputEvent::press(Key::F2)));  // NEXT: step 5
    EXPECT_EQ(s.run().currentStep, 5);
    EXPECT_EQ(s.stepNameText(), " fifth               ");
    EXPECT_TRUE(press(InputEvent::charKey('J')));
    EXPECT_TRUE(press(InputEvent::press(Key::F3)));  // CANCEL
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), StepByStep::kCancelled);
}

TEST_F(StepRun, LetterKeysPressEveryButtonOfTheirKeyInTurn) {
    // Both buttons of step 1 are OK: the first leads to step 2, whose first
    // key is not OK, so the walk goes on with step 2's second button.
    StepByStep& s = start(9, {message({kOk, kOk}, {0, 7}), message({21, kOk}, {3, 4}), message({kOk}),
                              message({kOk}, {}, "fourth")});
    press(InputEvent::charKey('K'));
    EXPECT_EQ(s.run().currentStep, 4);
}

TEST_F(StepRun, AnInteractiveStepWithoutKeysEndsOnlyByEscape) {
    StepByStep& s = start(3, {message({})});
    ASSERT_TRUE(s.waiting());
    EXPECT_TRUE(captions().empty());
    press(InputEvent::press(Key::F1));
    press(InputEvent::press(Key::Enter));
    EXPECT_FALSE(s.closed());
    press(InputEvent::press(Key::Escape));
    EXPECT_TRUE(s.closed());
}

TEST_F(StepRun, LogShowsTheLinesOfTheStepWhereTheRunStops) {
    StepByStep& s = start(4, {regWrite(0x0100, 9), stepOf(JOB_READ).with(Op::Registers, {0x0101}).with(Op::Variables, {4}),
                              message({kOk})});
    EXPECT_TRUE(s.logVisible());
    EXPECT_TRUE(shownLog().empty());
    EXPECT_EQ(s.run().vars.value(4), 0x11);
}

// ---- Debug mode ----

TEST_F(StepRun, DebugModeStopsAtEveryStepAndShowsTheJumps) {
    flags.debug = true;
    StepByStep& s = start(4, {regWrite(0x0100, 1), stepOf(JOB_FAIL_INFO), message({kOk, 21, kCancel}, {0, 0, 0})});
    ASSERT_TRUE(s.waiting());
    EXPECT_TRUE(s.cancelDebugVisible());
    EXPECT_EQ(captions(), (Lines{"OK", "CANCEL"}));
    EXPECT_TRUE(s.jumpBoxesVisible());
    EXPECT_EQ(s.jump(0), 2);
    EXPECT_EQ(s.jump(1), 0);
    EXPECT_EQ(regs.writes(), (Writes{{0x0100, 1}}));
    press(InputEvent::press(Key::F1));
    EXPECT_EQ(s.run().currentStep, 2);
    EXPECT_EQ(captions(), Lines{"OK"});  // JOB_FAIL_INFO: OK only
    EXPECT_EQ(nested.opened, Lines{"failure"});
    EXPECT_TRUE(ui.messages().empty());
    press(InputEvent::press(Key::F1));
    // NEXT without a jump is not registered.
    EXPECT_EQ(ui.messages(), Lines{" JUMP data is NG -> not registered !\n Check KovEdit data! "});
    EXPECT_EQ(shownLog().front(), "Jump2 :not registered ");
    EXPECT_EQ(s.jump(0), 4);
    ui.clear();
    press(InputEvent::press(Key::F1));  // to END: the debug box
    EXPECT_EQ(ui.messages(), Lines{" Debug Mode : Prodedure END ! "});
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), StepByStep::kEnded);
}

TEST_F(StepRun, CancelDebugClosesTheScreen) {
    flags.debug = true;
    StepByStep& s = start(4, {regWrite(0x0100, 1)});
    EXPECT_FALSE(press(InputEvent::click("Save")));  // no point window
    EXPECT_TRUE(press(InputEvent::click("CANCEL(DEBUG)")));
    EXPECT_TRUE(s.closed());
    flags.debug = false;
    StepByStep& t = start(4, {message({kOk})});
    EXPECT_FALSE(t.cancelDebugVisible());
    EXPECT_FALSE(press(InputEvent::click("CANCEL(DEBUG)")));
}

// ---- Sliders and displays ----

TEST_F(StepRun, SliderKeysStayWithinTheLimitsOfTheRegister) {
    regs.define(0x0300, "Gain", 250, 0, 255);
    regs.define(0x0301, "Centre", 0xFA, -32, 31);  // a signed byte: -6
    StepByStep& s = start(3, {stepOf(JOB_ADJUST).with(Op::Sliders, {0x0300, 0x0301}).with(Op::Keys, {kOk})});
    ASSERT_EQ(s.sliders().count(), 2);
    EXPECT_EQ(s.sliders().slider(0).name, "Gain  ");
    EXPECT_EQ(s.sliders().slider(0).valueText, "250  ");
    EXPECT_EQ(s.sliders().slider(1).value, -6);
    EXPECT_FALSE(press(InputEvent::press(Key::Up)));  // no slider selected
    regs.clearAccesses();
    press(InputEvent::charKey('Q'));  // selecting writes the value again
    EXPECT_EQ(regs.writes(), (Writes{{0x0300, 250}}));
    press(InputEvent::press(Key::PageUp));  // maximum - 5 + 20: the maximum
    EXPECT_EQ(s.sliders().slider(0).value, 255);
    press(InputEvent::press(Key::Up));
    EXPECT_EQ(s.sliders().slider(0).value, 255);
    press(InputEvent::press(Key::End));
    press(InputEvent::press(Key::Down));
    EXPECT_EQ(s.sliders().slider(0).value, 0);
    press(InputEvent::press(Key::Home));
    press(InputEvent::press(Key::PageDown));
    EXPECT_EQ(regs.value(0x0300), 235);
    press(InputEvent::charKey('W'));
    press(InputEvent::press(Key::PageDown));
    press(InputEvent::press(Key::PageDown));
    EXPECT_EQ(s.sliders().slider(1).value, -32);
    EXPECT_EQ(s.selectedSlider(), 1);
    press(InputEvent::press(Key::Tab));  // beyond the sliders: deselected
    EXPECT_EQ(s.selectedSlider(), -1);
    EXPECT_EQ(s.focus(), StepByStep::kFocusLog);
}

TEST_F(StepRun, ASliderWhoseReadFailedWritesNothingWhenSelected) {
    regs.define(0x0300, "Gain", 40, 0, 255);
    regs.refuse(0x0300);
    StepByStep& s = start(3, {stepOf(JOB_ADJUST).with(Op::Sliders, {0x0300}).with(Op::Keys, {kOk})});
    EXPECT_EQ(s.sliders().slider(0).valueText, "");
    regs.clearAccesses();
    press(InputEvent::charKey('Q'));
    EXPECT_TRUE(regs.writes().empty());
    EXPECT_EQ(s.selectedSlider(), 0);
}

TEST_F(StepRun, TypedValuesTakeZeroOnlyAsZeroBlank) {
    regs.define(0x0300, "Gain", 40, 0, 255);
    StepByStep& s = start(3, {stepOf(JOB_ADJUST).with(Op::Sliders, {0x0300}).with(Op::Keys, {kOk})});
    press(InputEvent::charKey('Q'));
    press(InputEvent::typed("77"));
    EXPECT_EQ(s.sliders().slider(0).typed, "77");
    press(InputEvent::press(Key::Enter));
    EXPECT_EQ(regs.value(0x0300), 77);
    press(InputEvent::typed("abc"));
    press(InputEvent::press(Key::Enter));
    EXPECT_EQ(s.sliders().slider(0).valueText, "77   ");
    press(InputEvent::typed("0 "));
    press(InputEvent::press(Key::Enter));
    EXPECT_EQ(regs.value(0x0300), 0);
    press(InputEvent::typed("999"));
    press(InputEvent::press(Key::Enter));
    EXPECT_EQ(regs.value(0x0300), 255);
}

TEST_F(StepRun, TheLinkedRegisterTakesEveryValueTheSliderIsGiven) {
    regs.define(0x0300, "Bright", 40, 0, 255);
    regs.define(0x0301, "Contr", 90, 0, 255);
    model.chassis.linkedRegisters = {{0x0300, 0x0301}};
    start(3, {stepOf(JOB_ADJUST).with(Op::Sliders, {0x0300}).with(Op::Keys, {kOk})});
    press(InputEvent::charKey('Q'));
    press(InputEvent::press(Key::Up));
    press(InputEvent::press(Key::PageUp));
    press(InputEvent::typed("5"));
    press(InputEvent::press(Key::Enter));
    EXPECT_EQ(regs.writes(), (Writes{{0x0300, 40}, {0x0301, 40}, {0x0300, 41}, {0x0301, 41}, {0x0300, 61},
                                     {0x0301, 61}, {0x0300, 5}, {0x0301, 5}}));
}

TEST_F(StepRun, DisplaysAreReadAgainAfterEachSliderChange) {
    regs.define(0x0300, "Gain", 40, 0, 255);
    regs.define(0x0310, "Beam", 7);
    StepByStep& s = start(3, {stepOf(JOB_ADJUST_MONITOR)
                                  .with(Op::Sliders, {0x0300})
                                  .with(Op::Displays, {0x0310})
                                  .with(Op::DisplayDelays, {120})
                                  .with(Op::Keys, {kOk})});
    ASSERT_EQ(s.displayCount(), 1);
    EXPECT_EQ(s.displayName(0), "Beam  ");
    EXPECT_EQ(s.displayValue(0), "7    ");
    regs.set(0x0310, 8);
    press(InputEvent::charKey('Q'));
    EXPECT_EQ(s.displayValue(0), "8    ");
    EXPECT_EQ(clock.waitsNamed(kDisplayDelayWait), (std::vector<uint32_t>{120, 120}));
}

TEST_F(StepRun, AveragingWritesItsRegisterBeforeEachReadAndShowsTheMean) {
    regs.define(0x0300, "Gain", 40, 0, 255);
    regs.define(0x0310, "Left", 10);
    regs.define(0x0311, "Right", 21);
    regs.define(0x0312, "Probe", 0);
    StepByStep& s = start(3, {stepOf(JOB_ADJUST_AVERAGE)
                                  .with(Op::Sliders, {0x0300})
                                  .with(Op::Displays, {0x0310, 0x0311})
                                  .with(Op::AverageRegister, {0x0312})
                                  .with(Op::AverageValue, {6})
                                  .with(Op::Keys, {kOk})});
    ASSERT_EQ(s.displayCount(), 3);
    EXPECT_EQ(s.displayName(2), "Result");
    EXPECT_EQ(s.displayValue(2), "15   ");
    regs.clearAccesses();
    press(InputEvent::charKey('Q'));
    press(InputEvent::press(Key::Up));
    EXPECT_EQ(regs.writes(), (Writes{{0x0300, 40}, {0x0312, 6}, {0x0312, 6}, {0x0300, 41}, {0x0312, 6}, {0x0312, 6}}));
}

// ---- Product date ----

TEST_F(StepRun, ProductDateIsWrittenWhenAKeyLeavesTheStep) {
    for (uint16_t c = 0x0320; c < 0x0326; ++c) define(c);
    StepByStep& s = start(4, {stepOf(JOB_PRODUCT_DATE)
                                  .with(Op::ProductDateRegisters, {0x0320, 0x0321, 0x0322, 0x0323, 0x0324, 0x0325})
                                  .with(Op::Keys, {kOk, kCancel}),
                              message({kOk})});
    ASSERT_TRUE(s.productDateVisible());
    press(InputEvent::press(Key::Tab));
    press(InputEvent::press(Key::Tab));
    press(InputEvent::press(Key::Tab));
    EXPECT_EQ(s.focus(), StepByStep::kFocusYear);
    press(InputEvent::typed("2001"));
    press(InputEvent::press(Key::Tab));
    press(InputEvent::typed("54"));
    press(InputEvent::press(Key::Tab));
    press(InputEvent::typed("16909060"));  // 0x01020304
    press(InputEvent::press(Key::Tab));
    EXPECT_EQ(s.focus(), StepByStep::kFocusLog);
    regs.clearAccesses();
    press(InputEvent::press(Key::F1));
    EXPECT_EQ(ui.messages(), Lines{"Product Week Err!"});
    std::vector<ecs::MemoryRegisters::Access::Kind> kinds;
    for (const auto& a : regs.accesses())
        if (a.kind != ecs::MemoryRegisters::Access::Kind::Read) kinds.push_back(a.kind);
    using K = ecs::MemoryRegisters::Access::Kind;
    EXPECT_EQ(kinds, (std::vector<K>{K::ResetTransfer, K::Write, K::ResetTransfer, K::Write, K::ResetTransfer,
                                     K::Write, K::ResetTransfer, K::Write, K::ResetTransfer, K::Write,
                                     K::ResetTransfer, K::Write}));
    EXPECT_EQ(regs.writes(), (Writes{{0x0320, 11}, {0x0321, 0}, {0x0322, 4}, {0x0323, 3}, {0x0324, 2}, {0x0325, 1}}));
    EXPECT_FALSE(s.run().panel.productDateMode);
    EXPECT_EQ(s.run().currentStep, 2);
}

TEST_F(StepRun, CancelLeavesProductDateModeWithoutWriting) {
    for (uint16_t c = 0x0320; c < 0x0326; ++c) define(c);
    StepByStep& s = start(4, {stepOf(JOB_PRODUCT_DATE)
                                  .with(Op::ProductDateRegisters, {0x0320, 0x0321, 0x0322, 0x0323, 0x0324, 0x0325})
                                  .with(Op::Keys, {kOk, kCancel})});
    regs.clearAccesses();
    press(InputEvent::charKey('C'));
    EXPECT_TRUE(s.closed());
    EXPECT_TRUE(regs.writes().empty());
}

// ---- DCnv ----

std::vector<kit::PrcStepSpec> dcnvProcedure() {
    std::vector<int32_t> column1(48, 0);
    column1[0] = 0x0500;  // point 1
    column1[1] = 0x0501;  // point 2
    column1[2] = 0x0502;  // point 3
    column1[3] = 0x0503;  // point 4
    auto point = [](uint8_t column, uint8_t row, int32_t reg, const char* name) {
        return stepOf(JOB_DCNV_ADJUST, name)
            .with(Op::PointColumn, {column})
            .with(Op::PointRow, {row})
            .with(Op::Sliders, {reg})
            .with(Op::Keys, {kOk, kCancel, kKeyPrevious, kKeyBypass, kOk})
            .with(Op::Jumps, {0, 0, 0, 0, 0});
    };
    return {stepOf(JOB_DCNV_DATA).with(Op::DcnvColumn, {1}).with(Op::DcnvValues, column1),
            stepOf(JOB_DCNV_COND)
                .with(Op::GridColumns, {2})
                .with(Op::GridRows, {2})
                .with(Op::ConditionWord, {0x0510})
                .with(Op::BypassTable, {5, 9}),
            point(1, 1, 0x0500, "A1"),   // step 3
            point(2, 1, 0x0501, "A2"),   // step 4
            point(1, 2, 0x0502, "B1"),   // step 5
            point(2, 2, 0x0503, "B2")};  // step 6
}

TEST_F(StepRun, DcnvPointsMarkTheGridAndFillPreviousAndBypass) {
    for (uint16_t c = 0x0500; c < 0x0504; ++c) define(c, 0x20);
    define(0x0510, 1);
    StepByStep& s = start(9, dcnvProcedure());
    ASSERT_TRUE(s.waiting());
    EXPECT_EQ(s.run().currentStep, 3);
    const DcnvPointWindow& w = s.dcnvWindow();
    ASSERT_TRUE(w.visible());
    EXPECT_EQ(w.lines(), (Lines{"  01 02", "A **   ", "B      "}));
    EXPECT_EQ(captions(), (Lines{"OK", "CANCEL", "PREVIOUS", "BYPASS"}));  // the fifth key is not used
    EXPECT_EQ(s.jump(2), 3);  // the first column: PREVIOUS stays on the step
    EXPECT_EQ(s.jump(3), 5);  // bypass of row A
    EXPECT_EQ(s.sliders().count(), 1);
    press(InputEvent::press(Key::F1));
    EXPECT_EQ(w.lines(), (Lines{"  01 02", "A    **", "B      "}));
    EXPECT_EQ(s.jump(2), 3);  // step 4 - 1
    press(InputEvent::press(Key::F1));
    press(InputEvent::press(Key::F4));  // row B bypasses to 9: END
    EXPECT_TRUE(s.closed());
}

TEST_F(StepRun, DcnvJumpFindsTheStepOfTheSelectedPointAndSaveStores) {
    for (uint16_t c = 0x0500; c < 0x0504; ++c) define(c, 0x20);
    define(0x0510, 1);
    StepByStep& s = start(9, dcnvProcedure());
    EXPECT_TRUE(press(InputEvent::selectRow(4)));  // B2: point 4
    ASSERT_TRUE(s.dcnvWindow().selected());
    EXPECT_EQ(*s.dcnvWindow().selected(), std::make_pair(2, 2));
    EXPECT_TRUE(press(InputEvent::click("Jump")));
    EXPECT_EQ(s.run().currentStep, 6);
    EXPECT_EQ(s.stepNameText(), " B2                  ");
    EXPECT_FALSE(press(InputEvent::selectRow(5)));  // beyond the grid
    regs.clearAccesses();
    EXPECT_TRUE(press(InputEvent::click("Save")));
    EXPECT_EQ(regs.writes(), (Writes{{0x0510, 0}}));
    EXPECT_TRUE(ui.messages().empty());
    flags.debug = true;
    press(InputEvent::click("Save"));
    EXPECT_EQ(ui.messages(), Lines{"Dcnv Save ? -> REG_0510   done"});
}

TEST_F(StepRun, TheInterpreterReachesTheNestedScreens) {
    sg.SgSelect(siggen::kSgKindAppliance, 0, 0);
    start(3, {stepOf(JOB_FACTORY), stepOf(JOB_FAIL_INFO)});
    EXPECT_EQ(nested.opened, (Lines{"appliance preset", "failure"}));
}

} // namespace
} // namespace procedure::testing
