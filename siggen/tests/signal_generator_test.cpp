#include <gtest/gtest.h>

#include <cmath>

#include "core/test_ui.h"
#include "platform/clock.h"
#include "siggen/recording_driver.h"
#include "siggen/signal_generator.h"

using namespace siggen;

namespace {

const char* kHalved = "SG can't set this Timing .\nConvert :somedata devided by 2 !";
const char* kHalvedTwice = "SG can't set this Timing .\nConvert :somedata devided by 2(4) !";
const char* kHFre = "SG can't set this Timing. >> [HFre]";
const char* kVFre = "SG can't set this Timing. >> [VFre]";

struct Generator : ::testing::Test {
    core::TestUi ui;
    platform::FakeClock clock;
    SignalGenerator sg{ui, clock};
    DriverLog driver;
    std::vector<std::string> logLines;

    // Kind `kind` with a recording driver installed.
    void use(int kind, int port = 1, int isa = 0) {
        sg.installDriver(kind, std::make_unique<RecordingDriver>(driver));
        sg.setLog([this](const std::string& line) { logLines.push_back(line); });
        sg.SgSelect(kind, port, isa);
    }
    // A timing whose dot clock and H frequency give an even total.
    SgTiming timing(float dotClockMHz, float hFrequencyHz, float vFrequencyHz = 60.0f) {
        SgTiming t = defaultSgTiming();
        t.dotClock = dotClockMHz;
        t.hFrequency = hFrequencyHz;
        t.vFrequency = vFrequencyHz;
        return t;
    }
};

void expectSameTiming(const SgTiming& a, const SgTiming& b) {
    EXPECT_EQ(a.dotClock, b.dotClock);
    EXPECT_EQ(a.hFrequency, b.hFrequency);
    EXPECT_EQ(a.hTotal, b.hTotal);
    EXPECT_EQ(a.hBlanking, b.hBlanking);
    EXPECT_EQ(a.hFront, b.hFront);
    EXPECT_EQ(a.hSync, b.hSync);
    EXPECT_EQ(a.hBack, b.hBack);
    EXPECT_EQ(a.hActive, b.hActive);
}

} // namespace

TEST(SgTables, KindsInOrderEndingAtEndAndTheirLimits) {
    const auto& kinds = sgKindTable();
    const char* names[] = {"PG-301",     "PG-301S",    "PG-305", "PG-305KOV", "PG-110",     "PG-120",
                           "QD-801_ISA", "QD-801_232", "MANUAL", "eNuvo",     "PG-202_PCI", "END"};
    for (size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_STREQ(kinds[i].name, names[i]);
        EXPECT_EQ(kinds[i].index, static_cast<int>(i));
    }
    EXPECT_EQ(sgKind(11), nullptr);
    EXPECT_EQ(sgKind(-1), nullptr);
    EXPECT_EQ(sgCapability(11), nullptr);
    const SgCapability* pg110 = sgCapability(4);
    ASSERT_NE(pg110, nullptr);
    EXPECT_EQ(pg110->maxDotClockMHz, 155);
    EXPECT_EQ(pg110->maxHFrequencyKHz, 250);
    EXPECT_EQ(sgCapability(1)->maxDotClockMHz, 240);
    EXPECT_EQ(sgCapability(8)->limit4, 9000);
    EXPECT_EQ(sgCapability(10)->limit5, 4096);
}

TEST(SgTables, WhatEachKindImplies) {
    for (const SgKind& k : sgKindTable()) {
        if (k.family == SgDriverFamily::End) continue;
        const bool sends = k.index <= 7 || k.index == 10;
        EXPECT_EQ(k.apply == SgApplyScope::CheckAndSend, sends) << k.index;
        EXPECT_EQ(k.afterApply.ms, sends ? 500u : 0u) << k.index;
        if (sends) {
            EXPECT_STREQ(k.afterApply.what, "generator settle");
        }
        const bool command = k.index == 6 || k.index == 7 || k.index == 10;
        EXPECT_EQ(k.family == SgDriverFamily::CommandGenerator, command) << k.index;
        EXPECT_EQ(k.afterClose.ms, command ? 1000u : 0u) << k.index;
        if (command) {
            EXPECT_STREQ(k.afterClose.what, "generator close");
        }
    }
    EXPECT_EQ(sgKind(8)->apply, SgApplyScope::CheckOnly);
    EXPECT_EQ(sgKind(9)->apply, SgApplyScope::Nothing);

    // The configuration's lists: kind 10 opens with both, a change to it
    // enables neither; an index the table lacks enables both.
    EXPECT_EQ(sgConfigurationLists(10, true), (SgLists{true, true}));
    EXPECT_EQ(sgConfigurationLists(10, false), (SgLists{false, false}));
    EXPECT_EQ(sgConfigurationLists(6, true), (SgLists{false, true}));
    EXPECT_EQ(sgConfigurationLists(7, false), (SgLists{true, false}));
    EXPECT_EQ(sgConfigurationLists(11, false), (SgLists{true, true}));
    EXPECT_EQ(sgConfigurationLists(-1, true), (SgLists{true, true}));

    const std::vector<std::string> names = sgKindNames(15);
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names.front(), "PG-301");
    EXPECT_EQ(names.back(), "PG-202_PCI");
    EXPECT_EQ(sgKindNames(2), (std::vector<std::string>{"PG-301", "PG-301S"}));
}

