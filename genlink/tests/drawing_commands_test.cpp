#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_fixture.h"
#include "genlink/drawing_commands.h"

using namespace genlink;
using genlink::testing::CommandTest;

namespace {

class DrawingTest : public CommandTest {
protected:
    int run(const Row& row, std::vector<int32_t> args) { return runRow(*link, row, {.args = args.data()}); }
    // Runs the row and gives the payload the generator received.
    std::string payloadOf(const Row& row, std::vector<int32_t> args) {
        EXPECT_EQ(run(row, args), kOk) << row.name;
        EXPECT_EQ(lastCommand().code, row.code) << row.name;
        return lastCommand().payload;
    }
};

// Every figure row with the fields each of its checks covers.
struct Checked {
    const Row* row;
    int arguments;
};

const Checked kFigureRows[] = {
    {&drawing::drawCircle, 3},    {&drawing::clrCircle, 3},     {&drawing::fillCircle, 3},
    {&drawing::eraseCircle, 3},   {&drawing::drawLine, 4},      {&drawing::clrLine, 4},
    {&drawing::drawDot, 2},       {&drawing::clrDot, 2},        {&drawing::drawBoxPaint, 4},
    {&drawing::clrBoxPaint, 4},   {&drawing::drawWindow, 4},    {&drawing::clrWindow, 4},
    {&drawing::drawRect, 4},      {&drawing::clrRect, 4},       {&drawing::fillTriangle, 6},
    {&drawing::eraseTriangle, 6}, {&drawing::drawEllipse, 4},   {&drawing::clrEllipse, 4},
    {&drawing::fillEllipse, 4},   {&drawing::eraseEllipse, 4},  {&drawing::g1BitBlt, 6},
    {&drawing::g8DrawCircle, 4},  {&drawing::g8FillCircle, 4},  {&drawing::g8DrawLine, 5},
    {&drawing::g8DrawDot, 3},     {&drawing::g8FillRect, 5},    {&drawing::g8DrawRect, 5},
    {&drawing::g8FillTriangle, 7}, {&drawing::g8DrawEllipse, 5}, {&drawing::g8FillEllipse, 5},
    {&drawing::g8BitBlt, 6},      {&drawing::g8Color2, 4},
};

size_t fieldsOf(LimitCheck c) {
    switch (c) {
    case LimitCheck::Circle: return 3;
    case LimitCheck::Ellipse: return 4;
    case LimitCheck::BitBlt: return 6;
    case LimitCheck::G8Color: return 1;
    default: return 2;
    }
}

} // namespace

TEST_F(DrawingTest, NumberFieldsOnTheWire) {
    open();
    // S fields carry a sign digit and no leading zeros.
    EXPECT_EQ(payloadOf(drawing::drawLine, {-25, 25, 0, 0}), "125,025,00,00");
    EXPECT_EQ(payloadOf(drawing::drawCircle, {-100, 50, 20}), "1100,050,20");
    EXPECT_EQ(payloadOf(drawing::drawLine, {-1, 5, 10, 10}), "11,05,010,010");
    EXPECT_EQ(payloadOf(drawing::g8DrawLine, {1, -2, 3, 4, 255}), "01,12,03,04,255");
    EXPECT_EQ(payloadOf(drawing::drawEllipse, {0, 0, 7, 8}), "00,00,7,8");
    // U fields drop the sign: no figure accepts a negative one, so a row without checks shows it.
    static constexpr Slot kUnsigned[] = {arg(0, Put::Unsigned), arg(1, Put::Unsigned), arg(2, Put::Unsigned)};
    const Row unchecked{"unchecked", 0x18, Flow::Cmd, kUnsigned, {}, {}, true};
    EXPECT_EQ(payloadOf(unchecked, {-25, 25, 0}), "25,25,0");
    // A block transfer sends its source last.
    EXPECT_EQ(payloadOf(drawing::g1BitBlt, {1, 2, 3, 4, 5, 6}), "3,4,5,6,1,2");
    EXPECT_EQ(payloadOf(drawing::g8BitBlt, {1, 2, 3, 4, 5, 6}), "3,4,5,6,1,2");
    EXPECT_EQ(payloadOf(drawing::g8Color2, {0, 1, 254, 255}), "0,1,254,255");
    // The whole command frame, byte for byte.
    ASSERT_FALSE(writes->empty());
    EXPECT_EQ(writes->back(), frame(0xEC, "0,1,254,255"));
}

