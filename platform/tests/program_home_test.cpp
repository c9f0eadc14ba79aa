#include <gtest/gtest.h>

#include "platform/program_home.h"
#include "platform/xdg_paths.h"
#include "platform/testing/test_folder.h"

using namespace platform;
using platform::testing::ScopedEnv;
using platform::testing::TestFolder;

TEST(FileLookup, ExactThenCaseInsensitivePerComponent) {
    TestFolder dir;
    dir.write("Data/MODEL01.MDL", "m");
    dir.write("mdlsel.sel", "s");
    EXPECT_EQ(findFile(dir.path(), "mdlsel.sel"), dir.file("mdlsel.sel"));
    EXPECT_EQ(findFile(dir.path(), "MDLSEL.SEL"), dir.file("mdlsel.sel"));
    EXPECT_EQ(findFile(dir.path(), "data\\model01.mdl"), dir.file("Data/MODEL01.MDL"));
    EXPECT_EQ(findFile(dir.path(), "data/Model01.mdl"), dir.file("Data/MODEL01.MDL"));
    EXPECT_FALSE(findFile(dir.path(), "data\\model02.mdl"));
    EXPECT_EQ(locateFile(dir.path(), "data\\new.dat"), dir.file("data/new.dat"));
}

TEST(ProgramHome, ArgumentThenEnvironmentThenDefault) {
    std::vector<std::string> args{"pelaro", "--home", "/opt/kit", "-x"};
    EXPECT_EQ(chooseProgramHome(args, "mdlsel.sel"), "/opt/kit");
    EXPECT_EQ(args, (std::vector<std::string>{"pelaro", "-x"}));
    std::vector<std::string> equals{"pelaro", "--home=/opt/kit2"};
    EXPECT_EQ(chooseProgramHome(equals, "mdlsel.sel"), "/opt/kit2");
    EXPECT_EQ(equals, (std::vector<std::string>{"pelaro"}));
    std::vector<std::string> none{"pelaro"};
    {
        ScopedEnv env("PELARO_HOME", "/srv/station");
        EXPECT_EQ(chooseProgramHome(none, "mdlsel.sel"), "/srv/station");
    }
    ScopedEnv empty("PELARO_HOME", "");
    // The test binary's folder holds no station: the installed station folder.
    EXPECT_NE(executableFolder(), ".");
    EXPECT_EQ(chooseProgramHome(none, "mdlsel.sel"),
              defaultProgramHome(executableFolder(), "mdlsel.sel", "../share/pelaro"));
}

TEST(ProgramHome, ExecutableFolderWithAStationElseTheInstalledStation) {
    TestFolder prefix;
    prefix.write("bin/pelaro", "x");
    const std::string bin = prefix.file("bin");
    EXPECT_EQ(defaultProgramHome(bin, "mdlsel.sel", "../share/pelaro"), prefix.file("share/pelaro"));
    EXPECT_EQ(defaultProgramHome(bin + "/", "mdlsel.sel", "../share/pelaro/"), prefix.file("share/pelaro"));
    // A station beside the program wins, whatever the case of its file name.
    prefix.write("bin/MDLSEL.SEL", "s");
    EXPECT_EQ(defaultProgramHome(bin, "mdlsel.sel", "../share/pelaro"), bin);
    EXPECT_EQ(defaultProgramHome("/", "mdlsel.sel", "../share/pelaro"), "/share/pelaro");
}

TEST(XdgPaths, ConfigHomeFromEnvironmentOrHome) {
    {
        ScopedEnv env("XDG_CONFIG_HOME", "/x/cfg");
        EXPECT_EQ(configFile("pelaro/pelaro.ini"), "/x/cfg/pelaro/pelaro.ini");
    }
    ScopedEnv empty("XDG_CONFIG_HOME", "");
    ScopedEnv home("HOME", "/home/tech");
    EXPECT_EQ(configHome(), "/home/tech/.config");
    TestFolder dir;
    EXPECT_TRUE(makeFolders(dir.file("a/b/c")));
}
