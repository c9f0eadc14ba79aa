#include "platform/shared_block.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/named_lock.h"

namespace platform {

namespace {

// Lives at the start of the object; the caller's bytes follow it.
struct Header {
    std::atomic<uint32_t> attached;
    uint32_t reserved;
    uint64_t size;
};
constexpr size_t kHeaderSize = 64;
static_assert(sizeof(Header) <= kHeaderSize);

constexpr uint32_t kAttachWaitMs = 10000;

// Serialises attach and detach, so a process never attaches to an object that
// the last user is just discarding.
std::unique_ptr<NamedLock> attachLock(const std::string& name, std::string* error) {
    return NamedLock::open(name + ".attach", error);
}

} // namespace

std::unique_ptr<SharedBlock> SharedBlock::attach(const std::string& name, size_t size, std::string* error) {
    std::unique_ptr<NamedLock> lock = attachLock(name, error);
    if (!lock) return nullptr;
    NamedLockGuard guard(*lock, kAttachWaitMs);
    if (!guard.owns()) {
        if (error) *error = name + ": timed out waiting for the attach lock";
        return nullptr;
    }
    const std::string object = sharedObjectName(name);
    auto fail = [&](int fd, const char* what) -> std::unique_ptr<SharedBlock> {
        int saved = errno;
        if (fd >= 0) ::close(fd);
        if (error) *error = object + ": " + what + ": " + strerror(saved);
        return nullptr;
    };
    int fd = shm_open(object.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return fail(fd, "shm_open");

    // Every attached process holds a shared file lock; getting it exclusively
    // means nobody else is attached, even if earlier users died.
    const size_t total = kHeaderSize + size;
    bool fresh = flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fresh) {
        if (ftruncate(fd, 0) != 0 || ftruncate(fd, static_cast<off_t>(total)) != 0) return fail(fd, "ftruncate");
    } else {
        struct stat st {};
        if (fstat(fd, &st) != 0) return fail(fd, "fstat");
        if (st.st_size < static_cast<off_t>(total)) {
            errno = EINVAL;
            return fail(fd, "existing block is smaller than requested");
        }
    }
    if (flock(fd, LOCK_SH) != 0) return fail(fd, "flock");
    void* map = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED) return fail(fd, "mmap");

    auto* header = static_cast<Header*>(map);
    if (fresh) {
        header->attached.store(0);
        header->size = size;
    }
    header->attached.fetch_add(1);

    std::unique_ptr<SharedBlock> block(new SharedBlock());
    block->name_ = name;
    block->fd_ = fd;
    block->map_ = map;
    block->mapSize_ = total;
    block->data_ = static_cast<uint8_t*>(map) + kHeaderSize;
    block->size_ = size;
    block->fresh_ = fresh;
    return block;
}

SharedBlock::~SharedBlock() {
    std::unique_ptr<NamedLock> lock = attachLock(name_, nullptr);
    std::unique_ptr<NamedLockGuard> guard;
    if (lock) guard = std::make_unique<NamedLockGuard>(*lock, kAttachWaitMs);
    static_cast<Header*>(map_)->attached.fetch_sub(1);
    munmap(map_, mapSize_);
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) shm_unlink(sharedObjectName(name_).c_str());
    ::close(fd_);
}

uint32_t SharedBlock::attachCount() const { return static_cast<const Header*>(map_)->attached.load(); }

} // namespace platform