TEST_F(DrawingTest, FlagsLettersAndSingleDigits) {
    open();
    EXPECT_EQ(payloadOf(drawing::signOnOff, {1, 0, 1, 0, 0, 1}), "^`g");
    EXPECT_EQ(payloadOf(drawing::signOnOff, {0, 0, 0, 0, 0, 0}), "");
    EXPECT_EQ(payloadOf(drawing::syncOnOff, {1, 0, 1}), "101");
    EXPECT_EQ(payloadOf(drawing::incDirectDisp, {}), "c");
    EXPECT_EQ(payloadOf(drawing::decDirectDisp, {}), "d");
    EXPECT_EQ(stored("directdisp", ""), "cd");
    EXPECT_EQ(payloadOf(drawing::g8Color, {7}), "7");
    EXPECT_EQ(payloadOf(drawing::g8DispMode, {0}), "0");

    const size_t before = commandsReceived();
    EXPECT_EQ(run(drawing::signOnOff, {1, 0, 1, 2, 0, 1}), kBadArgument);
    EXPECT_EQ(run(drawing::syncOnOff, {2, 0, 0}), kBadArgument);
    EXPECT_EQ(run(drawing::syncOnOff, {0, 0, -1}), kBadArgument);
    // One digit holds 0..9; 12 would travel as 2.
    EXPECT_EQ(run(drawing::g8Color, {12}), kBadArgument);
    EXPECT_EQ(run(drawing::g8DispMode, {-1}), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);
}

TEST_F(DrawingTest, EveryLimitCheckRefusesBeforeAnyByteIsSent) {
    open();
    for (const Checked& c : kFigureRows) {
        // 10 passes every range: coordinates, radii, block transfer sizes and colour indexes.
        std::vector<int32_t> good(static_cast<size_t>(c.arguments), 10);
        ASSERT_EQ(run(*c.row, good), kOk) << c.row->name;
        ASSERT_FALSE(c.row->guards.empty()) << c.row->name;
        for (const Guard& g : c.row->guards) {
            for (size_t f = 0; f < fieldsOf(g.limit); ++f) {
                for (int32_t bad : {5000, -3000}) {
                    std::vector<int32_t> args = good;
                    args[static_cast<size_t>(g.index) + f] = bad;
                    writes->clear();
                    const size_t before = commandsReceived();
                    EXPECT_EQ(run(*c.row, args), kBadArgument) << c.row->name << " field " << g.index + f;
                    EXPECT_EQ(commandsReceived(), before) << c.row->name;
                    EXPECT_TRUE(writes->empty()) << c.row->name;
                }
            }
        }
    }
    // The ranges that differ between the figures.
    EXPECT_EQ(run(drawing::drawDot, {-1, 5}), kBadArgument);
    EXPECT_EQ(run(drawing::drawRect, {0, 0, -1, 5}), kBadArgument);
    EXPECT_EQ(run(drawing::drawCircle, {0, 0, 0}), kBadArgument);
    EXPECT_EQ(run(drawing::fillTriangle, {-2048, -2048, 4095, 4095, 0, 0}), kOk);
    EXPECT_EQ(run(drawing::g1BitBlt, {0, 0, 0, 0, 0, 1}), kBadArgument);
    EXPECT_EQ(run(drawing::g8DrawDot, {0, 0, 256}), kBadArgument);
}

TEST_F(DrawingTest, GeneratorKeepsTheFiguresUntilTheirPlaneIsCleared) {
    open();
    ASSERT_EQ(run(drawing::drawCircle, {-100, 50, 20}), kOk);
    ASSERT_EQ(run(drawing::g8FillRect, {1, 2, 3, 4, 5}), kOk);
    ASSERT_EQ(drawCharacter(*link, 3, 100, 2000, "Hi"), kOk);
    ASSERT_EQ(sim.core->figures().size(), 3u);
    EXPECT_EQ(sim.core->figures()[0].name, "DrawCircle");
    EXPECT_EQ(sim.core->figures()[0].payload, "1100,050,20");
    EXPECT_EQ(sim.core->figures()[1].plane, 'C');
    EXPECT_EQ(sim.core->figures()[2].payload, "3,100,2000");
    EXPECT_EQ(sim.core->figures()[2].text, "Hi");
    ASSERT_EQ(run(drawing::clrGPlane, {}), kOk);
    ASSERT_EQ(sim.core->figures().size(), 1u);
    EXPECT_EQ(sim.core->figures()[0].name, "G8FillRect");
    ASSERT_EQ(run(drawing::clrAllPlane, {}), kOk);
    EXPECT_TRUE(sim.core->figures().empty());
    ASSERT_EQ(run(drawing::crtOff, {}), kOk);
    EXPECT_EQ(stored("crt", ""), "0");
    ASSERT_EQ(run(drawing::crtOn, {}), kOk);
    EXPECT_EQ(stored("crt", ""), "1");
}

