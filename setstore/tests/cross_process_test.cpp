// Several client processes of libsetstore at once: values shared through the
// block, concurrent writers of one group, a writer killed in the middle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ini_store.h"
#include "platform/testing/test_folder.h"

using platform::IniStore;
using platform::testing::TestFolder;

namespace {

const std::string kSeri = "Software\\Vexordyne\\XR4410\\Com\\Seri";

class SetstoreCrossProcess : public ::testing::Test {
protected:
    TestFolder folder;
    std::string instance = std::filesystem::path(folder.path()).filename().string();

    // A peer command line with this test's configuration folder and instance.
    std::string peer(const std::string& args, const std::string& suffix = "") const
    {
        return "XDG_CONFIG_HOME=" + folder.path() + " SETSTORE_INSTANCE=" + instance + suffix + " " +
               SETSTORE_PEER + " " + args;
    }
    static int run(const std::string& script) { return std::system(script.c_str()); }
    std::string iniPath() const { return folder.file("setstore/registry.ini"); }
};

TEST_F(SetstoreCrossProcess, FreshClientAndSharedOnlyPathLifetime)
{
    ASSERT_EQ(0, run(peer("init read PGType \"\" read SeriBps 0 read MemKind 0 term")));
    // While the first client is loaded, a second one sees its ADEditPath.
    ASSERT_EQ(0, run(peer("init write FileADEditPath /opt/ad write DtDevice 1 write PanelRom 2 run \"" +
                          peer("init read FileADEditPath /opt/ad read MemKind 3 term") + "\" term")));
    // Once every client has gone, it is gone too; stored values remain.
    ASSERT_EQ(0, run(peer("init read FileADEditPath \"\" read MemKind 3 term")));
    IniStore tree;
    ASSERT_TRUE(tree.load(iniPath()));
    EXPECT_FALSE(tree.get("Software\\Vexordyne\\XR4410\\FilePath", "ADEditPath"));
}

TEST_F(SetstoreCrossProcess, TwoWritersOfOneGroupLoseNothingAndTheFileAlwaysParses)
{
    const int count = 150;
    const std::string n = std::to_string(count);
    const std::string script =
        peer("init hammer SeriBps " + n) + " & a=$!; " +
        peer("init hammer SeriPortNo " + n) + " & b=$!; " +
        peer("watch " + iniPath() + " " + folder.file("stop")) + " & w=$!; " +
        "wait $a; ra=$?; wait $b; rb=$?; touch " + folder.file("stop") + "; wait $w; rw=$?; " +
        "exit $((ra | rb | rw))";
    ASSERT_EQ(0, run(script));
    IniStore tree;
    ASSERT_TRUE(tree.load(iniPath()));
    EXPECT_EQ(n, tree.get(kSeri, "Bps", "?"));
    EXPECT_EQ(n, tree.get(kSeri, "PortNo", "?"));
    EXPECT_EQ(0, run(peer("init read SeriBps " + n + " read SeriPortNo " + n + " term")));
}

TEST_F(SetstoreCrossProcess, KilledWriterLeavesTheStoreReadableAndUnlocked)
{
    const std::string marker = folder.file("started");
    // The reader holds the block, so the killed writer's cache stays in use.
    const std::string script =
        peer("init loop SeriBps " + marker) + " & p=$!; " +
        "i=0; while [ ! -f " + marker + " ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done; " +
        "sleep 0.2; kill -9 $p; wait $p; " +
        peer("init write SeriPortNo 7 read SeriPortNo 7 write SeriParity 2 term");
    ASSERT_EQ(0, run(script));
    IniStore tree;
    ASSERT_TRUE(tree.load(iniPath()));
    EXPECT_EQ("7", tree.get(kSeri, "PortNo", "?"));
    EXPECT_EQ("2", tree.get(kSeri, "Parity", "?"));
    EXPECT_GE(std::atoi(tree.get(kSeri, "Bps", "0").c_str()), 1);
}

} // namespace
