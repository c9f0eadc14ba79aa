#include <gtest/gtest.h>

#include "genlink/fields.h"
#include "genlink/frames.h"
#include "genlink/result_codes.h"

using namespace genlink;

namespace {
Bytes bytes(std::initializer_list<int> v) {
    Bytes b;
    for (int x : v) b.push_back(static_cast<uint8_t>(x));
    return b;
}
} // namespace

TEST(Frames, CommandFrameAndBlocks) {
    const uint8_t payload[] = {'0', '1', '2'};
    EXPECT_EQ(commandFrame(0x07, payload, 3), bytes({0x02, 0x07, '0', '1', '2', 0x03}));
    EXPECT_EQ(commandFrame(0x41, nullptr, 0), bytes({0x02, 0x41, 0x03}));
    const uint8_t data[] = {0x03, 0x17, 0xAA};
    EXPECT_EQ(dataBlock(BlockForm::Dle, data, 3, false), bytes({0x02, 0x10, 0x03, 0x17, 0xAA, 0x17}));
    EXPECT_EQ(dataBlock(BlockForm::Plain, data, 3, true), bytes({0x02, 0x03, 0x17, 0xAA, 0x03}));
    EXPECT_EQ(dataBlock(BlockForm::Dle, nullptr, 0, true), bytes({0x02, 0x10, 0x03}));
    EXPECT_TRUE(blockIsGood(BlockForm::Dle, dataBlock(BlockForm::Dle, data, 3, true).data(), 6, true));
    EXPECT_FALSE(blockIsGood(BlockForm::Dle, dataBlock(BlockForm::Dle, data, 3, true).data(), 6, false));
    EXPECT_FALSE(blockIsGood(BlockForm::Dle, dataBlock(BlockForm::Plain, data, 3, true).data(), 5, true));
}

TEST(Frames, SummedBlockChecksumCoversLengthAndData) {
    Bytes data(300, 0x01);
    // length 0x012C: 0x01 + 0x2C + 300 * 1 = 0x159 -> 0x59
    EXPECT_EQ(summedChecksum(data.data(), data.size()), 0x59);
    Bytes b = summedBlock(data.data(), data.size(), true);
    ASSERT_EQ(b.size(), 306u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 4), bytes({0x02, 0x90, 0x01, 0x2C}));
    EXPECT_EQ(b[304], 0x59);
    EXPECT_EQ(b[305], 0x03);
    const uint8_t two[] = {0xFF, 0xFF};
    EXPECT_EQ(summedBlock(two, 2, false), bytes({0x02, 0x90, 0x00, 0x02, 0xFF, 0xFF, 0x00, 0x17}));
}

TEST(Frames, ErrorFrameNumbers) {
    auto number = [](std::initializer_list<int> rest) {
        Bytes b = bytes(rest);
        return errorFrameNumber(b.data(), b.size());
    };
    EXPECT_EQ(number({0x11, '0', '7', 0x03}), 7);
    EXPECT_EQ(number({0x11, '1', '2', 0x03}), 12);
    EXPECT_EQ(number({0x11, ' ', '5', 0x03}), 5);
    EXPECT_EQ(number({0x11, '-', '3', 0x03}), -3);
    EXPECT_EQ(number({0x11, '4', 'x', 0x03}), 4);
    EXPECT_FALSE(number({0x12, '0', '7', 0x03}));
    EXPECT_FALSE(number({0x11, '0', '7', 0x17}));
    EXPECT_EQ(errorFrame(7), bytes({0x02, 0x11, '0', '7', 0x03}));
}

TEST(Frames, ResultWord) {
    EXPECT_EQ(resultWord(kOk, 7), 0xFF00);
    EXPECT_EQ(resultWord(kBadArgument, 0), 0xFFD7);
    EXPECT_EQ(resultWord(kRefused, 7), 0x07D0);
    EXPECT_EQ(resultWord(kRefused, 12), 0x0CD0);
    EXPECT_EQ(resultWord(kMutexFailed, 0), 0xFFC4);
    EXPECT_EQ(resultWord(kRefused, -1) & ~0xFFFF, 0);
}

TEST(Fields, Encodings) {
    EXPECT_EQ(decimalField(7, 3), "007");
    EXPECT_EQ(decimalField(1234, 3), "234");
    EXPECT_EQ(decimalField(0, 1), "0");
    EXPECT_EQ(hexField(0xAB, 2), "AB");
    EXPECT_EQ(hexField(0x1AB, 2), "AB");
    EXPECT_EQ(hexField(10, 1), "A");
    EXPECT_EQ(signedField(-25, 4), "1025");
    EXPECT_EQ(signedField(25, 4), "0025");
    EXPECT_EQ(freeSigned(-40), "140");
    EXPECT_EQ(freeSigned(0), "00");
    EXPECT_EQ(freeUnsigned(4095), "4095");
    EXPECT_EQ(nameField("ABC", 5), "ABC  ");
    EXPECT_EQ(nameField("ABCDEFG", 5), "ABCDE");
}

TEST(Fields, ReadBack) {
    EXPECT_EQ(readDecimalField("0123", 3), 12);
    EXPECT_EQ(readHexField("aF", 2), 0xAF);
    EXPECT_EQ(readSignedField("1025", 4), -25);
    EXPECT_EQ(readSignedField("0025", 4), 25);
    EXPECT_EQ(readSignedField("x025", 4), -25);
    EXPECT_EQ(readNameField("AB   XYZ", 5), "AB");
    const char withNul[5] = {'A', 'B', 0, 'C', ' '};
    EXPECT_EQ(readNameField(withNul, 5), "AB");
}
