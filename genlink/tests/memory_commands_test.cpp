#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "command_fixture.h"
#include "genlink/image_commands.h"
#include "genlink/memory_commands.h"

using namespace genlink;
using genlink::testing::CommandTest;

namespace {

class MemoryTest : public CommandTest {
protected:
    int run(const Row& row, std::vector<int32_t> args, Operands ops = {}) {
        ops.args = args.data();
        return runRow(*link, row, ops);
    }
    std::vector<uint8_t> colors() {
        std::vector<uint8_t> c(kCallerColorTable);
        for (size_t i = 0; i < c.size(); ++i) c[i] = static_cast<uint8_t>(i * 3 + 1);
        return c;
    }
    static std::vector<uint8_t> image(size_t n) {
        std::vector<uint8_t> b(n);
        for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 11 + i / 7);
        return b;
    }
};

} // namespace

TEST_F(MemoryTest, ProgramEnableAndNames) {
    open();
    EXPECT_EQ(run(memory::progEnable, {5, 1}), kOk);
    EXPECT_EQ(lastCommand().payload, "0051");
    int32_t flag = -1;
    ASSERT_EQ(run(memory::getProgEnable, {5}, {.out = &flag}), kOk);
    EXPECT_EQ(flag, 1);
    const size_t before = commandsReceived();
    EXPECT_EQ(run(memory::progEnable, {0, 1}), kBadArgument);  // the working buffer is no program to enable
    EXPECT_EQ(run(memory::progEnable, {5, 2}), kBadArgument);
    EXPECT_EQ(run(memory::getProgEnable, {0}, {.out = &flag}), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);

    // Eight characters, cut or padded, read back as they are.
    ASSERT_EQ(run(memory::setProgName, {5}, {.name = "LONGNAME123"}), kOk);
    EXPECT_EQ(lastCommand().payload, "005LONGNAME");
    ASSERT_EQ(run(memory::setProgName, {6}, {.name = "AB"}), kOk);
    char name[9];
    ASSERT_EQ(run(memory::getProgName, {5}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "LONGNAME");
    ASSERT_EQ(run(memory::getProgName, {6}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "AB      ");
    EXPECT_EQ(run(memory::setProgName, {6}, {.name = "A\x03"}), kBadArgument);
    EXPECT_EQ(run(memory::setProgName, {6}, {}), kBadArgument);
    EXPECT_EQ(run(memory::getProgName, {6}, {}), kBadArgument);

    // Third form: two flags and a name cut to the tables' maximum of 20.
    ASSERT_EQ(run(memory::pg3SetProgName, {7, 1, 0}, {.name = "A third-form name of thirty"}), kOk);
    EXPECT_EQ(lastCommand().payload, "00710A third-form name of");
    int32_t flags[2] = {-1, -1};
    char longName[21];
    ASSERT_EQ(run(memory::pg3GetProgName, {7}, {.out = flags, .nameOut = longName}), kOk);
    EXPECT_EQ(flags[0], 1);
    EXPECT_EQ(flags[1], 0);
    EXPECT_STREQ(longName, "A third-form name of");
    EXPECT_EQ(run(memory::pg3SetProgName, {7, 2, 0}, {.name = "x"}), kBadArgument);

    // Fourth form: names read back in 16 characters, so no longer one is sent.
    ASSERT_EQ(run(memory::pg4SetProgName, {8}, {.name = "Seventeen chars!!"}), kOk);
    EXPECT_EQ(lastCommand().payload, "008Seventeen chars!");
    char name16[17];
    ASSERT_EQ(run(memory::pg4GetProgName, {8}, {.nameOut = name16}), kOk);
    EXPECT_STREQ(name16, "Seventeen chars!");
}

TEST_F(MemoryTest, ProgramNumbersFollowTheMemoryKind) {
    open(1);
    ASSERT_EQ(run(memory::progEnable, {5, 0}), kOk);
    EXPECT_EQ(lastCommand().payload, "050");
    int32_t flag = -1;
    ASSERT_EQ(run(memory::getProgEnable, {5}, {.out = &flag}), kOk);
    EXPECT_EQ(flag, 0);
    // A built-in program has no two-digit form.
    EXPECT_EQ(run(memory::setHighProg, {1, 2, 3, 900}), kBadArgument);
}

TEST_F(MemoryTest, GroupsHighSpeedProgramsAndAutomaticDisplay) {
    open();
    std::vector<int32_t> programs(kGroupPrograms);
    std::iota(programs.begin(), programs.end(), 40);
    ASSERT_EQ(run(memory::setGroup, {3}, {.in = programs.data()}), kOk);
    EXPECT_EQ(lastCommand().payload.substr(0, 7), "3040041");
    EXPECT_EQ(lastCommand().payload.size(), 61u);
    std::vector<int32_t> back(kGroupPrograms, -1);
    ASSERT_EQ(run(memory::getGroup, {3}, {.out = back.data()}), kOk);
    EXPECT_EQ(back, programs);
    const size_t before = commandsReceived();
    EXPECT_EQ(run(memory::setGroup, {10}, {.in = programs.data()}), kBadArgument);  // one digit
    EXPECT_EQ(run(memory::setGroup, {33}, {.in = programs.data()}), kBadArgument);  // beyond the tables
    programs[4] = 1000;
    EXPECT_EQ(run(memory::setGroup, {3}, {.in = programs.data()}), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);

    ASSERT_EQ(run(memory::setHighProg, {1, 2, 900, 99}), kOk);
    EXPECT_EQ(lastCommand().payload, "001002900099");
    EXPECT_EQ(run(memory::setHighProg, {1, 2, 0, 99}), kBadArgument);
    ASSERT_EQ(run(memory::exeHighProg, {4}), kOk);
    EXPECT_EQ(lastCommand().payload, "4");
    EXPECT_EQ(run(memory::exeHighProg, {5}), kBadArgument);

    const int32_t autoDisp[kAutoDispWords] = {5, 1, 2, 3, 4, 5, 849};
    ASSERT_EQ(runRow(*link, memory::setAutoDisp, {.in = autoDisp}), kOk);
    EXPECT_EQ(stored("autodisp", ""), "005001002003004005849");
    int32_t read[kAutoDispWords] = {};
    ASSERT_EQ(getAutoDisp(*link, read), kOk);
    EXPECT_TRUE(std::equal(read, read + kAutoDispWords, autoDisp));
}

TEST_F(MemoryTest, AutomaticDisplayReadsTwoDigitsFromAShortReply) {
    open(1);
    const int32_t autoDisp[kAutoDispWords] = {120, 1, 2, 3, 4, 5, 40};
    ASSERT_EQ(runRow(*link, memory::setAutoDisp, {.in = autoDisp}), kOk);
    EXPECT_EQ(stored("autodisp", ""), "120010203040540");
    int32_t read[kAutoDispWords] = {};
    ASSERT_EQ(getAutoDisp(*link, read), kOk);
    EXPECT_TRUE(std::equal(read, read + kAutoDispWords, autoDisp));
    sim.core->setItem("autodisp", "", {'1', '2', '3'});
    EXPECT_EQ(getAutoDisp(*link, read), kCommFailed);
    EXPECT_EQ(read[0], 120);
    EXPECT_EQ(getAutoDisp(*link, nullptr), kBadArgument);
}

TEST_F(MemoryTest, ModeIdentificationConfigurationAndDevice) {
    open();
    ASSERT_EQ(setAnaDigiMode(*link, 1), kOk);
    EXPECT_EQ(lastCommand().payload, "1");
    int32_t mode = -1;
    ASSERT_EQ(runRow(*link, memory::getAnaDigiMode, {.out = &mode}), kOk);
    EXPECT_EQ(lastCommand().payload, "2");
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(setAnaDigiMode(*link, 2), kBadArgument);
    EXPECT_EQ(setAnaDigiMode(*link, 10), kBadArgument);

    int32_t id = 0;
    writes->clear();
    ASSERT_EQ(runRow(*link, memory::getPGID, {.out = &id}), kOk);
    EXPECT_EQ(id, 'C');
    // A direct upload: the command frame is all the host sends.
    EXPECT_EQ(*writes, std::vector<Bytes>{frame(0x3F, "")});
    sim.core->setItem("pgid", "", {0xE5});
    ASSERT_EQ(runRow(*link, memory::getPGID, {.out = &id}), kOk);
    EXPECT_EQ(id, 0xE5);

    const int32_t config[kConfigWords] = {1, 2, 34, 5, 6, 7, 8, 9};
    ASSERT_EQ(runRow(*link, memory::pg3SetConfig, {.in = config}), kOk);
    EXPECT_EQ(lastCommand().payload, "123456789");
    int32_t back[kConfigWords] = {};
    ASSERT_EQ(runRow(*link, memory::pg3GetConfig, {.out = back}), kOk);
    EXPECT_TRUE(std::equal(back, back + kConfigWords, config));
    int32_t wide[kConfigWords] = {1, 2, 100, 5, 6, 7, 8, 9};
    EXPECT_EQ(runRow(*link, memory::pg3SetConfig, {.in = wide}), kBadArgument);

    ASSERT_EQ(run(memory::pg3SetDevice, {1}), kOk);
    int32_t device[2] = {};
    ASSERT_EQ(runRow(*link, memory::pg3GetDevice, {.out = device}), kOk);
    EXPECT_EQ(device[0], 1);
    EXPECT_EQ(device[1], 1);
}

TEST_F(MemoryTest, CdcRecordsAndNames) {
    open();
    const int32_t cdc[kCdcWords] = {0, 1, 22, 333, 4444, 10000, 99999, 7, 8};
    ASSERT_EQ(run(memory::setCDC, {3}, {.in = cdc}), kOk);
    EXPECT_EQ(lastCommand().payload, "3");
    EXPECT_EQ(stored("cdc", "3"), "000000000100022003330444410000999990000700008");
    int32_t back[kCdcWords] = {};
    ASSERT_EQ(run(memory::getCDC, {3}, {.out = back}), kOk);
    EXPECT_TRUE(std::equal(back, back + kCdcWords, cdc));
    const size_t before = commandsReceived();
    EXPECT_EQ(run(memory::setCDC, {8}, {.in = cdc}), kBadArgument);
    int32_t tooBig[kCdcWords] = {100000};
    EXPECT_EQ(run(memory::setCDC, {3}, {.in = tooBig}), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);

    ASSERT_EQ(run(memory::setCDCName, {3}, {.name = "A CDC name longer than twenty"}), kOk);
    EXPECT_EQ(lastCommand().payload, "3A CDC name longer th");
    char name[21];
    ASSERT_EQ(run(memory::getCDCName, {3}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "A CDC name longer th");
    EXPECT_EQ(run(memory::getCDCName, {9}, {.nameOut = name}), kBadArgument);
}

TEST_F(MemoryTest, MonitorIdentificationData) {
    open();
    const uint8_t edid[] = {0xDE, 0xAD, 0xBE, 0xEF};
    writes->clear();
    ASSERT_EQ(setDdc(*link, 0x101, 0x10, 4, edid), kOk);
    ASSERT_EQ(writes->size(), 2u);
    EXPECT_EQ((*writes)[0], frame(0xCA, std::string("\x01" "0010004", 8)));
    EXPECT_EQ((*writes)[1], (Bytes{STX, DLE, 'D', 'E', 'A', 'D', 'B', 'E', 'E', 'F', ETX}));
    uint8_t back[6] = {};
    ASSERT_EQ(getDdc(*link, 0xC9, 1, 0x0F, 6, back), kOk);
    EXPECT_EQ(lastCommand().code, 0xC9);
    const uint8_t expect[6] = {0xFF, 0xDE, 0xAD, 0xBE, 0xEF, 0xFF};
    EXPECT_EQ(std::memcmp(back, expect, 6), 0);
    ASSERT_EQ(getDdc(*link, 0xC8, 1, 0x11, 2, back), kOk);
    EXPECT_EQ(back[0], 0xAD);
    EXPECT_EQ(back[1], 0xBE);

    const size_t before = commandsReceived();
    EXPECT_EQ(getDdc(*link, 0xC9, 1, 0, 0, back), kBadArgument);
    EXPECT_EQ(getDdc(*link, 0xC9, 1, 0, 1, nullptr), kBadArgument);
    EXPECT_EQ(getDdc(*link, 0xC9, 1, 0, 1000, back), kBadArgument);
    EXPECT_EQ(getDdc(*link, 0xC9, 1, 0x10000, 1, back), kBadArgument);
    // A selector byte of ETX would end the command frame early.
    EXPECT_EQ(setDdc(*link, 0x03, 0, 1, edid), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);
}

TEST_F(MemoryTest, BitmapTravelsAsSummedBlocks) {
    open();
    const std::vector<uint8_t> table = colors();
    const std::vector<uint8_t> pixels = image(16 * 16);
    writes->clear();
    ASSERT_EQ(setBitmap(*link, 0xB2, 3, table.data(), pixels.data(), 16, 16), kOk);
    EXPECT_EQ(lastCommand().payload, "031040");
    // The record: 1040 bytes in a block of 1024 (ETB) and one of 16 (ETX).
    ASSERT_EQ(writes->size(), 3u);
    const Bytes& first = (*writes)[1];
    const Bytes& second = (*writes)[2];
    ASSERT_EQ(first.size(), 1024u + 6);
    ASSERT_EQ(second.size(), 16u + 6);
    EXPECT_EQ((Bytes{first[0], first[1], first[2], first[3]}), (Bytes{STX, SUMMED, 0x04, 0x00}));
    EXPECT_EQ((Bytes{second[0], second[1], second[2], second[3]}), (Bytes{STX, SUMMED, 0x00, 0x10}));
    EXPECT_EQ(first.back(), ETB);
    EXPECT_EQ(second.back(), ETX);
    const Bytes record = bitmapRecord(16, 16, table.data(), pixels.data());
    uint32_t sum = 0x04;
    for (size_t i = 0; i < 1024; ++i) sum += record[i];
    EXPECT_EQ(first[4 + 1024], static_cast<uint8_t>(sum));
    sum = 0x10;
    for (size_t i = 1024; i < 1040; ++i) sum += record[i];
    EXPECT_EQ(second[4 + 16], static_cast<uint8_t>(sum));
    // Header: width and height low byte first, 8 bits per pixel; colours without their fourth byte.
    EXPECT_EQ((Bytes(record.begin(), record.begin() + 16)),
              (Bytes{16, 0, 16, 0, 0, 0, 0, 0, 8, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(record[16 + 3], table[4]);

    std::vector<uint8_t> tableBack(kCallerColorTable, 0xAA), pixelsBack(300, 0xAA);
    int32_t width = 0, height = 0;
    ASSERT_EQ(getBitmap(*link, 0xB1, 3, tableBack.data(), pixelsBack.data(), 300, &width, &height), kOk);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), pixelsBack.begin()));
    EXPECT_EQ(pixelsBack[256], 0xAA);
    for (size_t i = 0; i < kColorEntries; ++i) {
        EXPECT_EQ(tableBack[4 * i], table[4 * i]);
        EXPECT_EQ(tableBack[4 * i + 2], table[4 * i + 2]);
        EXPECT_EQ(tableBack[4 * i + 3], 0);
    }
    // A small buffer keeps what fits and says so.
    std::vector<uint8_t> small(100, 0);
    EXPECT_EQ(getBitmap(*link, 0xB1, 3, tableBack.data(), small.data(), 100, &width, &height), kReplyTooLong);
    EXPECT_TRUE(std::equal(small.begin(), small.end(), pixels.begin()));
}

TEST_F(MemoryTest, BitmapSlotsNamesSizesAndStatus) {
    open();
    const std::vector<uint8_t> table = colors(), pixels = image(20 * 10);
    ASSERT_EQ(setBitmap(*link, 0xB2, 3, table.data(), pixels.data(), 20, 10), kOk);
    int32_t size = 0;
    ASSERT_EQ(run(memory::pg3GetVBMSize, {3}, {.out = &size}), kOk);
    EXPECT_EQ(size, 984);
    ASSERT_EQ(run(memory::pg3SetVBMName, {3}, {.name = "Crosshatch"}), kOk);
    char name[21];
    ASSERT_EQ(run(memory::pg3GetVBMName, {3}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "Crosshatch");

    std::vector<int32_t> status(kVbmSlots * kVbmStatusWords, -1);
    ASSERT_EQ(runRow(*link, memory::getVBMSts, {.out = status.data()}), kOk);
    EXPECT_EQ((std::vector<int32_t>(status.begin() + 10, status.begin() + 15)), (std::vector<int32_t>{20, 10, 8, 1, 0}));
    EXPECT_EQ((std::vector<int32_t>(status.begin(), status.begin() + 5)), (std::vector<int32_t>(5, 0)));

    ASSERT_EQ(run(memory::pg3DelVBM, {3}), kOk);
    EXPECT_EQ(lastCommand().payload, "03");
    ASSERT_EQ(runRow(*link, memory::getVBMSts, {.out = status.data()}), kOk);
    EXPECT_EQ(status[10], 0);
    ASSERT_EQ(run(memory::pg3DelAllVBM, {}), kOk);
    EXPECT_EQ(lastCommand().code, 0xB0);
    EXPECT_EQ(lastCommand().payload, "**");

    const size_t before = commandsReceived();
    EXPECT_EQ(setBitmap(*link, 0xB2, 65, table.data(), pixels.data(), 20, 10), kBadArgument);
    EXPECT_EQ(setBitmap(*link, 0xB2, 3, table.data(), pixels.data(), 0, 10), kBadArgument);
    EXPECT_EQ(setBitmap(*link, 0xB2, 3, nullptr, pixels.data(), 20, 10), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);
    link->close();
    open(1);  // the panel ROM has no bitmap slots
    EXPECT_EQ(setBitmap(*link, 0xB2, 1, table.data(), pixels.data(), 20, 10), kBadArgument);
}

TEST_F(MemoryTest, GraphicAndOptionPatterns) {
    open();
    const std::vector<uint8_t> table = colors(), pixels = image(100);
    const int32_t header[2] = {5, 1};
    ASSERT_EQ(setGraphicPattern(*link, 70, header, table.data(), pixels.data(), 100), kOk);
    EXPECT_EQ(lastCommand().code, 0xB4);
    EXPECT_EQ(lastCommand().payload, "70884");
    const std::string record = stored("pattern", "70");
    ASSERT_EQ(record.size(), 884u);
    EXPECT_EQ(record.substr(0, 10), std::string("VEXOR402\x05\x01"));
    int32_t headerBack[2] = {};
    std::vector<uint8_t> tableBack(kCallerColorTable), pixelsBack(200);
    int32_t length = 0;
    ASSERT_EQ(getGraphicPattern(*link, 70, headerBack, tableBack.data(), pixelsBack.data(), 200, &length), kOk);
    EXPECT_EQ(headerBack[0], 5);
    EXPECT_EQ(headerBack[1], 1);
    EXPECT_EQ(length, 100);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), pixelsBack.begin()));
    EXPECT_EQ(tableBack[5], table[5]);

    // Without the flag the colour table goes as zeros.
    const int32_t plain[2] = {9, 0};
    ASSERT_EQ(setGraphicPattern(*link, 71, plain, nullptr, pixels.data(), 10), kOk);
    EXPECT_EQ(stored("pattern", "71").substr(16, 768), std::string(768, '\0'));
    const size_t before = commandsReceived();
    EXPECT_EQ(setGraphicPattern(*link, 63, header, table.data(), pixels.data(), 10), kBadArgument);
    EXPECT_EQ(setGraphicPattern(*link, 100, header, table.data(), pixels.data(), 10), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);

    // Option patterns of the third form carry their number in hexadecimal.
    const std::vector<uint8_t> bytes = image(1500);
    ASSERT_EQ(setOptionPattern(*link, 64, bytes.data(), 1500), kOk);
    EXPECT_EQ(lastCommand().payload, "401500");
    std::vector<uint8_t> back(2000);
    ASSERT_EQ(getOptionPattern(*link, 64, back.data(), 2000, &length), kOk);
    EXPECT_EQ(length, 1500);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), back.begin()));
    int32_t size = 0;
    ASSERT_EQ(run(memory::pg3GetOptPtnSize, {64}, {.out = &size}), kOk);
    EXPECT_EQ(size, 1500);
    ASSERT_EQ(run(memory::pg3SetOptPtnName, {64}, {.name = "Pattern"}), kOk);
    EXPECT_EQ(lastCommand().payload, "40Pattern");
    char name[21];
    ASSERT_EQ(run(memory::pg3GetOptPtnName, {64}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "Pattern");

    std::vector<int32_t> status(kOptionPatterns * kOptionStatusWords, -1);
    ASSERT_EQ(runRow(*link, memory::getOptPtnSts, {.out = status.data()}), kOk);
    EXPECT_EQ(status[64 * 2], 1);
    EXPECT_EQ(status[65 * 2], 0);
    ASSERT_EQ(run(memory::pg3DelOptPtn, {64}), kOk);
    EXPECT_EQ(lastCommand().payload, "40");
    EXPECT_EQ(getOptionPattern(*link, 64, back.data(), 2000, &length), kRefused);
    ASSERT_EQ(run(memory::pg3DelAllOptPtn, {}), kOk);
    EXPECT_EQ(lastCommand().payload, "**");
}

