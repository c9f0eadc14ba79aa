#include <gtest/gtest.h>

#include <string>

#include "outside/vtg32/card_files.h"
#include "outside/vtg32/timing_card.h"
#include "platform/testing/test_folder.h"

using namespace vtg32;

namespace {

const std::string kTimingHead =
    "VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7\nKOV VTG File \n31.469\n31.778\n25.422\n  640\n3.813\n1.907\n"
    "  525\n  480\n    2\n   33\n";
const std::string kTimingTail = "0.636\n   10\n25.175\nno\n0\n0\n0\n0\nH+V\nAct\n";
const std::string kSeparate = "+\n-\nT\n-\n";
const std::string kGreen = "+Off\n+Off\nG\n-\n";
const std::string kComposite = "C\n+Off\nT\n-\n";

const std::string kBoxHead = "VTG-Ver 5.2.0\nBOX\nABSOLUTE \n\n";
const std::string kBoxDrawing =
    "SET M 1 ; ACTIVE COLOR\nSET E 0 ; BACKGROUND COLOR\nCOLOR E\nBOX 0 0 MAXX MAXY\nCOLOR M \nSET W MAXX\n"
    "SET H MAXY\nSET J W*A\nSET J J/100\nSET K H*A\nSET K K/100\nSET X W*B\nSET X X/100\nSET Y H*B\n"
    "SET Y Y/100\nSET W J+X\nSET H K+Y\nBOX J K  W H\n";

std::string colourTable(int entries, const std::string& entry1 = "255 255 255", const std::string& end = " 700\n 300\n") {
    std::string t = "VTG-Ver 5.2.0 HW=VTG-3A/135_08_3.1.5\n\n0 0 0 \n" + entry1 + "\n";
    char line[32];
    for (int i = 2; i < entries; ++i) {
        std::snprintf(line, sizeof line, "%3d %3d %3d\n", i, i, i);
        t += line;
    }
    return t + end;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

} // namespace

TEST(CardTimingFile, ReadsTheLinesOfTheTimingForm) {
    std::string why;
    const auto t = readTimingFile(kTimingHead + kSeparate + kTimingTail, &why);
    ASSERT_TRUE(t) << why;
    EXPECT_DOUBLE_EQ(t->hFrequencyKHz, 31.469);
    EXPECT_EQ(t->activeDots, 640);
    EXPECT_EQ(t->vTotal, 525);
    EXPECT_EQ(t->vBack, 33);
    EXPECT_TRUE(t->separateSync);
    EXPECT_FALSE(t->syncOnGreen);
    EXPECT_EQ(t->hPolarity, '+');
    EXPECT_EQ(t->vPolarity, '-');
    EXPECT_EQ(t->vFront, 10);
    EXPECT_DOUBLE_EQ(t->dotClockMHz, 25.175);
    EXPECT_FALSE(t->interlace);

    const auto all = readTimingFile(kTimingHead + kSeparate + kGreen + kComposite + replaced(kTimingTail, "no", "yes"), &why);
    ASSERT_TRUE(all) << why;
    EXPECT_TRUE(all->separateSync && all->syncOnGreen && all->compositeSync && all->interlace);
    EXPECT_TRUE(readTimingFile(kTimingHead + kTimingTail, &why)) << why;  // no sync group at all
    EXPECT_TRUE(readTimingFile(kTimingHead + kComposite + kTimingTail, &why)) << why;
    // Lines ending in CR LF read the same.
    EXPECT_TRUE(readTimingFile(replaced(kTimingHead, "31.469\n", "31.469\r\n") + kTimingTail, &why)) << why;
}

TEST(CardTimingFile, RefusesEveryOtherForm) {
    const std::string good = kTimingHead + kSeparate + kTimingTail;
    const struct {
        std::string text;
        std::string why;
    } bad[] = {
        {"", "line 1: expected \"VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7\""},
        {replaced(good, "KOV VTG File \n", "KOV VTG File\n"), "line 2: expected \"KOV VTG File \""},
        {replaced(good, "31.469", "31.47"), "line 3: expected a number with three decimals"},
        {replaced(good, "31.778", "3,1778"), "line 4: expected a number with three decimals"},
        {replaced(good, "  640", "640.0"), "line 6: expected a whole number"},
        {replaced(good, "  525", "nan"), "line 9: expected a whole number"},
        {kTimingHead + kGreen + kSeparate + kTimingTail, "line 17: expected a number with three decimals"},
        {kTimingHead + replaced(kSeparate, "T", "G") + kTimingTail, "line 15: expected \"T\""},
        {replaced(good, "no", "maybe"), "line 20: expected a sign or a fixed word"},
        {replaced(good, "Act\n", ""), "line 26: expected \"Act\""},
        {good + "extra\n", "line 27: unexpected line after the end"},
    };
    for (const auto& b : bad) {
        std::string why;
        EXPECT_FALSE(readTimingFile(b.text, &why)) << b.why;
        EXPECT_EQ(why, b.why);
    }
}

TEST(CardPictureFile, TheBoxFormIsCheckedLineByLine) {
    std::string why;
    const auto box = readPictureFile(kBoxHead + "SET A 37 \nSET B 24 \n" + kBoxDrawing, &why);
    ASSERT_TRUE(box) << why;
    EXPECT_TRUE(box->box);
    EXPECT_EQ(box->boxOffset, 37);
    EXPECT_EQ(box->boxSide, 24);
    const auto full = readPictureFile(kBoxHead + "SET A 0  \nSET B 100\n" + kBoxDrawing, &why);
    ASSERT_TRUE(full) << why;
    EXPECT_EQ(full->boxSide, 100);

    EXPECT_FALSE(readPictureFile(kBoxHead + "SET A 37\nSET B 24 \n" + kBoxDrawing, &why));  // not three places
    EXPECT_EQ(why, "line 5: expected \"SET A N\"");
    EXPECT_FALSE(readPictureFile(kBoxHead + "SET A 51 \nSET B 24 \n" + kBoxDrawing, &why));
    EXPECT_EQ(why, "line 5: SET A needs a value 0..50");
    EXPECT_FALSE(readPictureFile(kBoxHead + "SET A 37 \nSET B x  \n" + kBoxDrawing, &why));
    EXPECT_FALSE(readPictureFile(kBoxHead + "SET A 37 \nSET B 24 \n" + replaced(kBoxDrawing, "BOX J K  W H", "BOX J K W H"), &why));
    EXPECT_EQ(why, "line 24: expected \"BOX J K  W H\"");
    EXPECT_FALSE(readPictureFile("VTG-Ver 5.2.0\nBOX\nABSOLUTE\n\n", &why));
}

TEST(CardPictureFile, OtherPicturesNeedOnlyBeText) {
    std::string why;
    const auto p = readPictureFile("VTG-Ver 5.2.0\nCROSSHATCH\nLINE 0 0 MAXX 0\n", &why);
    ASSERT_TRUE(p) << why;
    EXPECT_FALSE(p->box);
    EXPECT_EQ(p->title, "CROSSHATCH");
    EXPECT_FALSE(readPictureFile("", &why));
    EXPECT_EQ(why, "empty");
    EXPECT_FALSE(readPictureFile(std::string("VTG\0\x01", 5), &why));
    EXPECT_EQ(why, "not text");
}

TEST(CardColourFile, TheTableFormHas256EntriesAndItsEnd) {
    std::string why;
    const auto c = readColourFile(colourTable(256, "  0 255   0"), &why);
    ASSERT_TRUE(c) << why;
    EXPECT_TRUE(c->table);
    EXPECT_EQ(c->entries[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(c->entries[1], (Rgb{0, 255, 0}));
    EXPECT_EQ(c->entries[255], (Rgb{255, 255, 255}));

    EXPECT_FALSE(readColourFile(colourTable(255), &why));
    EXPECT_EQ(why, "line 258: expected an entry of three values 0..255");
    EXPECT_FALSE(readColourFile(colourTable(256, "256 0 0"), &why));
    EXPECT_EQ(why, "line 4: expected an entry of three values 0..255");
    EXPECT_FALSE(readColourFile(colourTable(256, "1 2"), &why));
    EXPECT_FALSE(readColourFile(colourTable(256, "1 2 3 4"), &why));
    EXPECT_FALSE(readColourFile(colourTable(256, "255 255 255", " 700\n"), &why));
    EXPECT_EQ(why, "line 260: expected \" 300\"");

    const auto other = readColourFile("any colour text\n", &why);
    ASSERT_TRUE(other) << why;
    EXPECT_FALSE(other->table);
}

TEST(TimingCards, OpenCloseAndLoads) {
    platform::testing::TestFolder folder;
    folder.write("t.vtt", kTimingHead + kTimingTail);
    folder.write("bad.vtt", kTimingHead);
    TimingCards cards;
    cards.setPresent(0);
    EXPECT_EQ(cards.open(1), -1);
    cards.setPresent(2);
    EXPECT_EQ(cards.open(2), 2);
    EXPECT_EQ(cards.open(-1), 1);  // any value outside 1..4 is the first card
    EXPECT_EQ(cards.open(1), 1);   // open again: the same handle
    EXPECT_EQ(cards.open(3), -1);

    std::string why;
    EXPECT_EQ(cards.load(1, FileKind::Timing, folder.file("t.vtt"), &why), 0) << why;
    EXPECT_DOUBLE_EQ(cards.card(1)->timing->dotClockMHz, 25.175);
    EXPECT_EQ(cards.load(1, FileKind::Timing, folder.file("bad.vtt"), &why), 1);
    EXPECT_EQ(why, "line 13: expected a number with three decimals");
    EXPECT_EQ(cards.card(1)->timingPath, folder.file("t.vtt"));  // a refused file changes nothing
    EXPECT_EQ(cards.load(1, FileKind::Picture, folder.file("none.vtp"), &why), 1);
    EXPECT_EQ(why, "missing");

    EXPECT_EQ(cards.close(1), 1);
    EXPECT_EQ(cards.load(1, FileKind::Timing, folder.file("t.vtt"), &why), 1);
    EXPECT_EQ(why, "card not open");
    EXPECT_EQ(cards.close(1), 1);  // not open: the first card to open next
    EXPECT_EQ(cards.close(2), 2);
    EXPECT_EQ(cards.close(0xFF), 1);
}
