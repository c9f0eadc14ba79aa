#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ini_store.h"
#include "platform/testing/test_folder.h"

using namespace platform;
using platform::testing::TestFolder;

TEST(IniStore, ValuesRoundTripThroughTheFile) {
    TestFolder dir;
    IniStore store;
    store.set("PELARO", "ECS_PORT", "1");
    store.set("PELARO", "MODEL", "  blanks kept ");
    store.set("PELARO", "Tricky", "a ; b # c \\ \"d\"");
    store.set("Software\\Vexordyne\\XR4410\\Com\\Seri", "Bps", "9600");
    store.set("PELARO", "Empty", "");
    ASSERT_TRUE(store.save(dir.file("sub/p.ini")));

    IniStore back;
    ASSERT_TRUE(back.load(dir.file("sub/p.ini")));
    EXPECT_EQ(back.get("PELARO", "ECS_PORT"), "1");
    EXPECT_EQ(back.get("pelaro", "ecs_port"), "1");  // names ignore case
    EXPECT_EQ(back.get("PELARO", "MODEL"), "  blanks kept ");
    EXPECT_EQ(back.get("PELARO", "Tricky"), "a ; b # c \\ \"d\"");
    EXPECT_EQ(back.get("Software\\Vexordyne\\XR4410\\Com\\Seri", "Bps"), "9600");
    EXPECT_EQ(back.get("PELARO", "Empty"), "");
    EXPECT_FALSE(back.get("PELARO", "Missing"));
    EXPECT_EQ(back.get("PELARO", "Missing", "dflt"), "dflt");
    EXPECT_EQ(back.keys("PELARO").front(), "ECS_PORT");  // order kept
}

TEST(IniStore, HandEditedFileWithCommentsAndBlanks) {
    IniStore store;
    ASSERT_TRUE(store.loadFromString("; comment\n[PELARO]\n  ECS_PORT = 2 \nMODEL=XR-1\n\n[Other]\nx=y\n"));
    EXPECT_EQ(store.get("PELARO", "ECS_PORT"), "2");
    EXPECT_EQ(store.get("PELARO", "MODEL"), "XR-1");
    EXPECT_EQ(store.sections().size(), 2u);
    EXPECT_TRUE(store.remove("PELARO", "MODEL"));
    EXPECT_FALSE(store.get("PELARO", "MODEL"));
}

TEST(IniStore, IndentedLinesAreKeysOfTheirOwn) {
    IniStore store;
    // An indented line once counted as a continuation of the value before it,
    // which it replaced: ECS_PORT read "MODEL=XR-1" and MODEL was lost.
    ASSERT_TRUE(store.loadFromString("[PELARO]\nECS_PORT=2\n  MODEL=XR-1\n\tSG_NAME = 6\n"));
    EXPECT_EQ(store.get("PELARO", "ECS_PORT"), "2");
    EXPECT_EQ(store.get("PELARO", "MODEL"), "XR-1");
    EXPECT_EQ(store.get("PELARO", "SG_NAME"), "6");
    EXPECT_EQ(store.keys("PELARO").size(), 3u);
    // An indented line that is no key is an error, as it is unindented.
    EXPECT_FALSE(store.loadFromString("[PELARO]\nECS_PORT=2\n   ]\n"));
    EXPECT_EQ(store.get("PELARO", "ECS_PORT"), "2");
}