TEST_F(Generator, DefaultTimingIsEvenAndPassesUnchangedOnEveryDrivenKind) {
    for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 10}) {
        sg.SgSelect(kind, 1, 1);
        sg.timing() = defaultSgTiming();
        EXPECT_EQ(sg.SgCheckTiming(), 1) << kind;
        expectSameTiming(sg.timing(), defaultSgTiming());
    }
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Generator, DotClockAboveTheLimitIsHalvedOnceOrTwiceAndStillSent) {
    use(0);
    sg.applyTiming(timing(300.0f, 75000.0f));  // trunc(301.0) > 300
    ASSERT_EQ(driver.applies(), 1u);
    EXPECT_EQ(driver.timings[0].dotClock, 150.0f);
    EXPECT_TRUE(ui.messages().empty());  // conversions are announced only with showConversion

    sg.setShowConversion(1);
    sg.applyTiming(timing(700.0f, 87500.0f));
    ASSERT_EQ(driver.applies(), 2u);
    EXPECT_EQ(driver.timings[1].dotClock, 175.0f);
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{kHalved, kHalvedTwice}));

    ui.clear();
    sg.applyTiming(timing(1300.0f, 81250.0f));
    ASSERT_EQ(driver.applies(), 3u);
    EXPECT_EQ(driver.timings[2].dotClock, 325.0f);
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{kHalved, kHalvedTwice}));

    ui.clear();
    sg.applyTiming(timing(299.0f, 74750.0f));  // trunc(300.0) is not above 300
    EXPECT_EQ(driver.timings[3].dotClock, 299.0f);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Generator, FrequencyLimitsTruncateBeforeComparing) {
    use(0);
    sg.applyTiming(timing(130.9f, 130900.0f));
    EXPECT_EQ(driver.applies(), 1u);
    sg.applyTiming(timing(131.0f, 131000.0f));
    EXPECT_EQ(driver.applies(), 1u);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kHFre});

    ui.clear();
    sg.applyTiming(timing(50.0f, 50000.0f, 200.9f));
    EXPECT_EQ(driver.applies(), 2u);
    sg.applyTiming(timing(50.0f, 50000.0f, 201.0f));
    EXPECT_EQ(driver.applies(), 2u);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kVFre});
    // A refused timing is not waited for.
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{500, 500}));
}

TEST_F(Generator, OddTotalMovesToTheNextLowerEvenTotal) {
    use(2);
    const float hf = 31469.0f;
    SgTiming t = defaultSgTiming();
    t.dotClock = 801.0f * 31.469f / 1000.0f;  // 801 dots per line
    const float p = t.hTotal / 801.0f;
    t.hActive = 640.0f * p;
    t.hBlanking = 161.0f * p;
    t.hFront = 16.0f * p;
    t.hSync = 96.0f * p;
    t.hBack = 49.0f * p;
    const float oldTotal = t.hTotal;
    sg.timing() = t;

    ASSERT_EQ(sg.SgCheckTiming(), 1);
    const SgTiming& c = sg.timing();
    EXPECT_EQ(c.hFrequency, hf);
    EXPECT_EQ(c.dotClock, static_cast<float>(800.0f * hf / 1000000.0f + 0.0005));
    const float q = 1.0f / hf / 800.0f * 1000000.0f;
    EXPECT_EQ(c.hTotal, 800.0f * q);
    EXPECT_NEAR(c.hTotal, oldTotal, 0.001);
    EXPECT_EQ(c.hActive, 639.0f * q);
    EXPECT_EQ(c.hBlanking, 161.0f * q);
    EXPECT_EQ(c.hFront, 16.0f * q);
    EXPECT_EQ(c.hSync, 96.0f * q);
    EXPECT_EQ(c.hBack, 49.0f * q);
    const int16_t dotsNow = static_cast<int16_t>(c.dotClock / (c.hFrequency / 1000.0f) * 1000.0f + 0.5);
    EXPECT_EQ(dotsNow, 800);

    // The record was changed in place: a second check leaves it alone.
    const SgTiming once = c;
    EXPECT_EQ(sg.SgCheckTiming(), 1);
    expectSameTiming(sg.timing(), once);
}

