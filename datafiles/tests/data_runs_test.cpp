// The save and the load against a monitor in memory: every list line, the
// order of register accesses and named waits, special groups of each type,
// refused registers, the checks of a file against the model, and what a
// stopped save leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "datafiles/data_load.h"
#include "datafiles/data_save.h"
#include "kit/dat_file.h"
#include "kit/model_kit.h"
#include "data_fixture.h"

using namespace datafiles;
using datafiles::testing::DataFixture;
using datafiles::testing::makeGroup;
using Lines = std::vector<std::string>;

namespace {

struct Runs : ::testing::Test, DataFixture {
    core::OperationLog log;
    std::vector<int> progress;  // every progress value shown, in order

    Runs() {
        log.setListener([this] {
            if (log.progress() >= 0 && (progress.empty() || progress.back() != log.progress()))
                progress.push_back(log.progress());
        });
    }
    RunResult save(const std::string& name) {
        auto c = context();
        return DataSave(c, log).run(file(name));
    }
    RunResult load(const std::string& name, const std::string& modelName = "CM-17X") {
        auto c = context();
        c.modelName = modelName;
        return DataLoad(c, log).run(file(name));
    }
    Lines lines() const { return {log.lines().begin(), log.lines().end()}; }
    void restart() {
        log.clear();
        progress.clear();
        regs.clearAccesses();
        clock.clearSleeps();
    }
    kit::Bytes bytes(const std::string& name) const {
        const std::string s = read(name);
        return kit::Bytes(s.begin(), s.end());
    }
    static kit::DatWriter header() {
        kit::DatWriter w;
        w.header("CM-17X", "CM17X.mdl", "CM17.STD");
        return w;
    }
    std::vector<std::string> folder() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

using Wait = platform::FakeClock::Wait;
const Wait kFinish{"data finish", 100};

TEST_F(Runs, OrdinaryGroupWithoutModesSavedAndLoadedLineByLine) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}, {1, 255}, {2, 157}, {3, 0}}), 10);

    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"LABEL = PLAIN          ", "  1:R0100          :10    :   aH",
                              "  2:R0101          :SKIP", "  3:R0102          :1     ",
                              "  4:R0103          :13    :   dH"}));
    kit::DatWriter w = header();
    w.label("PLAIN");
    for (int v : {10, 0, 1, 13}) w.value(v);
    EXPECT_EQ(bytes("a.dat"), w.bytes());
    EXPECT_EQ(trace(true), (Lines{"standardPreSequence", "reset", "R0100/0", "R0103/0", "W0001=13/1",
                                  "standardPostSequence"}));
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{kFinish, kFinish}));
    EXPECT_EQ(progress, (std::vector<int>{0, 4, 90, 95, 100}));
    EXPECT_TRUE(ui.messages().empty());

    // A load writes back what was saved, with flags 0, skipped and constant
    // items untouched.
    regs.set(0x0100, -5);
    regs.set(0x0101, 77);
    regs.set(0x0103, 99);
    restart();
    ASSERT_EQ(load("a.dat"), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"LABEL = PLAIN          ", "  1:R0100          :10    :   aH",
                              "  2:R0101          :SKIP", "  3:R0102          :1    ",
                              "  4:R0103          :13    :   dH"}));
    // The last block goes out before the end: a read that asks the monitor
    // sends it first.
    EXPECT_EQ(trace(true), (Lines{"standardPreSequence", "reset", "W0100=10/0", "W0103=13/0", "R0103/1",
                                  "W0001=13/1", "standardPostSequence"}));
    EXPECT_EQ(regs.value(0x0101), 77);
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{kFinish, kFinish}));
    EXPECT_EQ(progress, (std::vector<int>{0, 4, 90, 95, 100}));
}

