#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/shared_block.h"

using namespace platform;

namespace {
std::string uniqueName(const char* what) {
    return std::string("test-block-") + what + "-" + std::to_string(getpid());
}
} // namespace

TEST(SharedBlock, StartsZeroSharesAcrossProcessesAndCounts) {
    const std::string name = uniqueName("share");
    auto block = SharedBlock::attach(name, 4096);
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->createdFresh());
    EXPECT_EQ(block->attachCount(), 1u);
    for (size_t i = 0; i < block->size(); ++i) ASSERT_EQ(block->data()[i], 0);
    std::memcpy(block->data(), "hello", 6);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = fork();
    if (child == 0) {
        auto mine = SharedBlock::attach(name, 4096);
        if (!mine || mine->createdFresh() || std::strcmp(reinterpret_cast<char*>(mine->data()), "hello") != 0) _exit(2);
        std::memcpy(mine->data() + 100, "child", 6);
        char c = static_cast<char>(mine->attachCount());
        mine.reset();
        if (::write(fds[1], &c, 1) != 1) _exit(3);
        _exit(0);
    }
    char count = 0;
    ASSERT_EQ(::read(fds[0], &count, 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(reinterpret_cast<char*>(block->data() + 100), "child");
    EXPECT_EQ(block->attachCount(), 1u);
    close(fds[0]);
    close(fds[1]);
}

TEST(SharedBlock, DiscardedWhenTheLastUserDetaches) {
    const std::string name = uniqueName("discard");
    {
        auto block = SharedBlock::attach(name, 64);
        ASSERT_TRUE(block);
        block->data()[0] = 42;
    }
    auto again = SharedBlock::attach(name, 64);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->createdFresh());
    EXPECT_EQ(again->data()[0], 0);
}

TEST(SharedBlock, FreshAgainAfterEveryEarlierUserDied) {
    const std::string name = uniqueName("died");
    pid_t child = fork();
    if (child == 0) {
        auto block = SharedBlock::attach(name, 64);
        if (!block) _exit(2);
        block->data()[0] = 7;
        kill(getpid(), SIGKILL);  // dies attached
    }
    waitpid(child, nullptr, 0);
    auto block = SharedBlock::attach(name, 64);
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->createdFresh());
    EXPECT_EQ(block->data()[0], 0);
    EXPECT_EQ(block->attachCount(), 1u);
}
