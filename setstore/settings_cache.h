#pragma once
// The cache of every group's record and the count of clients, in one block
// shared by the user's processes. Copies in and out of it take a short lock
// of its own, so no reader sees a record half written by another process.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/named_lock.h"
#include "platform/shared_block.h"
#include "setstore/group_table.h"

namespace setstore {

class SettingsCache {
public:
    // `suffix` is appended to the names of the block and of its lock. When the
    // system refuses shared memory, the cache is private to this process.
    explicit SettingsCache(const std::string& suffix);
    SettingsCache(const SettingsCache&) = delete;
    SettingsCache& operator=(const SettingsCache&) = delete;

    // Holds the cache lock for a scope.
    class Access {
    public:
        explicit Access(SettingsCache& cache);
        ~Access();
        Access(const Access&) = delete;
        Access& operator=(const Access&) = delete;
        bool ok() const { return ok_; }
        uint8_t* record(GroupId id) { return cache_.bytes_ + cache_.offsets_[static_cast<size_t>(id)]; }
        int32_t referenceCount() const;
        void setReferenceCount(int32_t count);

    private:
        SettingsCache& cache_;
        bool ok_ = false;
        bool named_ = false;
    };

    bool isShared() const { return block_ != nullptr; }
    // Bytes of the block: the reference count, then each group's record.
    static size_t blockSize();

private:
    std::unique_ptr<platform::SharedBlock> block_;
    std::unique_ptr<platform::NamedLock> lock_;
    std::vector<uint8_t> local_;
    std::mutex localMutex_;
    uint8_t* bytes_ = nullptr;
    std::array<size_t, kGroupCount> offsets_{};
};

} // namespace setstore