TEST_F(MemoryTest, GroupPairsAndGroupNames) {
    open();
    int32_t max = 0;
    ASSERT_EQ(limits.maximum(LimitMax::GroupProgCnt, 0, max), 0);
    ASSERT_EQ(max, 58);
    std::vector<int32_t> pairs(2 * 58);
    for (size_t i = 0; i < pairs.size(); ++i) pairs[i] = static_cast<int32_t>(i * 7 % 1000);
    ASSERT_EQ(setGroupPairs(*link, 0xAA, 12, pairs.data(), 58), kOk);
    EXPECT_EQ(lastCommand().payload.size(), 2u + 6 * 58);
    EXPECT_EQ(lastCommand().payload.substr(0, 8), "12000007");
    std::vector<int32_t> back(pairs.size(), -1);
    ASSERT_EQ(getGroupPairs(*link, 0xAB, 12, back.data(), 116), kOk);
    EXPECT_EQ(back, pairs);
    const size_t before = commandsReceived();
    EXPECT_EQ(setGroupPairs(*link, 0xAA, 12, pairs.data(), 57), kBadArgument);
    EXPECT_EQ(setGroupPairs(*link, 0xAA, 33, pairs.data(), 58), kBadArgument);
    pairs[3] = 1000;
    EXPECT_EQ(setGroupPairs(*link, 0xAA, 12, pairs.data(), 58), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);

    ASSERT_EQ(run(memory::pg3SetGroupName, {12}, {.name = "Group twelve"}), kOk);
    EXPECT_EQ(lastCommand().payload, "12Group twelve");
    char name[21];
    ASSERT_EQ(run(memory::pg3GetGroupName, {12}, {.nameOut = name}), kOk);
    EXPECT_STREQ(name, "Group twelve");
}

TEST_F(MemoryTest, FormattingTheCardForgetsItsContents) {
    open();
    const std::vector<uint8_t> table = colors(), pixels = image(4);
    ASSERT_EQ(setBitmap(*link, 0xB2, 1, table.data(), pixels.data(), 2, 2), kOk);
    ASSERT_EQ(runRow(*link, memory::pg3MemCardFormat, {}), kOk);
    EXPECT_EQ(lastCommand().code, 0xBF);
    EXPECT_EQ(stored("vbm", "01"), "<none>");
}