TEST_F(Runs, ModedGroupsAreStoredModeByModeAndCommittedAfterTheLoad) {
    addGroup(makeGroup("MODES", 2, {{0, 0}, {1, 255}, {2, 157}}, 2, 0x0300), 10);
    ASSERT_EQ(save("m.dat"), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"LABEL = MODES          ", "Mode = 0    ", "R0200          :10    :   aH",
                              "  2:R0201          :SKIP", "R0202          :12    :   cH", "Mode = 1    ",
                              "R0200          :110   :  6eH", "  2:R0201          :SKIP",
                              "R0202          :112   :  70H"}));
    kit::DatWriter w = header();
    w.label("MODES");
    w.mode(0);
    for (int v : {10, 0, 12}) w.value(v);
    w.mode(1);
    for (int v : {110, 0, 112}) w.value(v);
    EXPECT_EQ(bytes("m.dat"), w.bytes());
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset", "select 0", "select 1", "W0001=112/1",
                              "standardPostSequence"}));
    EXPECT_EQ(progress, (std::vector<int>{0, 4, 5, 6, 90, 95, 100}));

    regs.setInMode(0x0200, 1, 1);
    restart();
    ASSERT_EQ(load("m.dat"), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"LABEL = MODES          ", "Mode = 0    ", "R0200          :10    :   aH",
                              "R0201          :SKIP", "R0202          :12    :   cH", "Mode = 1    ",
                              "R0200          :110   :  6eH", "R0201          :SKIP",
                              "R0202          :112   :  70H", "===== R0300 ====="}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset", "select 0", "W0200=10/0", "W0202=12/0", "select 1",
                              "W0200=110/0", "W0202=112/0", "W0300=0/1", "W0001=112/1", "standardPostSequence"}));
    EXPECT_EQ(regs.valueInMode(0x0200, 1), 110);
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{{"data commit", 2000}, kFinish, kFinish}));
}

TEST_F(Runs, ProgressNeverPassesEightyBeforeTheEnd) {
    for (int g = 0; g < 25; ++g) addGroup(makeGroup(core::strf("G%d", g), static_cast<uint8_t>(0x10 + g), {{0, 0}}, 1));
    ASSERT_EQ(save("p.dat"), RunResult::Completed);
    // 4 per group and 1 per mode up to 80, where the last nine groups stay.
    std::vector<int> expected = {0};
    for (int p = 5; p <= 80; p += 5) expected.insert(expected.end(), {p - 1, p});
    expected.insert(expected.end(), {90, 95, 100});
    EXPECT_EQ(progress, expected);
}

TEST_F(Runs, RefusedRegistersAreStoredAsErrorsAndPassedOverByTheLoad) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}, {1, 0}}), 10);
    addGroup(makeGroup("MODES", 2, {{0, 0}, {1, 0}}, 1), 20);
    regs.refuse(0x0100);
    regs.refuse(0x0201);
    ASSERT_EQ(save("e.dat"), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"LABEL = PLAIN          ", "  1:R0100          :Read =err= ",
                              "  2:R0101          :11    :   bH", "LABEL = MODES          ", "Mode = 0    ",
                              "R0200          :20    :  14H", "R0201          :Read =err= "}));
    kit::DatWriter w = header();
    w.label("PLAIN");
    w.error();
    w.value(11);
    w.label("MODES");
    w.mode(0);
    w.value(20);
    w.error();
    EXPECT_EQ(bytes("e.dat"), w.bytes());

    // The load passes the errors over and keeps walking the file in step;
    // a register that refuses the write is listed.
    regs.refuse(0x0101);
    restart();
    ASSERT_EQ(load("e.dat"), RunResult::Completed);
    EXPECT_EQ(lines(), (Lines{"LABEL = PLAIN          ", "  1:R0100          :=err= Pass",
                              "  2:R0101          :Write =err= ", "LABEL = MODES          ", "Mode = 0    ",
                              "R0200          :20    :  14H", "R0201          :=err= Pass"}));
    EXPECT_EQ(regs.writes(), (std::vector<std::pair<uint16_t, int32_t>>{{0x0101, 11}, {0x0200, 20}, {0x0001, 20}}));
}