TEST_F(Generator, DegenerateTimingsNeitherCrashNorReachTheDriverAsNonsenseCounts) {
    use(0);
    SgTiming t = defaultSgTiming();
    t.hFrequency = 0.0f;  // no line rate: the total is undefined and counts as 0
    sg.timing() = t;
    EXPECT_EQ(sg.SgCheckTiming(), 1);
    t = defaultSgTiming();
    t.dotClock = 1.0e30f;
    sg.timing() = t;
    EXPECT_EQ(sg.SgCheckTiming(), 1);
}

TEST_F(Generator, NonFiniteDotClockOrFrequencyIsRefusedAndNothingIsSent) {
    use(0);
    sg.setShowConversion(1);  // a conversion would be announced: none may be
    for (float bad : {std::nanf(""), INFINITY, -INFINITY}) {
        ui.clear();
        SgTiming t = defaultSgTiming();
        t.dotClock = bad;
        sg.applyTiming(t);
        EXPECT_EQ(std::isnan(sg.timing().dotClock), std::isnan(bad));  // refused as it stood, not halved
        if (!std::isnan(bad)) {
            EXPECT_EQ(sg.timing().dotClock, bad);
        }
        t = defaultSgTiming();
        t.hFrequency = bad;
        sg.applyTiming(t);
        t = defaultSgTiming();
        t.vFrequency = bad;
        sg.applyTiming(t);
        t = defaultSgTiming();
        t.hFrequency = bad;
        t.vFrequency = bad;
        sg.applyTiming(t);
        EXPECT_EQ(ui.messages(), (std::vector<std::string>{kHFre, kHFre, kVFre, kHFre})) << bad;
    }
    EXPECT_EQ(driver.applies(), 0u);
    EXPECT_TRUE(clock.sleeps().empty());

    // The manual kind refuses them the same way.
    ui.clear();
    sg.SgSelect(8, 0, 0);
    SgTiming t = defaultSgTiming();
    t.vFrequency = INFINITY;
    sg.applyTiming(t);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kVFre});
}

TEST_F(Generator, ApplianceKindNeverOpensChecksOrSends) {
    use(9);
    sg.SgOpen();
    sg.timing() = timing(900.0f, 900000.0f, 900.0f);  // beyond every limit
    sg.SgApply();
    sg.SgResetDefault();
    sg.SgClose();
    EXPECT_EQ(driver.opens, 1);  // the recording driver stands in for the appliance one
    EXPECT_EQ(driver.applies(), 0u);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(clock.sleeps().empty());
    EXPECT_EQ(sg.timing().dotClock, 25.175f);  // the reset still loads the default
}

TEST_F(Generator, ManualKindChecksWithItsMessagesButSendsNothing) {
    use(8);
    sg.applyTiming(timing(100.0f, 801000.0f));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kHFre});
    sg.setShowConversion(1);
    sg.applyTiming(timing(600.0f, 300000.0f));  // 501 > 500: halved
    EXPECT_EQ(sg.timing().dotClock, 300.0f);
    EXPECT_EQ(driver.applies(), 0u);
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(Generator, KindsWithoutTheirDriverSayItInTheLogAndSendNothing) {
    sg.setLog([this](const std::string& line) { logLines.push_back(line); });
    sg.SgSelect(6, 0, 7);
    sg.SgOpen();
    sg.SgResetDefault();
    sg.SgClose();
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(clock.sleeps().empty());  // nothing sent, nothing to wait for
    ASSERT_EQ(logLines.size(), 2u);
    EXPECT_EQ(logLines[0], "SG QD-801_ISA: no driver for this generator kind in this build; not opened");
    EXPECT_EQ(logLines[1],
              "SG QD-801_ISA: no driver for this generator kind in this build; timing and pattern not sent");

    // The check still runs for them.
    sg.SgSelect(0, 1, 0);
    sg.applyTiming(timing(100.0f, 131000.0f));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kHFre});
}

