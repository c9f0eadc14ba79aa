// The group table against the public records, and the "%d" number rule.
#include "setstore/group_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "setstore.h"
#include "setstore/decimal_text.h"

using namespace setstore;

namespace {

TEST(SetstoreTable, FieldsTileEveryRecordInOrderWithoutGaps)
{
    for (int i = 0; i < kGroupCount; ++i) {
        const GroupSpec& g = groupSpec(static_cast<GroupId>(i));
        EXPECT_EQ(static_cast<GroupId>(i), g.id);
        size_t at = 0;
        for (const ValueSpec& v : g.values) {
            EXPECT_EQ(at, v.offset) << g.name << " " << (v.name ? v.name : "(shared)");
            at = v.offset + v.width;
        }
        if (g.id == GroupId::Layout)
            EXPECT_TRUE(g.values.empty());
        else
            EXPECT_EQ(g.size, at) << g.name;
    }
    EXPECT_EQ(20u, initOrder().size());
    EXPECT_EQ(20u, std::set<GroupId>(initOrder().begin(), initOrder().end()).size());
}

TEST(SetstoreTable, KeysAndNamesOfTheTree)
{
    const GroupSpec& seri = groupSpec(GroupId::Seri);
    EXPECT_EQ("Software\\Vexordyne\\XR4410\\Com\\Seri", sectionName(seri.values[1].key));
    EXPECT_STREQ("Bps", seri.values[1].name);

    const GroupSpec& option = groupSpec(GroupId::OptionPtn);
    EXPECT_STREQ("OptionPtn\\Margin", option.values[0].key);
    EXPECT_STREQ("TopMargin", option.values[0].name);
    EXPECT_STREQ("OptionPtn", option.values[4].key);
    EXPECT_STREQ("PrintFileName", option.values[4].name);
    const ValueSpec& fontName = option.values[7];
    EXPECT_STREQ("OptionPtn\\Font", fontName.key);
    EXPECT_STREQ("Name", fontName.name);
    EXPECT_EQ(ValueKind::Text, fontName.kind);
    EXPECT_EQ(offsetof(REG_OPTIONPTN, Font) + offsetof(REG_FONT, Name), fontName.offset);
    EXPECT_EQ(32u, fontName.width);

    const GroupSpec& paths = groupSpec(GroupId::FilePath);
    ASSERT_EQ(24u, paths.values.size());
    EXPECT_FALSE(paths.values[11].stored()); // ADEditPath
    EXPECT_EQ(offsetof(REG_FILEPATH, ADEditPath), paths.values[11].offset);
    EXPECT_STREQ("GpcEditDataPath", paths.values[23].name);
    EXPECT_STREQ("Layout", groupSpec(GroupId::Common).values[0].name);
    EXPECT_EQ(260u, groupSpec(GroupId::Common).values[0].width);
    EXPECT_STREQ("Enable", groupSpec(GroupId::Com).values[0].name);
}

TEST(SetstoreTable, TerminateTextsCutsOnlyTouchedTexts)
{
    REG_PG pg;
    std::memset(&pg, 'A', sizeof pg);
    auto* bytes = reinterpret_cast<uint8_t*>(&pg);
    terminateTexts(groupSpec(GroupId::PG), bytes, offsetof(REG_PG, DtDevice), 4);
    EXPECT_EQ('A', pg.PGType[15]);
    terminateTexts(groupSpec(GroupId::PG), bytes, 0, sizeof pg);
    EXPECT_EQ(std::string(15, 'A'), std::string(pg.PGType));
}

TEST(SetstoreMemKind, DeviceOneWithPanelRomZeroToThree)
{
    EXPECT_EQ(3, mixMemKind(1, 2, 0));
    EXPECT_EQ(1, mixMemKind(1, 0, 0));
    EXPECT_EQ(4, mixMemKind(1, 3, 9));
    EXPECT_EQ(0, mixMemKind(0, 2, 0));
    EXPECT_EQ(0, mixMemKind(0, 0, 1));
    EXPECT_EQ(0, mixMemKind(1, 7, 0));
    EXPECT_EQ(0, mixMemKind(1, -1, 0));
    EXPECT_EQ(0, mixMemKind(2, 1, 0));
}

TEST(SetstoreDecimal, ReadsLikePercentD)
{
    EXPECT_EQ(9600, parseDecimal("9600"));
    EXPECT_EQ(-17, parseDecimal("  -17"));
    EXPECT_EQ(5, parseDecimal("+5"));
    EXPECT_EQ(12, parseDecimal("12abc"));
    EXPECT_EQ(0, parseDecimal("0x1F"));
    EXPECT_EQ(2147483647, parseDecimal("99999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, parseDecimal("-2147483648"));
    EXPECT_EQ(-2147483647 - 1, parseDecimal("-99999999999"));
    EXPECT_FALSE(parseDecimal(""));
    EXPECT_FALSE(parseDecimal("abc"));
    EXPECT_FALSE(parseDecimal("-"));
    EXPECT_FALSE(parseDecimal(" + 5"));
    EXPECT_EQ("-2147483648", formatDecimal(-2147483647 - 1));
    EXPECT_EQ("0", formatDecimal(0));
    EXPECT_EQ("9600", formatDecimal(9600));
}

} // namespace
