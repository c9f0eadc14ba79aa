#include <gtest/gtest.h>

#include "sim/patgen/memory_commands.h"
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

TEST(PatgenCore, EntriesSharingACodeAreChosenByPayload) {
    PatgenCore core;
    CommandEntry query;
    query.code = 0x50;
    query.kind = Kind::Up;
    query.form = Form::Plain;
    query.dataLength = 1;
    query.blockSize = 1;
    query.accepts = [](const std::string& p) { return p == "2"; };
    query.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        const Bytes* mode = c.item("mode", "");
        return mode ? *mode : Bytes{'0'};
    };
    core.addCommand(query);
    CommandEntry set;
    set.code = 0x50;
    set.kind = Kind::Cmd;
    set.store = "mode";
    set.keyChars = 0;
    set.storesPayload = true;
    set.sink = [](PatgenCore&, const std::string& p, const Bytes&) { return p == "9" ? 7 : 0; };
    core.addCommand(set);

    EXPECT_EQ(core.feed(Bytes{STX, 0x50, '2', ETX}), (Bytes{ACK, STX, '0', ETX}));
    EXPECT_EQ(core.feed(Bytes{STX, 0x50, '1', ETX}), Bytes{ACK});
    EXPECT_EQ(*core.item("mode", ""), Bytes{'1'});
    EXPECT_EQ(core.feed(Bytes{STX, 0x50, '2', ETX}), (Bytes{ACK, STX, '1', ETX}));
    // The command's own test refuses before anything is stored.
    EXPECT_EQ(core.feed(Bytes{STX, 0x50, '9', ETX}), (Bytes{STX, 0x11, '0', '7', ETX}));
    EXPECT_EQ(*core.item("mode", ""), Bytes{'1'});
}

TEST(PatgenCore, SourcesAnswerFromStateAndRefuseWithoutIt) {
    PatgenCore core;
    CommandEntry status;
    status.code = 0x7D;
    status.kind = Kind::Reply;
    status.replyDle = true;
    status.source = [](PatgenCore& c, const std::string& p) -> std::optional<Bytes> {
        if (!c.item("slot", p)) return std::nullopt;
        return Bytes{'o', 'k'};
    };
    core.addCommand(status);
    core.setItem("slot", "01", {1});
    EXPECT_EQ(core.feed(Bytes{STX, 0x7D, '0', '1', ETX}), (Bytes{ACK, STX, 0x10, 'o', 'k', ETX}));
    core.feed(Bytes{ACK});
    EXPECT_EQ(core.feed(Bytes{STX, 0x7D, '0', '2', ETX}), (Bytes{STX, 0x11, '2', '0', ETX}));
}

TEST(PatgenCore, FiguresAreKeptPerPlane) {
    PatgenCore core;
    std::vector<std::string> logged;
    core.onFigure = [&](const Figure& f) { logged.push_back(f.name); };
    core.addFigure({"DrawLine", 'G', "01,01,02,02", {}});
    core.addFigure({"G8DrawDot", 'C', "1,1,7", {}});
    core.addFigure({"DrawCharacter", 'T', "0,1,1", "AB"});
    EXPECT_EQ(logged, (std::vector<std::string>{"DrawLine", "G8DrawDot", "DrawCharacter"}));
    core.clearFigures("GT");
    ASSERT_EQ(core.figures().size(), 1u);
    EXPECT_EQ(core.figures()[0].name, "G8DrawDot");
}

TEST(PatgenCore, IdentificationReadsTakeOnlyDigitsForAddressAndCount) {
    PatgenCore core;
    addMemoryCommands(core);
    const Bytes noItem = {STX, 0x11, '2', '0', ETX};
    // Four hex digits of address, three decimal of count: answered.
    EXPECT_NE(core.feed(Bytes{STX, 0xC8, 'A', '0', '0', 'a', 'F', '0', '0', '2', ETX}), noItem);
    core.reset();
    // Found by fuzzing: the count "-1\\" read as 2^64 - 1, and the generator
    // kept building its answer (and sized its transfer to twice that).
    const Bytes found = {0x02, 0xC8, 0x00, 0x02, 0xC8, 0xB5, 0x30, 0x2D, 0x31, 0x5C, 0x03, 0x00, 0x0C};
    EXPECT_EQ(core.feed(found), noItem);
    for (const char* bad : {"A 0001 2", "A00-1002", "A0001+02", "A0001-01", "A0x01002", "A0001 02"}) {
        core.reset();
        Bytes frame = {STX, 0xC8};
        frame.insert(frame.end(), bad, bad + 8);
        frame.push_back(ETX);
        EXPECT_EQ(core.feed(frame), noItem) << bad;
    }
}
