// The MPU download, the timing download and the UMT initialisation against
// a monitor in memory: every access in order, every list line, the named
// waits, the records each group takes, and runs that stop.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data_fixture.h"
#include "datafiles/mpu_download.h"
#include "datafiles/timing_download.h"
#include "datafiles/umt_init.h"
#include "kit/model_kit.h"
#include "modeldb/chassis_layout.h"
#include "modeldb/mpu_tables.h"

using namespace datafiles;
using namespace datafiles::testing;
using Lines = std::vector<std::string>;
using Waits = std::vector<platform::FakeClock::Wait>;

namespace {

constexpr uint16_t kEUmt = 0x0F10, kNFact = 0x0F11, kNUser = 0x0F12, kRestore = 0x0F13, kSSave = 0x0F14;
constexpr uint16_t kLimit = 0x0F15, kCommit = 0x0F20;

template <size_t N>
void put(std::array<uint8_t, N>& record, const kit::Bytes& bytes) {
    ASSERT_EQ(bytes.size(), N);
    std::copy(bytes.begin(), bytes.end(), record.begin());
}

// Mode j, item i of a record: base + 10 j + i.
kit::Bytes modeRecord(int16_t base, int modes = 30, int items = 30) {
    std::vector<std::vector<int16_t>> values(static_cast<size_t>(modes));
    for (int j = 0; j < modes; ++j)
        for (int i = 0; i < items; ++i) values[static_cast<size_t>(j)].push_back(static_cast<int16_t>(base + 10 * j + i));
    return kit::mpuModeRecord(values);
}

struct Runs : DataFixture, ::testing::Test {
    core::OperationLog log;

    void chassisRegister(size_t offset, uint16_t code, const char* name) {
        model.chassis.specialRegisters[(offset - modeldb::chassis::kSpecialRegisters) / 2] = static_cast<int16_t>(code);
        regs.define(code, name, 0);
    }
    void specials() {
        namespace at = modeldb::chassis;
        chassisRegister(at::kEUmt, kEUmt, "E_umt");
        chassisRegister(at::kNFact, kNFact, "N_Fact");
        chassisRegister(at::kNUser, kNUser, "N_User");
        chassisRegister(at::kRestore, kRestore, "Restore");
        chassisRegister(at::kServiceSave, kSSave, "S_save");
    }
    bool listed(const std::string& line) const {
        return std::find(log.lines().begin(), log.lines().end(), line) != log.lines().end();
    }
    Lines lines() const { return {log.lines().begin(), log.lines().end()}; }
    void stopWhenListed(const std::string& line) {
        log.setListener([this, line] {
            if (!log.lines().empty() && log.lines().back() == line) regs.disconnect();
        });
    }
};

// ---- MPU download ----

struct Mpu : Runs {
    void walkModel() {
        specials();
        regs.define(kLimit, "Limit", 2);
        addGroup(makeGroup("ONCE", 1, {{0, 0}, {1, kSkippedItem}, {2, kConstantItem}, {3, 0}}, 0, kCommit));
        addGroup(makeGroup("SP1SEL", 6, {{0, 1}, {1, 1}, {2, 0}}));
        addGroup(makeGroup("LIMITED", 2, {{0, 0}, {1, 0}}, 5)).modeLimitRegister = kLimit;
        addGroup(makeGroup("NEXT", 3, {{0, 0}}, 2));
        addGroup(makeGroup("ONCE2", 4, {{0, 0}}));
        model.image.mpuDataCount = 2;
        put(model.image.mpuData[0], kit::mpuDataRecord({100, 101, 102, 103}));
        put(model.image.mpuData[1], kit::mpuDataRecord({400}));
        model.image.mpuModeCount = 2;
        put(model.image.mpuMode[0], modeRecord(1000));
        put(model.image.mpuMode[1], modeRecord(2000));
    }
    RunResult run() {
        auto c = context();
        return MpuDownload(c, log).run();
    }
};

TEST_F(Mpu, GroupsTakeTheirRecordsInTurnAndTheModeLimitCutsTheModes) {
    walkModel();
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(trace(), (Lines{"reset", "standardPreSequence", "W0F10=0/1",
                              "W0100=100/0", "W0103=103/0", "W0F20=0/1",               // ONCE, record 0
                              "select 0", "W0200=1000/0", "W0201=1001/0",              // LIMITED: 2 of 5 modes
                              "select 1", "W0200=1010/0", "W0201=1011/0",
                              "select 0", "W0300=2000/0", "select 1", "W0300=2010/0",  // NEXT, record 1
                              "W0400=400/0",                                            // ONCE2, record 1
                              "W0001=400/1", "standardPostSequence"}));
    EXPECT_EQ(lines(), (Lines{"LABEL = ONCE           ",
                              "  1:R0100          :100   :  64H",
                              "  2:R0101          :SKIP",
                              "  3:R0102          :1    ",
                              "  4:R0103          :103   :  67H",
                              "===== R0F20 =====",
                              "LABEL = SP1SEL         ",
                              "LABEL = LIMITED        ",
                              "Mode = 0    ",
                              "R0200          :1000  : 3e8H",
                              "R0201          :1001  : 3e9H",
                              "Mode = 1    ",
                              "R0200          :1010  : 3f2H",
                              "R0201          :1011  : 3f3H",
                              "LABEL = NEXT           ",
                              "Mode = 0    ",
                              "R0300          :2000  : 7d0H",
                              "Mode = 1    ",
                              "R0300          :2010  : 7daH",
                              "LABEL = ONCE2          ",
                              "  1:R0400          :400   : 190H"}));
    EXPECT_EQ(clock.waits(), (Waits{{"data commit", 2000}, {"data finish", 100}, {"data finish", 100}}));
    EXPECT_EQ(log.progress(), 100);
    EXPECT_EQ(regs.valueInMode(0x0201, 1), 1011);
    EXPECT_EQ(regs.valueInMode(0x0200, 2), 210);  // beyond the limit: as it was
}

TEST_F(Mpu, AModeLimitThatReadsZeroOrCannotBeReadLimitsNothing) {
    walkModel();
    regs.set(kLimit, 0);
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_TRUE(listed("Mode = 4    "));
    EXPECT_EQ(regs.valueInMode(0x0201, 4), 1041);

    log.clear();
    regs.refuse(kLimit);
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(), "Mode = 4    "), 1);
}

