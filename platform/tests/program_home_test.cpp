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

TEST(ProgramHome, ArgumentThenEnvironmentThenExecutableFolder) {
    std::vector<std::string> args{"pelaro", "--home", "/opt/kit", "-x"};
    EXPECT_EQ(chooseProgramHome(args), "/opt/kit");
    EXPECT_EQ(args, (std::vector<std::string>{"pelaro", "-x"}));
    std::vector<std::string> none{"pelaro"};
    {
        ScopedEnv env("PELARO_HOME", "/srv/station");
        EXPECT_EQ(chooseProgramHome(none), "/srv/station");
    }
    unsetenv("PELARO_HOME");
    EXPECT_EQ(chooseProgramHome(none), executableFolder());
    EXPECT_NE(executableFolder(), ".");
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