TEST(IniStore, WhatIsReadIsWrittenAndReadBackTheSame) {
    // Found by fuzzing: an indented line after a key longer than 49
    // characters made a key named by its first 49, ending in a blank, which
    // the file written next could not give back.
    const unsigned char found[] = {
        0x5b, 0x2f, 0x45, 0x79, 0x6e, 0x65, 0x5c, 0x58, 0x52, 0x34, 0x34, 0x31,
        0x30, 0x5c, 0x46, 0x84, 0x6c, 0x65, 0x50, 0x61, 0x74, 0x68, 0x5d, 0x0a,
        0x44, 0x44, 0x61, 0x74, 0x61, 0x5c, 0x69, 0x56, 0x65, 0x20, 0x43, 0x3a,
        0x5c, 0x5c, 0x50, 0x47, 0xb7, 0x5c, 0x5c, 0x64, 0x5c, 0x5c, 0x5c, 0x5c,
        0x5c, 0x5c, 0x23, 0x4c, 0x41, 0x52, 0x4f, 0x5d, 0x0a, 0x20, 0x79, 0x20,
        0x22, 0x30, 0x22, 0x5c, 0x50, 0x47, 0x5d, 0x0a, 0x50, 0x0a, 0x44, 0x44,
        0x61, 0x74, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0x61, 0x5c, 0x69, 0x56, 0x65, 0x20, 0x43,
        0x3a, 0x5c, 0x5c, 0x50, 0x47, 0xb7, 0x5c, 0x5c, 0x64, 0x61, 0x74, 0x61,
        0x5c, 0x3b, 0x20, 0x78, 0x20, 0x5c, 0x23, 0x4c, 0x41, 0x52, 0x4f, 0x5d,
        0x0a, 0x20, 0x5d, 0x0a, 0x20, 0x79, 0x20, 0x4f, 0x44, 0x45, 0x4a, 0x4c
    };
    // And a quoted vertical tab, written back without its quotes and so lost
    // as a blank.
    const unsigned char foundToo[] = {
        0xd0, 0xd0, 0xd0, 0xd0, 0xd0, 0xd0, 0x5f, 0x50, 0x3d, 0xaf, 0xa7, 0x52,
        0x54, 0x3d, 0x31, 0x6e, 0x74, 0x0a, 0x5b, 0x43, 0x4f, 0x4d, 0x5d, 0x0a,
        0x43, 0x4f, 0x4d, 0x31, 0x3d, 0x2f, 0x64, 0x65, 0x76, 0x2f, 0x95, 0x8b,
        0x86, 0xaa, 0x2d, 0x42, 0x6e, 0x74, 0x0a, 0x5b, 0x43, 0x1a, 0x4d, 0x5d,
        0x0a, 0x43, 0x4f, 0x4d, 0x31, 0xb8, 0x16, 0x3d, 0x55, 0x92, 0xfe, 0x7f,
        0x00, 0x00, 0x3d, 0x2f, 0x64, 0x65, 0x76, 0x2f, 0x74, 0x74, 0x79, 0x55,
        0x53, 0x42, 0x30, 0x0a, 0x43, 0x45, 0x43, 0x53, 0x5f, 0x3d, 0x22, 0x0b,
        0x22, 0x0a, 0x02, 0x0a, 0x45, 0x43, 0x53, 0x5f, 0x3d, 0x22, 0x22, 0x0a,
        0x0a, 0x4a, 0x4c, 0x52, 0x54, 0x3d, 0x22, 0x22, 0x0a, 0x0a, 0x0a, 0x0a,
        0x5d, 0x4c, 0x52, 0x54, 0x3d
    };
    // And a section name holding NUL bytes, which a token carried whole
    // where inih, reading it as it stands, stops at the first.
    const unsigned char foundThird[] = {
        0x5b, 0x53, 0x74, 0x00, 0x00, 0x00, 0xcd, 0x61, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x74, 0x61, 0x5d, 0x44, 0x69, 0x5c, 0x56, 0x65, 0x20,
        0x43, 0x3a, 0x5c, 0x4c, 0x3d, 0x01, 0x56, 0x92, 0x63, 0x6f, 0x6d, 0xfc,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x01, 0x45, 0x3d, 0x32, 0x0a, 0x4d,
        0x3d, 0x01, 0x56, 0x1b, 0x77, 0x61, 0x72, 0x65, 0x5c, 0x56, 0x65, 0x78,
        0x6f, 0x72, 0x64, 0x79, 0x6e, 0x65, 0x5c, 0x58, 0x52, 0x64, 0x61, 0x74,
        0x61, 0x5c, 0x3b, 0x20, 0x78, 0x20, 0x5c, 0x23, 0x20, 0x79, 0x20, 0x22,
        0x20, 0x61, 0x20, 0x63, 0x74, 0x77, 0x61, 0x61, 0x5c, 0x3b, 0x20, 0x78,
        0x20, 0x5c, 0x23, 0x20, 0x79, 0x30, 0x20, 0x22, 0x20, 0x61, 0x20, 0x63,
        0x74, 0x77, 0x78, 0x61, 0x72, 0x65, 0x5c, 0x56, 0x65, 0x78, 0x6f, 0x72,
        0x64, 0x79, 0x72, 0x65, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x5c, 0x56, 0x65,
        0x78, 0x6f, 0x72, 0x64, 0x79, 0x6e, 0x65, 0x5c, 0x58, 0x52, 0x34, 0x34,
        0xc6, 0xcf, 0x5c, 0x46, 0x69, 0x6c, 0x65, 0x50, 0x61, 0x34, 0x31, 0x38,
        0x5c, 0x22, 0x22, 0x74, 0x56, 0x3d, 0x22, 0x5c, 0x22, 0x50, 0x47, 0x2d,
        0x38, 0x34, 0x22, 0x31, 0x61, 0x60, 0x69, 0x5c, 0x56, 0x65, 0x20, 0x43,
        0x5c, 0x22
    };
    for (const std::string& text : {std::string(reinterpret_cast<const char*>(found), sizeof found),
                                    std::string(reinterpret_cast<const char*>(foundToo), sizeof foundToo),
                                    std::string(reinterpret_cast<const char*>(foundThird), sizeof foundThird)}) {
        IniStore store;
        store.loadFromString(text);
        IniStore back;
        back.loadFromString(store.toString());
        ASSERT_EQ(back.sections(), store.sections());
        for (const std::string& section : store.sections()) {
            EXPECT_EQ(back.keys(section), store.keys(section));
            for (const std::string& key : store.keys(section))
                EXPECT_EQ(back.get(section, key), store.get(section, key)) << key;
        }
    }
}