TEST_F(Generator, UnknownKindOpensNothingAndSendsNothing) {
    sg.setLog([this](const std::string& line) { logLines.push_back(line); });
    sg.SgSelect(12, 0, 0);
    EXPECT_EQ(sg.SgOpen(), 1);
    sg.SgResetDefault();
    EXPECT_EQ(sg.SgCheckTiming(), 0);
    EXPECT_EQ(sg.SgClose(), 1);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(logLines, std::vector<std::string>{"SG kind 12 is unknown; timing and pattern not sent"});
    sg.SgSelect(-1, 0, 0);
    sg.SgApply();
    EXPECT_EQ(logLines.size(), 2u);
}

TEST_F(Generator, OnlyTheDriverWordsItsFailuresAndEverySentApplyWaits) {
    const platform::FakeClock::Wait settle{"generator settle", 500};
    for (int kind : {0, 4, 6}) {
        DriverLog log;
        sg.installDriver(kind, std::make_unique<RecordingDriver>(log));
        sg.SgSelect(kind, 1, 1);
        ui.clear();
        clock.clearSleeps();
        sg.SgApply();
        EXPECT_TRUE(ui.messages().empty()) << kind;
        log.failure = "the driver's own words";
        sg.SgApply();
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"the driver's own words"}) << kind;
        EXPECT_EQ(log.applies(), 2u) << kind;
        EXPECT_EQ(clock.waits(), (std::vector<platform::FakeClock::Wait>{settle, settle})) << kind;
    }
}

TEST_F(Generator, ClosingACommandGeneratorWaitsASecondOthersDoNot) {
    use(7);
    sg.SgClose();
    EXPECT_EQ(driver.closes, 1);
    EXPECT_EQ(clock.sleeps(), std::vector<uint32_t>{1000});
    EXPECT_EQ(clock.waitsNamed("generator close"), std::vector<uint32_t>{1000});
    clock.clearSleeps();
    DriverLog card;
    sg.installDriver(5, std::make_unique<RecordingDriver>(card));
    sg.SgSelect(5, 0, 0);
    sg.SgClose();
    EXPECT_EQ(card.closes, 1);
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(Generator, ResetDefaultRestoresTimingSelectionAndFlagsThenApplies) {
    use(0);
    sg.selection() = {5, 1, 1};
    sg.setPatternOnly(true);
    sg.setPatternChanged(1);
    sg.timing() = timing(100.0f, 50000.0f);
    sg.SgResetDefault();
    ASSERT_EQ(driver.applies(), 1u);
    EXPECT_EQ(driver.selections[0], (SgPatternSelection{0, 3, 0}));
    EXPECT_FALSE(driver.patternOnly[0]);
    EXPECT_EQ(sg.patternChanged(), 0);
    EXPECT_EQ(driver.timings[0].name, "VGA Graphics");
    EXPECT_EQ(driver.timings[0].resolution, "640 x 480");
    expectSameTiming(driver.timings[0], defaultSgTiming());
    EXPECT_EQ(driver.timings[0].vTotal, 525);
    EXPECT_EQ(driver.timings[0].syncExternal, 1);
}

TEST_F(Generator, SelectionChangesSendOnlyWhenTheValueChanges) {
    use(0);
    sg.SgResetDefault();
    EXPECT_FALSE(sg.selectPattern(0));
    EXPECT_TRUE(sg.selectPattern(3));
    EXPECT_EQ(sg.patternChanged(), 1);
    EXPECT_FALSE(sg.selectPattern(3));
    EXPECT_TRUE(sg.selectColour(0));
    EXPECT_EQ(sg.patternChanged(), 0);
    EXPECT_FALSE(sg.selectColour(0));
    EXPECT_TRUE(sg.selectInvert(1));
    EXPECT_EQ(sg.patternChanged(), 1);
    EXPECT_FALSE(sg.selectInvert(1));
    ASSERT_EQ(driver.applies(), 4u);
    EXPECT_FALSE(driver.patternOnly[0]);
    EXPECT_TRUE(driver.patternOnly[1] && driver.patternOnly[2] && driver.patternOnly[3]);
    EXPECT_EQ(driver.selections[3], (SgPatternSelection{3, 0, 1}));

    // A model timing clears both flags again.
    sg.applyTiming(defaultSgTiming());
    EXPECT_FALSE(sg.patternOnly());
    EXPECT_EQ(sg.patternChanged(), 0);
}

TEST_F(Generator, SpecialWhiteStaysWithinPercent) {
    sg.setSpecialWhite(100, 6);
    EXPECT_EQ(sg.specialWhiteLevel(), 100);
    EXPECT_EQ(sg.specialWhiteBox(), 6);
    sg.setSpecialWhite(140, -3);
    EXPECT_EQ(sg.specialWhiteLevel(), 100);
    EXPECT_EQ(sg.specialWhiteBox(), 0);
}