TEST_F(Runs, SpecialTypeOneWalksEverySelectorCombination) {
    addGroup(makeGroup("SP1GRID", 4, {{0, 1}, {1, 1}, {2, 0}, {3, 0}}, 0, 0x0300), 10);
    ASSERT_EQ(save("s1.dat"), RunResult::Completed);
    const Lines combination = {"W0400=0/1", "W0401=0/1", "reset", "R0402/0", "R0403/0", "W0401=1/1", "reset",
                               "R0402/0", "R0403/0"};
    Lines expected = {"standardPreSequence", "reset"};
    expected.insert(expected.end(), combination.begin(), combination.end());
    for (const std::string& s : combination) expected.push_back(s == "W0400=0/1" ? "W0400=1/1" : s);
    expected.insert(expected.end(), {"W0001=13/1", "standardPostSequence"});
    EXPECT_EQ(trace(true), expected);
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{{"data selector", 3000}, {"data selector", 3000}, kFinish, kFinish}));
    EXPECT_EQ(lines()[1], "  3:R0402          :12    :   cH");
    EXPECT_EQ(lines().size(), 1u + 8u);
    kit::DatWriter w = header();
    w.label("SP1GRID");
    for (int i = 0; i < 4; ++i) w.value(12), w.value(13);
    EXPECT_EQ(bytes("s1.dat"), w.bytes());

    restart();
    ASSERT_EQ(load("s1.dat"), RunResult::Completed);
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset", "W0400=0/1", "W0401=0/1", "W0402=12/1", "W0403=13/1",
                              "W0401=1/1", "W0402=12/1", "W0403=13/1", "W0400=1/1", "W0401=0/1", "W0402=12/1",
                              "W0403=13/1", "W0401=1/1", "W0402=12/1", "W0403=13/1", "W0300=0/1", "W0001=13/1",
                              "standardPostSequence"}));
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{{"data selector", 3000}, {"data selector", 3000},
                                                {"data commit", 2000}, kFinish, kFinish}));
    EXPECT_EQ(lines().back(), "===== R0300 =====");
}

TEST_F(Runs, SpecialTypeTwoCyclesThePowerAndRestoresItsSelector) {
    addGroup(makeGroup("SP2PWR", 5, {{0, 3}, {1, 0}, {2, 0}}, 0, 0x0301), 10);
    ASSERT_EQ(save("s2.dat"), RunResult::Completed);
    EXPECT_EQ(trace(true), (Lines{"standardPreSequence", "reset", "R0500/1", "W0500=3/1", "powerOn", "powerOff",
                                  "R0501/1", "R0502/1", "W0500=10/1", "W0001=12/1", "standardPostSequence"}));
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{{"data selector", 3000}, {"data power", 2000}, {"data power", 2000},
                                                kFinish, kFinish}));
    EXPECT_EQ(lines(), (Lines{"LABEL = SP2PWR         ", "  2:R0501          :11    :   bH",
                              "  3:R0502          :12    :   cH"}));

    regs.set(0x0500, 7);
    restart();
    ASSERT_EQ(load("s2.dat"), RunResult::Completed);
    EXPECT_EQ(trace(true), (Lines{"standardPreSequence", "reset", "R0500/1", "W0500=3/1", "powerOn", "powerOff",
                                  "W0501=11/1", "W0502=12/1", "W0301=0/1", "W0500=7/1", "W0001=12/1",
                                  "standardPostSequence"}));
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{{"data selector", 3000}, {"data power", 2000}, {"data power", 2000},
                                                {"data commit", 2000}, kFinish, kFinish}));
}

