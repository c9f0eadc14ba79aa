#pragma once
// A named lock shared by every process of the user (POSIX shared memory holding
// a robust, process-shared, recursive mutex). A dead owner leaves it abandoned:
// the next waiter gets it with LockResult::Abandoned.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class LockResult { Acquired, Abandoned, TimedOut, Failed };

class NamedLock {
public:
    // Opens or creates the lock NAME. Returns null when the system refuses.
    static std::unique_ptr<NamedLock> open(const std::string& name, std::string* error = nullptr);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // Waits at most timeoutMs; kInfinite waits for ever. Recursive for the owning thread.
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;
    LockResult lock(uint32_t timeoutMs);
    void unlock();

private:
    struct Shared;
    NamedLock(Shared* shared, int fd);
    Shared* shared_;
    int fd_;
};

// Holds a NamedLock for a scope, when it was acquired.
class NamedLockGuard {
public:
    NamedLockGuard(NamedLock& lock, uint32_t timeoutMs) : lock_(lock), result_(lock.lock(timeoutMs)) {}
    ~NamedLockGuard() { if (owns()) lock_.unlock(); }
    bool owns() const { return result_ == LockResult::Acquired || result_ == LockResult::Abandoned; }
    LockResult result() const { return result_; }
    NamedLockGuard(const NamedLockGuard&) = delete;
    NamedLockGuard& operator=(const NamedLockGuard&) = delete;

private:
    NamedLock& lock_;
    LockResult result_;
};

// The object name used for NAME in /dev/shm: per user, so users never collide.
std::string sharedObjectName(const std::string& name);

} // namespace platform