TEST(IniStore, ValuesWithAnyBlankAtTheirEndsOrTheTokenMarkRoundTrip) {
    const std::string mark = "\x01" "0" "\x01";
    IniStore store;
    store.set("S", "VerticalTab", "\v");
    store.set("S", "FormFeed", "\fx\f");
    store.set("S", "LooksLikeAToken", mark);
    store.set("S", "Long", std::string(300, 'l'));  // read through a token
    store.set("S", "MarkInside", "a" + mark + "b");
    IniStore back;
    ASSERT_TRUE(back.loadFromString(store.toString()));
    for (const std::string& key : store.keys("S")) EXPECT_EQ(back.get("S", key), store.get("S", key)) << key;

    // A hand-written value that looks like a token is taken as it stands.
    ASSERT_TRUE(back.loadFromString("[S]\nLong=" + std::string(300, 'l') + "\nFake=" + mark + "\n" +
                                    std::string(150, 'k') + "=" + mark + std::string(60, 'v') + "\n"));
    EXPECT_EQ(back.get("S", "Fake"), mark);
    EXPECT_EQ(back.get("S", std::string(150, 'k')), mark + std::string(60, 'v'));
}

TEST(IniStore, LongValuesAndSectionNamesAreReadWhole) {
    TestFolder dir;
    const std::string section = "Software\\Vexordyne\\XR4410\\OptionPtn\\Margin\\And\\Deeper\\Still";
    const std::string plain(300, 'p');
    const std::string quoted = " ;#\\\"" + std::string(280, 'q') + " ";
    IniStore store;
    store.set(section, "Plain", plain);
    store.set(section, "Quoted", quoted);
    store.set("Short", "After", "1");
    ASSERT_TRUE(store.save(dir.file("long.ini")));
    for (int round = 0; round < 2; ++round) {  // and once more after saving what was read
        IniStore back;
        ASSERT_TRUE(back.load(dir.file("long.ini")));
        EXPECT_EQ(back.get(section, "Plain"), plain);
        EXPECT_EQ(back.get(section, "Quoted"), quoted);
        EXPECT_EQ(back.get("Short", "After"), "1");
        ASSERT_TRUE(back.save(dir.file("long.ini")));
    }
    IniStore edited;
    ASSERT_TRUE(edited.loadFromString("[S]\nk = " + plain + "  ; note\n; " + plain + "\nz=2\n"));
    EXPECT_EQ(edited.get("S", "k"), plain);
    EXPECT_EQ(edited.get("S", "z"), "2");
}

TEST(IniStore, MissingFileIsEmptyBrokenFileIsAnError) {
    TestFolder dir;
    IniStore store;
    EXPECT_TRUE(store.load(dir.file("none.ini")));
    EXPECT_TRUE(store.sections().empty());
    dir.write("bad.ini", "[PELARO\nnot a line\n");
    std::string error;
    EXPECT_FALSE(store.load(dir.file("bad.ini"), &error));
    EXPECT_NE(error.find("line"), std::string::npos);
}

TEST(IniStore, KillDuringWritesLeavesOldOrNewNeverTorn) {
    TestFolder dir;
    const std::string path = dir.file("store.ini");
    auto content = [](char c) {
        IniStore s;
        for (int i = 0; i < 400; ++i) s.set("S", "k" + std::to_string(i), std::string(100, c));
        return s;
    };
    ASSERT_TRUE(content('a').save(path));
    for (int round = 0; round < 8; ++round) {
        pid_t child = fork();
        if (child == 0) {
            IniStore a = content('a'), b = content('b');
            for (int i = 0;; ++i) (i % 2 ? a : b).save(path);
        }
        usleep(static_cast<useconds_t>(3000 + round * 1700));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        IniStore back;
        ASSERT_TRUE(back.load(path));
        ASSERT_EQ(back.keys("S").size(), 400u);
        std::string first = *back.get("S", "k0");
        ASSERT_TRUE(first == std::string(100, 'a') || first == std::string(100, 'b'));
        for (int i = 0; i < 400; ++i) ASSERT_EQ(back.get("S", "k" + std::to_string(i)), first);
    }
}