TEST_F(Mpu, SpecialGroupsRunTheirSelectorsPowerCyclesAndCommits) {
    addGroup(makeGroup("SP2PWR", 6, {{0, 2}, {2, 0}, {3, 0}}, 0, 0x0604));
    addGroup(makeGroup("SP3USR", 7, {{5, 0}, {1, 0}, {2, 0}}, 2, 0x0704));
    addGroup(makeGroup("SP4TIM", 8, {{5, 0}, {2, 0}, {3, 0}}, 2));
    addGroup(makeGroup("AFTER", 9, {{0, 0}}));
    addGroup(makeGroup("AFTERM", 10, {{0, 0}}, 1));
    model.image.mpuDataCount = 2;
    put(model.image.mpuData[0], kit::mpuDataRecord({0, 21, 22}));
    put(model.image.mpuData[1], kit::mpuDataRecord({90}));
    model.image.mpuModeCount = 3;
    put(model.image.mpuMode[0], modeRecord(300));
    put(model.image.mpuMode[1], modeRecord(400));
    put(model.image.mpuMode[2], modeRecord(500));

    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(trace(true), (Lines{"reset", "standardPreSequence",
                                  // type 2, MPU_DATA record 0, items from 1
                                  "R0600/1", "W0600=2/1", "powerOn", "powerOff", "reset", "W0602=21/0",
                                  "W0603=22/0", "W0001=22/1", "W0604=0/1", "W0600=10/1",
                                  // type 3, MPU_MODE record 0: selector 1..2, items from 2, mode j - 1
                                  "R0705/1", "reset", "W0705=1/1", "W0702=302/0", "W0001=302/1", "W0704=0/1",
                                  "W0701=0/1", "W0705=2/1", "W0702=312/0", "W0001=312/1", "W0704=0/1",
                                  "W0701=0/1", "W0705=10/1",
                                  // type 4, MPU_MODE record 1: selector 0..1, items from 1
                                  "R0805/1", "reset", "W0805=0/1", "W0802=401/0", "W0803=402/0", "W0001=402/1",
                                  "W0805=1/1", "W0802=411/0", "W0803=412/0", "W0001=412/1", "W0805=10/1",
                                  // the next records
                                  "W0900=90/0", "select 0", "W0A00=500/0", "W0001=500/1",
                                  "standardPostSequence"}));
    EXPECT_EQ(clock.waits(), (Waits{{"data power", 2000}, {"data power", 2000}, {"data commit", 2000},
                                    {"data commit", 2000}, {"mpu settle", 1000}, {"data selector reset", 2000},
                                    {"data commit", 2000}, {"mpu settle", 1000}, {"data selector reset", 2000},
                                    {"data finish", 100}, {"data finish", 100}}));
    EXPECT_TRUE(listed("  2:R0602          :21    :  15H"));
    EXPECT_TRUE(listed("  3:R0702          :312   : 138H"));
    EXPECT_TRUE(listed("===== R0701 ====="));
    EXPECT_EQ(regs.value(0x0600), 10);  // the selectors are back
    EXPECT_EQ(regs.value(0x0805), 10);
}

