#include <gtest/gtest.h>

#include <sstream>

#include "core/fake_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/message_file.h"

using namespace modeldb;

namespace {

struct MessageTest : ::testing::Test {
    kit::TempFolder home{"msg"};
    core::FakeUi ui;
    void SetUp() override { ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; }); }
    void write(char letter, const std::vector<std::string>& lines)
    {
        ASSERT_TRUE(kit::writeFile(kit::messageFilePath(home.path(), letter), kit::messageFileText(lines)));
    }
    std::string text(int letter, int number) { return messageText(home.path(), letter, number, ui); }
};

TEST_F(MessageTest, ContinuationLinesJoinWithoutSeparators)
{
    write('a', {"header ignored", "$3:other", "$12:Press OK", "next line", "$13:Done"});
    EXPECT_EQ(text(0, 12), "$12:Press OKnext line");
    EXPECT_EQ(text(0, 13), "$13:Done");
    EXPECT_EQ(text(0, 3), "$3:other");
    EXPECT_EQ(text(0, 14), "");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(MessageTest, NumberRules)
{
    write('b', {"$0012:abc", "$1234567890:late colon", "$7 :seven", "$:no number", "$x9:letters",
                "$  5:blanks\\nsecond", "$0:zero"});
    EXPECT_EQ(text(1, 12), "$0012:abc");
    EXPECT_EQ(text(1, 1234567), "");  // ':' at position 10 is never matched
    EXPECT_EQ(text(1, 7), "$7 :seven");
    EXPECT_EQ(text(1, 5), "$  5:blanks\\nsecond");
    EXPECT_EQ(text(1, 0), "$0:zero");  // lines without digits are not message 0
}

TEST_F(MessageTest, MessageCodeSelectsFileAndNumber)
{
    uint16_t code = 0x4105;
    EXPECT_EQ(messageLetter(code), 0);
    EXPECT_EQ(messageNumber(code), 5);
    write('a', {"$5:from a"});
    write('z', {"$5:from z"});
    EXPECT_EQ(text(messageLetter(code), messageNumber(code)), "$5:from a");
    EXPECT_EQ(text(messageLetter(0x5A05), 5), "$5:from z");
}

TEST_F(MessageTest, MissingFileShowsItsPath)
{
    EXPECT_EQ(text(2, 1), "");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "FILE OPEN ERR(" + home.path() + "/PELARO/MSG/pelaro_c.msg)");
    ui.clear();
    EXPECT_EQ(text(26, 1), "");  // no such letter
    EXPECT_EQ(text(-1, 1), "");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(MessageTest, LastMessageRunsToTheEndOfTheFile)
{
    ASSERT_TRUE(kit::writeFile(kit::messageFilePath(home.path(), 'd'), std::string("$1:one\ntwo\nthree")));
    EXPECT_EQ(text(3, 1), "$1:onetwothree");
}

TEST_F(MessageTest, EveryMessageOfAFileInOrder)
{
    std::istringstream in("header\r\n$3:other\r\n$12:Press OK\r\nnext line\r\n$bad\r\nlost\r\n$3:again\r\n");
    const std::vector<MessageEntry> all = readMessages(in);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].number, 3);
    EXPECT_EQ(all[0].text, "$3:other");
    EXPECT_EQ(all[0].line, 2u);
    EXPECT_EQ(all[1].number, 12);
    EXPECT_EQ(all[1].text, "$12:Press OKnext line");
    EXPECT_EQ(all[1].line, 3u);
    EXPECT_EQ(all[2].text, "$3:again");  // a "$" line without a number ends a message and opens none
    EXPECT_EQ(all[2].line, 7u);
    write('a', {"$3:other", "$3:again"});
    EXPECT_EQ(text(0, 3), "$3:other");
}

} // namespace