TEST_F(Runs, SpecialTypesThreeAndFourStepTheirSelectorThroughTheModes) {
    addGroup(makeGroup("SP3USR", 6, {{0, 0}, {1, 0}, {2, 0}}, 2, 0x0302), 10);
    addGroup(makeGroup("sp4TIM", 7, {{0, 0}, {1, 0}, {2, 0}}, 2), 20);
    addGroup(makeGroup("SP9ODD", 8, {{0, 0}}), 30);
    ASSERT_EQ(save("s3.dat"), RunResult::Completed);
    EXPECT_EQ(trace(true), (Lines{"standardPreSequence", "reset", "R0600/1", "W0600=1/1", "R0602/1", "W0600=2/1",
                                  "R0602/1", "W0600=10/1", "R0700/1", "W0700=0/1", "R0701/1", "R0702/1",
                                  "W0700=1/1", "R0701/1", "R0702/1", "W0700=20/1", "W0001=22/1",
                                  "standardPostSequence"}));
    const Wait save{"data mode selector", 2000};
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{save, save, save, save, kFinish, kFinish}));
    EXPECT_EQ(lines().back(), "LABEL = SP9ODD         ");  // listed, nothing stored
    kit::DatWriter w = header();
    w.label("SP3USR");
    w.value(12), w.value(12);
    w.label("sp4TIM");
    w.value(21), w.value(22), w.value(21), w.value(22);
    EXPECT_EQ(bytes("s3.dat"), w.bytes());

    restart();
    ASSERT_EQ(load("s3.dat"), RunResult::Completed);
    EXPECT_EQ(trace(true), (Lines{"standardPreSequence", "reset", "R0600/1", "W0600=1/1", "W0602=12/1", "W0302=0/1",
                                  "W0601=0/1", "W0600=2/1", "W0602=12/1", "W0302=0/1", "W0601=0/1", "W0600=10/1",
                                  "R0700/1", "W0700=0/1", "W0701=21/1", "W0702=22/1", "W0700=1/1", "W0701=21/1",
                                  "W0702=22/1", "W0700=20/1", "W0001=22/1", "standardPostSequence"}));
    const Wait select{"data mode selector", 1000};
    const Wait commit{"data commit", 1000};
    const Wait reset{"data selector reset", 1000};
    EXPECT_EQ(clock.waits(),
              (std::vector<Wait>{select, commit, reset, select, commit, reset, select, select, kFinish, kFinish}));
    EXPECT_EQ(lines(), (Lines{"LABEL = SP3USR         ", "  3:R0602          :12    :   cH", "===== R0302 =====",
                              "===== R0601 =====", "  3:R0602          :12    :   cH", "===== R0302 =====",
                              "===== R0601 =====", "LABEL = sp4TIM         ", "  2:R0701          :21    :  15H",
                              "  3:R0702          :22    :  16H", "  2:R0701          :21    :  15H",
                              "  3:R0702          :22    :  16H", "LABEL = SP9ODD         "}));
}

TEST_F(Runs, AFileOfAnotherModelIsLoadedOnlyAfterYes) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}}), 10);
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    regs.set(0x0100, 3);

    restart();
    ui.answerYesNo(false);
    EXPECT_EQ(load("a.dat", "CM-19Y"), RunResult::Stopped);
    EXPECT_EQ(ui.questions(), (Lines{"Now  model = CM-19Y         \nSave model = CM-17X         \n\nLoad OK?"}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset"}));  // nothing written, no end list
    EXPECT_EQ(regs.value(0x0100), 3);

    restart();
    ui.answerYesNo(true);
    EXPECT_EQ(load("a.dat", "CM-19Y"), RunResult::Completed);
    EXPECT_EQ(regs.value(0x0100), 10);

    // The same model asks nothing.
    restart();
    EXPECT_EQ(load("a.dat"), RunResult::Completed);
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(Runs, AFileOfOtherStandardDataIsRefused) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}}), 10);
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    model.chassis.standardFile = "CM19.STD";
    restart();
    EXPECT_EQ(load("a.dat"), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), (Lines{"Now using std = CM19.STD       \nSave data std = CM17.STD       \n\nSave format "
                                    "is different !"}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset"}));

    // Asked about the model first, refused for the standard after Yes.
    ui.clear();
    ui.answerYesNo(true);
    EXPECT_EQ(load("a.dat", "CM-19Y"), RunResult::Stopped);
    EXPECT_EQ(ui.questions().size(), 1u);
    EXPECT_EQ(ui.messages().size(), 1u);
}

