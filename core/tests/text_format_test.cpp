#include <gtest/gtest.h>

#include "core/text_format.h"

using namespace core;

TEST(TextFormat, FormatsLikePrintfAtAnyLength) {
    EXPECT_EQ(strf("%3d:%-15s:%-5d :%4xH", 7, "H_SIZE", 12, 0x3A), "  7:H_SIZE         :12    :  3aH");
    EXPECT_EQ(strf("%4.3f", 25.175), "25.175");
    std::string longText(1000, 'x');
    EXPECT_EQ(strf("[%s]", longText.c_str()).size(), 1002u);
}

TEST(TextFormat, FixedFieldsCutAndTerminate) {
    char field[16];
    copyToField(field, sizeof field, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(fieldText(field, sizeof field), "ABCDEFGHIJKLMNO");
    const char raw[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(fieldText(raw, 4), "abcd");
    const char withNul[4] = {'a', 0, 'c', 'd'};
    EXPECT_EQ(fieldText(withNul, 4), "a");
}