TEST_F(Mpu, ALinkLostMidwayStopsWithoutTheEndList) {
    walkModel();
    stopWhenListed("LABEL = NEXT           ");
    EXPECT_EQ(run(), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), Lines{"Check RS232C line"});
    const Lines t = trace();
    EXPECT_EQ(Lines(t.end() - 2, t.end()), (Lines{"select 0", "W0300=2000/0"}));
    EXPECT_EQ(regs.sequences(), Lines{"standardPreSequence"});
    EXPECT_EQ(log.lines().back(), "Mode = 0    ");
    EXPECT_LT(log.progress(), 90);
}

TEST_F(Mpu, RefusedWritesAreListedAndTheRunGoesOn) {
    walkModel();
    regs.refuse(0x0100);
    regs.refuse(0x0201);
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_TRUE(listed("  1:R0100          :Write =err= "));
    EXPECT_TRUE(listed("R0201          :Write =err= "));
    EXPECT_EQ(regs.value(0x0400), 400);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Mpu, ValuesTheTablesLackAreListedAndNotWritten) {
    walkModel();
    model.image.mpuDataCount = 1;  // ONCE2 finds no record
    model.image.mpuModeCount = 1;  // nor does NEXT
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_TRUE(listed("  1:R0400          :No MPU data"));
    EXPECT_TRUE(listed("R0300          :No MPU data"));
    for (const auto& [code, value] : regs.writes()) {
        EXPECT_NE(code, 0x0400);
        EXPECT_NE(code, 0x0300);
    }

    // A group of more than 30 items per mode: the items beyond have no value.
    model.standard.groupCount = 0;
    std::vector<Item> items;
    for (uint8_t i = 0; i < 31; ++i) items.push_back({i, 0});
    addGroup(makeGroup("WIDE", 0x0B, items, 1));
    log.clear();
    regs.clearAccesses();
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_TRUE(listed("R0B1D          :1029  : 405H"));
    EXPECT_TRUE(listed("R0B1E          :No MPU data"));
}

TEST(MpuTables, ValuesBeyondTheRecordsTheModelCarriesAreNone) {
    modeldb::ModelImage image;
    image.mpuDataCount = 1;
    image.mpuModeCount = 25;  // beyond the capacity of 10
    const kit::Bytes data = kit::mpuDataRecord({1, -2});
    std::copy(data.begin(), data.end(), image.mpuData[0].begin());
    image.mpuData[0][510] = 0x34;
    image.mpuData[0][511] = 0x12;
    const kit::Bytes mode = kit::mpuModeRecord({{7}, {}, {0, 0, -9}});
    std::copy(mode.begin(), mode.end(), image.mpuMode[9].begin());
    image.mpuMode[9][4 + 2 * 899] = 0x05;

    const modeldb::MpuTables t(image);
    EXPECT_EQ(t.data(0, 1), -2);
    EXPECT_EQ(t.data(0, 255), 0x1234);
    EXPECT_EQ(t.data(0, 256), std::nullopt);
    EXPECT_EQ(t.data(1, 0), std::nullopt);
    EXPECT_EQ(t.modeRecords(), 10u);
    EXPECT_EQ(t.mode(9, 0, 0), 7);
    EXPECT_EQ(t.mode(9, 2, 2), -9);
    EXPECT_EQ(t.mode(9, 29, 29), 5);
    EXPECT_EQ(t.mode(9, 30, 0), std::nullopt);
    EXPECT_EQ(t.mode(9, 0, 30), std::nullopt);
    EXPECT_EQ(t.mode(10, 0, 0), std::nullopt);
}

