#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "command_fixture.h"
#include "genlink/pg406_commands.h"

using namespace genlink;
using genlink::testing::CommandTest;

namespace {

class Model406Test : public CommandTest {
protected:
    int run(const Row& row, std::vector<int32_t> args, Operands ops = {}) {
        ops.args = args.data();
        return runRow(*link, row, ops);
    }
};

} // namespace

TEST_F(Model406Test, SubCommandLetterOpensThePayload) {
    open();
    ASSERT_EQ(run(pg406::setGroupName, {7}, {.name = "Seven"}), kOk);
    EXPECT_EQ(lastCommand().code, 0x2D);
    EXPECT_EQ(lastCommand().payload, "A07Seven          ");
    char name[16];
    ASSERT_EQ(run(pg406::getGroupName, {7}, {.nameOut = name}), kOk);
    EXPECT_EQ(lastCommand().payload, "B07");
    EXPECT_STREQ(name, "Seven");
    ASSERT_EQ(run(pg406::setGroupName, {8}, {.name = "A name of more than fifteen"}), kOk);
    ASSERT_EQ(run(pg406::getGroupName, {8}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "A name of more");  // cut to 15, trailing blank dropped
    ASSERT_EQ(run(pg406::exeProgramByStatus, {12, 3}), kOk);
    EXPECT_EQ(lastCommand().payload, "D3012");
    EXPECT_EQ(run(pg406::exeProgramByStatus, {12, 10}), kBadArgument);
    EXPECT_EQ(run(pg406::exeProgramByStatus, {0, 1}), kBadArgument);
}

TEST_F(Model406Test, DipSwitchesAndAllGroupNames) {
    open();
    sim.core->setItem("dsw", "", {'3', 'A'});
    uint8_t dsw = 0;
    ASSERT_EQ(getDsw(*link, &dsw), kOk);
    EXPECT_EQ(lastCommand().payload, "C");
    EXPECT_EQ(dsw, 0x3A);
    sim.core->setItem("dsw", "", {'3', ':'});  // ten as '0' + 10
    ASSERT_EQ(getDsw(*link, &dsw), kOk);
    EXPECT_EQ(dsw, 0x3A);
    sim.core->setItem("dsw", "", {'f', '7'});
    ASSERT_EQ(getDsw(*link, &dsw), kOk);
    EXPECT_EQ(dsw, 0xF7);

    ASSERT_EQ(run(pg406::setGroupName, {1}, {.name = "First"}), kOk);
    ASSERT_EQ(run(pg406::setGroupName, {25}, {.name = "Twenty-fifth"}), kOk);
    ASSERT_EQ(run(pg406::setGroupName, {30}, {.name = "Thirtieth"}), kOk);
    std::vector<char> names(kMaxGroupNames * 16, '#');
    int32_t count = 0;
    sim.core->setItem("dsw", "", {'0', '0'});  // bit 2 clear
    ASSERT_EQ(getAllGroupNames(*link, names.data(), &count), kOk);
    EXPECT_EQ(lastCommand().payload, "J");
    EXPECT_EQ(count, 25);
    EXPECT_STREQ(&names[0], "First");
    EXPECT_STREQ(&names[16], "");
    EXPECT_STREQ(&names[24 * 16], "Twenty-fifth");
    EXPECT_EQ(names[25 * 16], '#');
    sim.core->setItem("dsw", "", {'0', '4'});  // bit 2 set
    ASSERT_EQ(getAllGroupNames(*link, names.data(), &count), kOk);
    EXPECT_EQ(count, 50);
    EXPECT_STREQ(&names[29 * 16], "Thirtieth");
    EXPECT_EQ(getAllGroupNames(*link, names.data(), nullptr), kBadArgument);
}

TEST_F(Model406Test, ProgramNamesAndLists) {
    open();
    ASSERT_EQ(run(pg406::setProgName, {12, 1, 1}, {.name = "Twelve"}), kOk);
    EXPECT_EQ(lastCommand().code, 0x3E);
    EXPECT_EQ(lastCommand().payload, "01211Twelve         ");
    int32_t flags[2] = {-1, -1};
    char name[16];
    ASSERT_EQ(run(pg406::getProgName, {12}, {.out = flags, .nameOut = name}), kOk);
    EXPECT_EQ(lastCommand().payload, "0120");
    EXPECT_EQ(flags[0], 1);
    EXPECT_EQ(flags[1], 1);
    EXPECT_STREQ(name, "Twelve");
    EXPECT_EQ(run(pg406::setProgName, {12, 1, 2}, {.name = "x"}), kBadArgument);

    PG406_PROGLIST entry{};
    ASSERT_EQ(getProgList(*link, 12, &entry), kOk);
    EXPECT_EQ(lastCommand().payload, "E012");
    EXPECT_STREQ(entry.name, "Twelve");
    EXPECT_EQ(entry.value[0], 1);
    EXPECT_EQ(entry.value[4], 1);
    EXPECT_EQ(entry.value[7], 0);

    std::vector<PG406_PROGLIST> all(kProgListEntries);
    writes->clear();
    ASSERT_EQ(getAllProgList(*link, all.data()), kOk);
    EXPECT_STREQ(all[11].name, "Twelve");
    EXPECT_STREQ(all[0].name, "");
    // 6240 characters in blocks of 780: the frame and an ACK after each block but the last.
    EXPECT_EQ(writes->size(), 1u + 7);
    std::vector<PG406_INPROGLIST> builtIn(kInProgListEntries);
    ASSERT_EQ(getAllInProgList(*link, builtIn.data()), kOk);
    EXPECT_STREQ(builtIn[0].name, "BUILT-IN 850");
    EXPECT_STREQ(builtIn[0].name2, "");
    EXPECT_EQ(builtIn[99].value[1], 949);
}

TEST_F(Model406Test, ListEntriesParseTheirFields) {
    PG406_PROGLIST entry;
    parseProgEntry("Name with blank" "1" "23456" "7890" "1234" "5" "6789" "0123" "4", entry);
    EXPECT_STREQ(entry.name, "Name with blank");
    const int32_t values[] = {1, 23456, 7890, 1234, 5, 6789, 123, 4};
    EXPECT_TRUE(std::equal(values, values + 8, entry.value));
    PG406_INPROGLIST builtIn;
    parseInProgEntry("First  " "        " "Second         " "9" "00001" "0002" "0003" "4" "0005" "0006", builtIn);
    EXPECT_STREQ(builtIn.name, "First");
    EXPECT_STREQ(builtIn.name2, "Second");
    EXPECT_EQ(builtIn.value[6], 6);
}

TEST_F(Model406Test, PanelRomGroupsAndAutomaticDisplay) {
    open();
    std::vector<uint8_t> rom(kPanelRomBytes);
    for (size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<uint8_t>(i ^ (i >> 8));
    writes->clear();
    ASSERT_EQ(setPanelRom(*link, rom.data()), kOk);
    EXPECT_EQ(writes->size(), 1u + 64);
    EXPECT_EQ((*writes)[1].size(), 1024u + 3);
    std::vector<uint8_t> back(kPanelRomBytes, 0);
    ASSERT_EQ(getPanelRom(*link, back.data()), kOk);
    EXPECT_EQ(back, rom);

    int32_t max = 0;
    ASSERT_EQ(limits.maximum(LimitMax::GroupProgCnt, 0, max), 0);
    std::vector<int32_t> programs(static_cast<size_t>(max));
    std::iota(programs.begin(), programs.end(), 1);
    ASSERT_EQ(setGroupPrograms(*link, 5, programs.data(), max), kOk);
    EXPECT_EQ(lastCommand().code, 0x52);
    EXPECT_EQ(lastCommand().payload.substr(0, 8), "05001002");
    std::vector<int32_t> read(programs.size(), -1);
    ASSERT_EQ(getGroupPrograms(*link, 5, read.data(), max), kOk);
    EXPECT_EQ(read, programs);
    EXPECT_EQ(setGroupPrograms(*link, 5, programs.data(), max - 1), kBadArgument);

    ASSERT_EQ(run(pg406::setAutoDisp, {120, 7}), kOk);
    EXPECT_EQ(stored("autodisp", ""), "12007");
    int32_t values[2] = {};
    ASSERT_EQ(runRow(*link, pg406::getAutoDisp, {.out = values}), kOk);
    EXPECT_EQ(values[0], 120);
    EXPECT_EQ(values[1], 7);
    EXPECT_EQ(run(pg406::setAutoDisp, {1000, 7}), kBadArgument);
}
