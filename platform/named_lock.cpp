#include "platform/named_lock.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {
constexpr uint32_t kReady = 0x4C4F434Bu;  // "LOCK"
}

struct NamedLock::Shared {
    std::atomic<uint32_t> ready;
    pthread_mutex_t mutex;
};

std::string sharedObjectName(const std::string& name) {
    std::string clean;
    for (char c : name) clean += (c == '/' || c == '\\') ? '_' : c;
    return "/pelaro." + std::to_string(getuid()) + "." + clean;
}

namespace {

bool initMutex(pthread_mutex_t* m) {
    pthread_mutexattr_t attr;
    if (pthread_mutexattr_init(&attr) != 0) return false;
    bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
              pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0 &&
              pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 && pthread_mutex_init(m, &attr) == 0;
    pthread_mutexattr_destroy(&attr);
    return ok;
}

} // namespace

NamedLock::NamedLock(Shared* shared, int fd) : shared_(shared), fd_(fd) {}

std::unique_ptr<NamedLock> NamedLock::open(const std::string& name, std::string* error) {
    const std::string object = sharedObjectName(name);
    auto fail = [&](const char* what) -> std::unique_ptr<NamedLock> {
        if (error) *error = object + ": " + what + ": " + strerror(errno);
        return nullptr;
    };
    bool creator = true;
    int fd = shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) {
        creator = false;
        fd = shm_open(object.c_str(), O_RDWR | O_CLOEXEC, 0600);
    }
    if (fd < 0) return fail("shm_open");
    if (creator && ftruncate(fd, sizeof(Shared)) != 0) {
        ::close(fd);
        return fail("ftruncate");
    }
    // A creator may not have sized the object yet.
    struct stat st {};
    for (int i = 0; i < 2000 && fstat(fd, &st) == 0 && st.st_size < static_cast<off_t>(sizeof(Shared)); ++i)
        usleep(1000);
    if (st.st_size < static_cast<off_t>(sizeof(Shared)) && !creator) {
        // The creator died before sizing it: take over.
        flock(fd, LOCK_EX);
        if (fstat(fd, &st) == 0 && st.st_size < static_cast<off_t>(sizeof(Shared)) && ftruncate(fd, sizeof(Shared)) != 0) {
            flock(fd, LOCK_UN);
            ::close(fd);
            return fail("ftruncate");
        }
        flock(fd, LOCK_UN);
    }
    void* map = mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED) {
        ::close(fd);
        return fail("mmap");
    }
    auto* shared = static_cast<Shared*>(map);
    if (creator) {
        if (!initMutex(&shared->mutex)) {
            munmap(map, sizeof(Shared));
            ::close(fd);
            return fail("pthread_mutex_init");
        }
        shared->ready.store(kReady, std::memory_order_release);
    } else {
        for (int i = 0; i < 2000 && shared->ready.load(std::memory_order_acquire) != kReady; ++i) usleep(1000);
        if (shared->ready.load(std::memory_order_acquire) != kReady) {
            // The creator died while setting it up: set it up once, under a file lock.
            flock(fd, LOCK_EX);
            if (shared->ready.load(std::memory_order_acquire) != kReady) {
                if (!initMutex(&shared->mutex)) {
                    flock(fd, LOCK_UN);
                    munmap(map, sizeof(Shared));
                    ::close(fd);
                    return fail("pthread_mutex_init");
                }
                shared->ready.store(kReady, std::memory_order_release);
            }
            flock(fd, LOCK_UN);
        }
    }
    return std::unique_ptr<NamedLock>(new NamedLock(shared, fd));
}

NamedLock::~NamedLock() {
    munmap(shared_, sizeof(Shared));
    ::close(fd_);
}

LockResult NamedLock::lock(uint32_t timeoutMs) {
    int rc;
    if (timeoutMs == kInfinite) {
        rc = pthread_mutex_lock(&shared_->mutex);
    } else {
        timespec deadline{};
        clock_gettime(CLOCK_REALTIME, &deadline);
        deadline.tv_sec += timeoutMs / 1000;
        deadline.tv_nsec += static_cast<long>(timeoutMs % 1000) * 1000000L;
        if (deadline.tv_nsec >= 1000000000L) {
            deadline.tv_sec += 1;
            deadline.tv_nsec -= 1000000000L;
        }
        do {
            rc = pthread_mutex_timedlock(&shared_->mutex, &deadline);
        } while (rc == EINTR);
    }
    switch (rc) {
    case 0: return LockResult::Acquired;
    case EOWNERDEAD:
        pthread_mutex_consistent(&shared_->mutex);
        return LockResult::Abandoned;
    case ETIMEDOUT: return LockResult::TimedOut;
    default: return LockResult::Failed;
    }
}

void NamedLock::unlock() { pthread_mutex_unlock(&shared_->mutex); }

} // namespace platform
