#include <gtest/gtest.h>

#include "sim/patgen/patgen_core.h"

using namespace patgen;

namespace {
constexpr uint8_t STX = 0x02, ETX = 0x03, ENQ = 0x05, ACK = 0x06, NAK = 0x15, ETB = 0x17;

Bytes summed(const Bytes& data, bool last, uint8_t sumFix = 0) {
    const uint8_t high = static_cast<uint8_t>(data.size() >> 8), low = static_cast<uint8_t>(data.size());
    Bytes b = {STX, 0x90, high, low};
    uint32_t sum = high + low;
    for (uint8_t d : data) sum += d, b.push_back(d);
    b.push_back(static_cast<uint8_t>(sum + sumFix));
    b.push_back(last ? ETX : ETB);
    return b;
}
} // namespace

TEST(PatgenCore, GreetsAndRefusesUnknownCommands) {
    PatgenCore core;
    EXPECT_EQ(core.feed(Bytes{ENQ}), Bytes{ACK});
    EXPECT_EQ(core.feed(Bytes{STX, 'Z', '1', ETX}), (Bytes{STX, 0x11, '9', '9', ETX}));
    ASSERT_EQ(core.received().size(), 1u);
    EXPECT_EQ(core.received()[0].payload, "1");
    core.faults().nakEnquiry = 1;
    EXPECT_EQ(core.feed(Bytes{ENQ, ENQ}), (Bytes{NAK, ACK}));
}

TEST(PatgenCore, SummedBlocksFromTheHostAreChecked) {
    PatgenCore core;
    CommandEntry entry;
    entry.code = 0x60;
    entry.kind = Kind::SummedDown;
    entry.store = "char";
    core.addCommand(entry);
    EXPECT_EQ(core.feed(Bytes{STX, 0x60, 'E', '0', ETX}), Bytes{ACK});
    EXPECT_EQ(core.feed(summed({1, 2, 3}, false, 1)), Bytes{NAK});
    EXPECT_EQ(core.feed(summed({1, 2, 3}, false)), Bytes{ACK});
    EXPECT_EQ(core.feed(summed({4}, true)), Bytes{ACK});
    ASSERT_TRUE(core.item("char", "E0"));
    EXPECT_EQ(*core.item("char", "E0"), (Bytes{1, 2, 3, 4}));
    EXPECT_TRUE(core.idle());
}

TEST(PatgenCore, DownloadedItemsAreKeyedByTheirCommandText) {
    PatgenCore core;
    CommandEntry down;
    down.code = 0x5D;
    down.kind = Kind::Down;
    down.form = Form::Plain;
    down.blockSize = 4;
    down.dataLength = 6;
    down.store = "program";
    down.keyChars = 3;
    core.addCommand(down);
    EXPECT_EQ(core.feed(Bytes{STX, 0x5D, '0', '0', '1', 'x', ETX}), Bytes{ACK});
    // A block of the wrong size ends in the wrong place and is refused.
    EXPECT_EQ(core.feed(Bytes{STX, 'a', 'b', 'c', 'd', ETX}), Bytes{NAK});
    EXPECT_EQ(core.feed(Bytes{STX, 'a', 'b', 'c', 'd', ETB}), Bytes{ACK});
    EXPECT_EQ(core.feed(Bytes{STX, 'e', 'f', ETX}), Bytes{ACK});
    ASSERT_TRUE(core.item("program", "001"));
    EXPECT_EQ(*core.item("program", "001"), (Bytes{'a', 'b', 'c', 'd', 'e', 'f'}));
}

TEST(PatgenCore, ParsesCommandSpecs) {
    CommandEntry s;
    ASSERT_TRUE(parseCommandSpec("0x5D,down,dle,250,program,3,250", s));
    EXPECT_EQ(s.code, 0x5D);
    EXPECT_EQ(s.kind, Kind::Down);
    EXPECT_EQ(s.keyChars, 3u);
    EXPECT_EQ(s.dataLength, 250u);
    ASSERT_TRUE(parseCommandSpec("65,sup,plain,1024,image,all,0", s));
    EXPECT_EQ(s.keyChars, std::string::npos);
    std::string error;
    EXPECT_FALSE(parseCommandSpec("65,fly,plain,1024,image,all,0", s, &error));
    EXPECT_FALSE(parseCommandSpec("65,up,dle,0,image,all,0", s, &error));
    EXPECT_FALSE(parseCommandSpec("65,up", s, &error));
}