TEST_F(DrawingTest, TextTravelsInBlocksOf128) {
    open();
    const size_t before = commandsReceived();
    EXPECT_EQ(drawCharacter(*link, 6, 0, 0, "A"), kBadArgument);
    EXPECT_EQ(drawCharacter(*link, 0, -1, 0, "A"), kBadArgument);
    EXPECT_EQ(drawCharacter(*link, 0, 0, 0, ""), kBadArgument);
    EXPECT_EQ(drawCharacter(*link, 0, 0, 0, nullptr), kBadArgument);
    EXPECT_EQ(drawCharacter(*link, 0, 0, 0, "A\x03" "B"), kBadArgument);
    EXPECT_EQ(commandsReceived(), before);

    const std::string text(300, 'x');
    writes->clear();
    ASSERT_EQ(drawCharacter(*link, 5, 4095, 0, text.c_str()), kOk);
    EXPECT_EQ(lastCommand().payload, "5,4095,0");
    // Command frame, then DLE blocks of 128, 128 and 44 bytes.
    ASSERT_EQ(writes->size(), 4u);
    EXPECT_EQ((*writes)[0], frame(0x27, "5,4095,0"));
    EXPECT_EQ((*writes)[1].size(), 128u + 3);
    EXPECT_EQ((*writes)[1][1], DLE);
    EXPECT_EQ((*writes)[1].back(), ETB);
    EXPECT_EQ((*writes)[3].size(), 44u + 3);
    EXPECT_EQ((*writes)[3].back(), ETX);
    EXPECT_EQ(sim.core->figures().back().text, text);
}

TEST_F(DrawingTest, ColoursCursorAndPlaneSize) {
    open();
    std::vector<int32_t> table(3 * kColorPlaneEntries);
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<int32_t>(i % 1000);
    ASSERT_EQ(runRow(*link, drawing::setColorPlane, {.in = table.data()}), kOk);
    const std::string plane = stored("colorplane", "");
    ASSERT_EQ(plane.size(), 2304u);
    EXPECT_EQ(plane.substr(0, 9), "000001002");
    EXPECT_EQ(plane.substr(2301), "767");
    table[100] = 1000;
    EXPECT_EQ(runRow(*link, drawing::setColorPlane, {.in = table.data()}), kBadArgument);
    EXPECT_EQ(runRow(*link, drawing::setColorPlane, {}), kBadArgument);

    const int32_t rgb[] = {1, 2, 300};
    ASSERT_EQ(runRow(*link, drawing::setWindowColor, {.in = rgb}), kOk);
    EXPECT_EQ(stored("windowcolor", ""), "001002300");
    ASSERT_EQ(runRow(*link, drawing::setGraphicColor, {.in = rgb}), kOk);
    EXPECT_EQ(stored("graphiccolor", ""), "001002300");

    writes->clear();
    ASSERT_EQ(run(drawing::moveCur, {12, 345}), kOk);
    EXPECT_EQ(lastCommand().payload, "F");
    EXPECT_EQ(stored("cursor", "F"), "00120345");
    ASSERT_EQ(writes->size(), 2u);
    EXPECT_EQ((*writes)[1], (Bytes{STX, DLE, '0', '0', '1', '2', '0', '3', '4', '5', ETX}));
    ASSERT_EQ(run(drawing::changeCurFormat, {1}), kOk);
    ASSERT_EQ(run(drawing::changeCurFlicker, {2}), kOk);
    ASSERT_EQ(run(drawing::changeCurPosDisp, {3}), kOk);
    ASSERT_EQ(run(drawing::changeCurColor, {255, 0, 7}), kOk);
    ASSERT_EQ(run(drawing::changeCurBackColor, {1, 2, 3}), kOk);
    EXPECT_EQ(stored("cursor", "C") + stored("cursor", "B") + stored("cursor", "A"), "123");
    EXPECT_EQ(stored("cursor", "E"), "255000007");
    EXPECT_EQ(stored("cursor", "D"), "001002003");
    EXPECT_EQ(run(drawing::moveCur, {10000, 0}), kBadArgument);
    EXPECT_EQ(run(drawing::changeCurColor, {1000, 0, 0}), kBadArgument);

    int32_t size[2] = {};
    ASSERT_EQ(runRow(*link, drawing::getGPlaneDispSize, {.out = size}), kOk);
    EXPECT_EQ(size[0], 640);
    EXPECT_EQ(size[1], 480);
    EXPECT_EQ(runRow(*link, drawing::getGPlaneDispSize, {}), kBadArgument);
}

TEST_F(DrawingTest, ClosedLinkSendsNothing) {
    EXPECT_EQ(run(drawing::drawCircle, {0, 0, 1}), kCommFailed);
    EXPECT_EQ(run(drawing::drawDot, {-1, 0}), kBadArgument);
}
