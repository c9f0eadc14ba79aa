#include <gtest/gtest.h>
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/testing/test_folder.h"

using namespace platform;
using platform::testing::TestFolder;

namespace {

std::vector<std::string> names(const std::string& folder) {
    std::vector<std::string> out;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") out.push_back(n);
        }
        closedir(d);
    }
    return out;
}

} // namespace

TEST(AtomicFile, CommitReplacesTheTargetAbandonLeavesItAsItWas) {
    TestFolder dir;
    dir.write("data.dat", "old content");
    chmod(dir.file("data.dat").c_str(), 0600);
    {
        AtomicFile f;
        ASSERT_TRUE(f.open(dir.file("data.dat")));
        EXPECT_TRUE(isAtomicTemporaryName(f.temporaryPath().substr(dir.path().size() + 1)));
        ASSERT_TRUE(f.write("new", 3));
        EXPECT_EQ(dir.read("data.dat"), "old content");  // nothing visible before the commit
        EXPECT_EQ(names(dir.path()).size(), 2u);
        f.abandon();
    }
    EXPECT_EQ(dir.read("data.dat"), "old content");
    EXPECT_EQ(names(dir.path()), std::vector<std::string>{"data.dat"});

    {
        AtomicFile f;
        ASSERT_TRUE(f.open(dir.file("data.dat")));
        f.write("half", 4);
    }  // destroyed without a commit: as abandon()
    EXPECT_EQ(dir.read("data.dat"), "old content");
    EXPECT_EQ(names(dir.path()), std::vector<std::string>{"data.dat"});

    AtomicFile f;
    ASSERT_TRUE(f.open(dir.file("data.dat")));
    ASSERT_TRUE(f.write("new content", 11));
    std::string error;
    ASSERT_TRUE(f.commit(&error)) << error;
    EXPECT_EQ(dir.read("data.dat"), "new content");
    EXPECT_EQ(names(dir.path()), std::vector<std::string>{"data.dat"});
    struct stat st {};
    ASSERT_EQ(stat(dir.file("data.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // the replaced file's permissions stay

    EXPECT_TRUE(writeFileAtomically(dir.file("new/sub/file.ini"), "x=1\n"));
    EXPECT_EQ(dir.read("new/sub/file.ini"), "x=1\n");

    // Through a link, the file it names is replaced and the link stays.
    ASSERT_EQ(symlink(dir.file("data.dat").c_str(), dir.file("link.dat").c_str()), 0);
    EXPECT_TRUE(writeFileAtomically(dir.file("link.dat"), "through the link"));
    EXPECT_EQ(dir.read("data.dat"), "through the link");
    struct stat link {};
    ASSERT_EQ(lstat(dir.file("link.dat").c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
}

TEST(AtomicFile, ACommitThatCannotRenameLeavesNoTemporaryFile) {
    TestFolder dir;
    ASSERT_EQ(mkdir(dir.file("target").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("target/inside").c_str(), 0755), 0);  // a folder that is not empty
    AtomicFile f;
    ASSERT_TRUE(f.open(dir.file("target")));
    f.write("x", 1);
    std::string error;
    EXPECT_FALSE(f.commit(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(names(dir.path()), std::vector<std::string>{"target"});
    EXPECT_FALSE(f.isOpen());
}

TEST(AtomicFile, OnlyTemporaryFilesOfDeadWritersAreRemoved) {
    TestFolder dir;
    dir.write("keep.dat", "keep");
    dir.write(".keep.dat.1-1.other", "not ours");
    dir.write("keep.dat.pelaro-tmp", "not hidden: not ours");
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile f;
        const bool ok = f.open(dir.file("keep.dat")) && f.write("partial", 7);
        const char c = ok ? '1' : '0';
        if (write(ready[1], &c, 1) != 1) _exit(2);
        char wait = 0;
        if (read(release[0], &wait, 1) < 0) _exit(3);  // until killed
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, '1');
    EXPECT_EQ(names(dir.path()).size(), 4u);

    EXPECT_EQ(removeAbandonedTemporaries(dir.path()), 0);  // its writer still lives
    EXPECT_EQ(names(dir.path()).size(), 4u);

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(removeAbandonedTemporaries(dir.path()), 1);
    std::vector<std::string> left = names(dir.path());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".keep.dat.1-1.other", "keep.dat", "keep.dat.pelaro-tmp"}));
    EXPECT_EQ(dir.read("keep.dat"), "keep");
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}
