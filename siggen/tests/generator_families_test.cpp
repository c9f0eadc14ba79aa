// What the timing-card and command-generator drivers keep and how they word
// their apply failures.
#include <gtest/gtest.h>

#include <cstring>

#include "siggen/qd_generator.h"
#include "siggen/vtg_card.h"

using namespace siggen;

TEST(TimingCardFamily, HandleStartsAtOneAndKeepsTheSignExtendedOpenResult) {
    VtgCard card;
    EXPECT_EQ(card.handle(), 1);
    EXPECT_TRUE(card.available());
    card.opened(0xFF);  // -1 in 8 bits: no card
    EXPECT_EQ(card.handle(), -1);
    EXPECT_FALSE(card.available());
    card.opened(0x1203);  // only the low 8 bits count
    EXPECT_EQ(card.handle(), 3);
    card.opened(0x80);
    EXPECT_EQ(card.handle(), -128);
    card.closed(0);
    EXPECT_EQ(card.handle(), 0);
}

TEST(TimingCardFamily, OnlyAFailedLoadIsWorded) {
    EXPECT_EQ(vtgApplyFailure(0), std::nullopt);
    EXPECT_EQ(vtgApplyFailure(1), " VTG File is nothing ! ");
}

TEST(CommandGeneratorFamily, StatusesAreWorded) {
    EXPECT_EQ(qdApplyFailure(1), std::nullopt);
    EXPECT_EQ(qdApplyFailure(2091), " Quntum SG can't set the timing ! \nHtot is not even.");
    EXPECT_EQ(qdApplyFailure(5), " Quntum SG can't set the timing ! \nStatus =    5");
    EXPECT_EQ(qdApplyFailure(0), " Quntum SG can't set the timing ! \nStatus =    0");
    EXPECT_EQ(qdApplyFailure(-12345), " Quntum SG can't set the timing ! \nStatus = -12345");
}

TEST(CommandGeneratorFamily, FirmwareVersionIsTheReplysDecimalValue) {
    QdFirmware fw;
    EXPECT_EQ(fw.version(), 0.0);
    EXPECT_FALSE(fw.hasHatchImages());

    auto read = [&fw](const char* reply) {
        char buffer[52] = {};
        std::strncpy(buffer, reply, sizeof buffer - 1);
        fw.readReply(buffer, sizeof buffer);
        return fw.version();
    };
    EXPECT_DOUBLE_EQ(read("3.010"), 3.01);
    EXPECT_TRUE(fw.hasHatchImages());
    EXPECT_DOUBLE_EQ(read("2.982"), 2.982);
    EXPECT_FALSE(fw.hasHatchImages());  // only above 2.982
    EXPECT_DOUBLE_EQ(read(" 2.983\r\n"), 2.983);
    EXPECT_TRUE(fw.hasHatchImages());
    EXPECT_DOUBLE_EQ(read("4.1 build 7"), 4.1);
    EXPECT_EQ(read("V3.1"), 0.0);  // no number: version 0
    EXPECT_FALSE(fw.hasHatchImages());
    EXPECT_EQ(read(""), 0.0);

    // A reply that fills its buffer without a NUL is read within the buffer.
    char full[8];
    std::memset(full, '7', sizeof full);
    fw.readReply(full, sizeof full);
    EXPECT_DOUBLE_EQ(fw.version(), 77777777.0);
    fw.readReply(nullptr, 52);
    EXPECT_EQ(fw.version(), 0.0);
}