// ---- Timing download ----

modeldb::ModelTiming timing(float hKHz, float vHz, uint8_t sync, uint8_t hPol, uint8_t vPol) {
    modeldb::ModelTiming t;
    t.hFrequency = hKHz;
    t.vFrequency = vHz;
    t.syncKind = sync;
    t.hPolarity = hPol;
    t.vPolarity = vPol;
    return t;
}

struct Timing : Runs {
    Timing() {
        specials();
        const char* names[] = {"TSync", "THPol", "TVPol", "THFreq", "TVFreq"};
        for (int16_t r = 0; r < 5; ++r) {
            model.chassis.timingRegisters[static_cast<size_t>(r)] = static_cast<int16_t>(0x0500 + r);
            regs.definePerMode(static_cast<uint16_t>(0x0500 + r), names[r], 0, 65535);
        }
        model.image.presetCount = 2;
        model.image.presets[0] = timing(31.469f, 59.94f, 0, 1, 1);
        model.image.presets[1] = timing(68.677f, 85.0f, 2, 0, 0);
        regs.setEcsType(2);
    }
    RunResult run() {
        auto c = context();
        return TimingDownload(c, log).run();
    }
};

TEST(TimingValues, TheBiasKeepsFrequenciesStoredJustBelowTheirValue) {
    EXPECT_EQ(timingTableValues(timing(31.469f, 59.94f, 3, 1, 0)), (std::array<int32_t, 5>{3, 1, 0, 314, 5994}));
    EXPECT_EQ(timingTableValues(timing(46.875f, 75.0f, 0, 0, 0))[3], 468);
    EXPECT_EQ(timingTableValues(timing(63.981f, 60.02f, 0, 0, 0))[4], 6002);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(timingTableValues(timing(nan, inf, 0, 0, 0))[3], 0);
    EXPECT_EQ(timingTableValues(timing(nan, inf, 0, 0, 0))[4], 0);
    EXPECT_EQ(timingTableValues(timing(1e30f, -1e30f, 0, 0, 0))[3], std::numeric_limits<int32_t>::max());
}

TEST_F(Timing, EveryTimingGoesIntoItsModeThenTheTableIsCountedAndStored) {
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"E_umt?:E_umt          ",
                              "Mode = 0    ",
                              "TSync          :0     :   0H",
                              "THPol          :1     :   1H",
                              "TVPol          :1     :   1H",
                              "THFreq         :314   : 13aH",
                              "TVFreq         :5994  :176aH",
                              "Mode = 1    ",
                              "TSync          :2     :   2H",
                              "THPol          :0     :   0H",
                              "TVPol          :0     :   0H",
                              "THFreq         :686   : 2aeH",
                              "TVFreq         :8500  :2134H",
                              "",
                              "N_Fact?:N_Fact         :2    ",
                              "Restore?:Restore        ",
                              "N_User ?:N_User         :2    ",
                              "S_save ?:S_save         "}));
    EXPECT_EQ(trace(), (Lines{"W0F10=0/1", "select 0", "W0500=0/0", "W0501=1/0", "W0502=1/0", "W0503=314/0",
                              "W0504=5994/0", "select 1", "W0500=2/0", "W0501=0/0", "W0502=0/0", "W0503=686/0",
                              "W0504=8500/0", "W0F11=2/1", "W0F13=0/1", "W0F12=2/1", "W0F14=0/1"}));
    EXPECT_EQ(clock.waits(), (Waits{{"timing store", 200}, {"timing finish", 500}}));
    EXPECT_EQ(regs.valueInMode(0x0504, 0), 5994);
    EXPECT_EQ(regs.valueInMode(0x0503, 1), 686);
    EXPECT_EQ(log.progress(), 100);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Timing, LinkType1HasNoRestoreAndNoTimingsWriteOnlyTheCounts) {
    regs.setEcsType(1);
    model.image.presetCount = 0;
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(trace(), (Lines{"W0F10=0/1", "W0F11=0/1", "W0F12=0/1", "W0F14=0/1"}));
    EXPECT_EQ(lines(), (Lines{"E_umt?:E_umt          ", "", "N_Fact?:N_Fact         :0    ",
                              "N_User ?:N_User         :0    ", "S_save ?:S_save         "}));
}

