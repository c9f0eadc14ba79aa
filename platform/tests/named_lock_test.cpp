#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/named_lock.h"

using namespace platform;

namespace {

std::string uniqueName(const char* what) {
    return std::string("test-lock-") + what + "-" + std::to_string(getpid());
}

// Forks a child that takes the lock, signals through a pipe and then runs `then`.
pid_t childHolding(const std::string& name, int readyPipe, int holdMs) {
    pid_t pid = fork();
    if (pid == 0) {
        auto lock = NamedLock::open(name);
        if (!lock || lock->lock(NamedLock::kInfinite) != LockResult::Acquired) _exit(2);
        char c = 1;
        if (::write(readyPipe, &c, 1) != 1) _exit(3);
        if (holdMs < 0) pause();  // held until killed
        usleep(static_cast<useconds_t>(holdMs) * 1000);
        lock->unlock();
        _exit(0);
    }
    return pid;
}

void waitReady(int readPipe) {
    char c;
    ASSERT_EQ(::read(readPipe, &c, 1), 1);
}

} // namespace

TEST(NamedLock, RecursiveForTheOwningThread) {
    const std::string name = uniqueName("recursive");
    auto lock = NamedLock::open(name);
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->lock(100), LockResult::Acquired);
    EXPECT_EQ(lock->lock(100), LockResult::Acquired);
    lock->unlock();
    // Still held once: another thread must time out.
    LockResult other = LockResult::Failed;
    std::thread([&] {
        auto again = NamedLock::open(name);
        other = again->lock(50);
    }).join();
    EXPECT_EQ(other, LockResult::TimedOut);
    lock->unlock();
    std::thread([&] {
        auto again = NamedLock::open(name);
        other = again->lock(50);
        again->unlock();
    }).join();
    EXPECT_EQ(other, LockResult::Acquired);
    shm_unlink(sharedObjectName(name).c_str());
}

TEST(NamedLock, SecondProcessTimesOutAfterItsBound) {
    const std::string name = uniqueName("timeout");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = childHolding(name, fds[1], -1);
    waitReady(fds[0]);
    auto lock = NamedLock::open(name);
    ASSERT_TRUE(lock);
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(lock->lock(300), LockResult::TimedOut);
    auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_GE(waited, 280);
    EXPECT_LT(waited, 3000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(fds[0]);
    close(fds[1]);
    shm_unlink(sharedObjectName(name).c_str());
}

TEST(NamedLock, SecondProcessWaitsForTheRelease) {
    const std::string name = uniqueName("wait");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = childHolding(name, fds[1], 200);
    waitReady(fds[0]);
    auto lock = NamedLock::open(name);
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->lock(10000), LockResult::Acquired);
    lock->unlock();
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    close(fds[0]);
    close(fds[1]);
    shm_unlink(sharedObjectName(name).c_str());
}

TEST(NamedLock, TakesOverFromAKilledOwner) {
    const std::string name = uniqueName("abandoned");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = childHolding(name, fds[1], -1);
    waitReady(fds[0]);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    auto lock = NamedLock::open(name);
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->lock(2000), LockResult::Abandoned);
    lock->unlock();
    EXPECT_EQ(lock->lock(100), LockResult::Acquired);  // consistent again
    lock->unlock();
    close(fds[0]);
    close(fds[1]);
    shm_unlink(sharedObjectName(name).c_str());
}