TEST_F(Runs, CorruptedLabelsAndModesStopTheLoadWhereTheyAre) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}}), 10);
    addGroup(makeGroup("MODES", 2, {{0, 0}}, 2), 20);
    ASSERT_EQ(save("a.dat"), RunResult::Completed);
    const kit::Bytes good = bytes("a.dat");

    kit::Bytes label = good;
    label[48 + 16 + 7] = '#';  // MODES' label
    kit::writeFile(file("label.dat"), label);
    restart();
    EXPECT_EQ(load("label.dat"), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), (Lines{"Label data different"}));
    EXPECT_EQ(lines(), (Lines{"LABEL = PLAIN          ", "  1:R0100          :10    :   aH",
                              "LABEL = MODES          ", "Label data different"}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset", "W0100=10/0"}));  // no final write, no end list

    kit::Bytes mode = good;
    mode[48 + 16 + 7 + 16 + 16 + 7 + 1] = 'm';  // "=mode" of mode 1
    kit::writeFile(file("mode.dat"), mode);
    restart();
    ui.clear();
    EXPECT_EQ(load("mode.dat"), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), (Lines{"Mode data different"}));
    EXPECT_EQ(lines(), (Lines{"LABEL = PLAIN          ", "  1:R0100          :10    :   aH",
                              "LABEL = MODES          ", "Mode = 0    ", "R0200          :20    :  14H",
                              "Mode = 1    ", "Mode data different"}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset", "W0100=10/0", "select 0", "W0200=20/0"}));

    // A file that ends early writes nothing it does not hold.
    kit::writeFile(file("short.dat"), kit::Bytes(good.begin(), good.end() - 2));
    restart();
    ui.clear();
    EXPECT_EQ(load("short.dat"), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), (Lines{kFileShort}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset", "W0100=10/0", "select 0", "W0200=20/0", "select 1"}));

    restart();
    ui.clear();
    EXPECT_EQ(load("missing.dat"), RunResult::Failed);
    EXPECT_EQ(ui.messages(), (Lines{kFileUnreadable}));
    EXPECT_TRUE(regs.accesses().empty());
}

TEST_F(Runs, ASaveStoppedBySilenceLeavesTheOldFileAsItWas) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}, {1, 0}, {2, 0}}), 10);
    dir.write("a.dat", "the technician's good file");
    // What a save killed earlier left behind, and what is not ours.
    dir.write(".a.dat.99999-0.pelaro-tmp", "partial");
    dir.write("notes.txt", "kept");
    // The monitor falls silent after the first register.
    log.setListener([this] {
        if (!log.lines().empty() && log.lines().back().find("R0100") != std::string::npos) regs.disconnect();
    });
    EXPECT_EQ(save("a.dat"), RunResult::Stopped);
    EXPECT_EQ(ui.messages(), (Lines{"Check RS232C line"}));
    EXPECT_EQ(lines().back(), " File not changed: the save was stopped. ");
    EXPECT_EQ(read("a.dat"), "the technician's good file");
    EXPECT_EQ(folder(), (Lines{"a.dat", "notes.txt"}));
    EXPECT_EQ(trace(), (Lines{"standardPreSequence", "reset"}));  // no final write, no end list
    EXPECT_TRUE(clock.waits().empty());

    // Back on line, the save replaces the file.
    log.setListener({});
    regs.disconnect(false);
    restart();
    ui.clear();
    EXPECT_EQ(save("a.dat"), RunResult::Completed);
    EXPECT_EQ(folder(), (Lines{"a.dat", "notes.txt"}));
    EXPECT_EQ(bytes("a.dat").size(), 48u + 16 + 21);
}

TEST_F(Runs, AFileThatCannotBeWrittenIsReported) {
    addGroup(makeGroup("PLAIN", 1, {{0, 0}}), 10);
    dir.write("plain-file", "x");
    EXPECT_EQ(save("plain-file/a.dat"), RunResult::Failed);
    EXPECT_EQ(ui.messages(), (Lines{kSaveNotWritten}));
    EXPECT_EQ(lines(), (Lines{kSaveNotWritten}));
    EXPECT_TRUE(regs.accesses().empty());
}

} // namespace