TEST_F(Timing, RefusedWritesGoOnAndALostLinkStops) {
    regs.refuse(0x0503);
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_TRUE(listed("THFreq         :686   : 2aeH"));  // what was sent
    EXPECT_EQ(trace().back(), "W0F14=0/1");
    EXPECT_TRUE(ui.messages().empty());

    log.clear();
    regs.clearAccesses();
    stopWhenListed("Mode = 1    ");
    EXPECT_EQ(run(), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), Lines{"Check RS232C line"});
    EXPECT_EQ(trace().back(), "W0500=2/0");
    EXPECT_EQ(log.lines().back(), "Mode = 1    ");
}

// ---- UMT initialisation ----

struct Umt : Runs {
    Umt() {
        specials();
        model.image.presetCount = 3;
        model.image.umtNumber = 2;
        addGroup(makeGroup("A", 1, {{0, 0}}, 2));
        addGroup(makeGroup("X", 2, {{0, 0}}));
        addGroup(makeGroup("B", 3, {{0, 0}, {1, 0}}, 4, kCommit));
        addGroup(makeGroup("C", 4, {{0, 0}}, 1));
        model.image.mpuModeCount = 2;
        put(model.image.mpuMode[0], modeRecord(100));
        put(model.image.mpuMode[1], modeRecord(200));
        regs.setEcsType(2);
    }
    RunResult run() {
        auto c = context();
        return UmtInit(c, log).run();
    }
};

TEST_F(Umt, TheSecondModedGroupTakesTheSecondRecordForEachPresetMode) {
    int progressBeforeWrites = -1;
    log.setListener([&] {
        if (regs.writes().size() == 1) progressBeforeWrites = log.progress();  // E_umt only
    });
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "W0F10=0/1",
                              "select 0", "W0300=200/0", "select 0", "W0301=201/0",
                              "select 1", "W0300=210/0", "select 1", "W0301=211/0",
                              "select 2", "W0300=220/0", "select 2", "W0301=221/0",
                              "W0F13=0/1", "W0F20=0/1", "W0001=221/1", "W0F11=3/1", "W0F12=3/1",
                              "standardPostSequence"}));
    EXPECT_EQ(clock.waits(), (Waits{{"data commit", 2000}}));
    EXPECT_EQ(progressBeforeWrites, 12);  // three groups visited
    EXPECT_EQ(log.progress(), 100);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(regs.valueInMode(0x0301, 2), 221);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Umt, FewerModedGroupsThanTheNumberStillResetTheCounts) {
    model.image.umtNumber = 4;
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "W0F10=0/1", "W0F13=0/1", "W0001=0/1", "W0F11=3/1",
                              "W0F12=3/1", "standardPostSequence"}));
}

TEST_F(Umt, LinkType1WritesNoRestore) {
    regs.setEcsType(1);
    ASSERT_EQ(run(), RunResult::Completed);
    for (const auto& [code, value] : regs.writes()) EXPECT_NE(code, kRestore);
    EXPECT_EQ(regs.value(kNUser), 3);
}

TEST_F(Umt, ALostLinkEndsTheRunAtOnce) {
    regs.refuse(0x0301, core::ECS_ERR_LINK);
    EXPECT_EQ(run(), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), Lines{"Check RS232C line"});
    EXPECT_EQ(trace().back(), "W0301=201/0");
    EXPECT_EQ(regs.sequences(), Lines{"standardPreSequence"});
}

TEST_F(Umt, ARecordTheModelLacksIsToldAndNothingOfItWritten) {
    model.image.mpuModeCount = 1;
    ASSERT_EQ(run(), RunResult::Completed);
    EXPECT_EQ(ui.messages(), Lines{kUmtValuesMissing});
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "W0F10=0/1", "select 0", "select 0", "select 1", "select 1",
                              "select 2", "select 2", "W0F13=0/1", "W0F20=0/1", "W0001=0/1", "W0F11=3/1",
                              "W0F12=3/1", "standardPostSequence"}));
}

TEST(UmtNumber, OnlyNumbers1To30OfferTheInitialisation) {
    modeldb::ModelImage image;
    for (int16_t n : {0, 31, -1}) {
        image.umtNumber = n;
        EXPECT_FALSE(umtInitAvailable(image)) << n;
    }
    for (int16_t n : {1, 30}) {
        image.umtNumber = n;
        EXPECT_TRUE(umtInitAvailable(image)) << n;
    }
}

} // namespace
