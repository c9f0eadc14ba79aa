#include "setstore/settings_cache.h"

#include <cstring>

namespace setstore {

namespace {

constexpr size_t kReferenceCountOffset = 0;
constexpr size_t kFirstRecordOffset = 8;

size_t align8(size_t n) { return (n + 7) & ~size_t(7); }

std::array<size_t, kGroupCount> recordOffsets()
{
    std::array<size_t, kGroupCount> offsets{};
    size_t at = kFirstRecordOffset;
    for (int i = 0; i < kGroupCount; ++i) {
        offsets[i] = at;
        at = align8(at + groupSpec(static_cast<GroupId>(i)).size);
    }
    return offsets;
}

} // namespace

size_t SettingsCache::blockSize()
{
    const GroupSpec& last = groupSpec(static_cast<GroupId>(kGroupCount - 1));
    return align8(recordOffsets()[kGroupCount - 1] + last.size);
}

SettingsCache::SettingsCache(const std::string& suffix) : offsets_(recordOffsets())
{
    block_ = platform::SharedBlock::attach("setstore.block" + suffix, blockSize());
    if (block_)
        lock_ = platform::NamedLock::open("setstore.cache" + suffix);
    if (block_ && lock_) {
        bytes_ = block_->data();
    } else {
        block_.reset();
        lock_.reset();
        local_.assign(blockSize(), 0);
        bytes_ = local_.data();
    }
}

SettingsCache::Access::Access(SettingsCache& cache) : cache_(cache)
{
    if (cache_.lock_) {
        platform::LockResult r = cache_.lock_->lock(platform::NamedLock::kInfinite);
        ok_ = r == platform::LockResult::Acquired || r == platform::LockResult::Abandoned;
        named_ = true;
    } else {
        cache_.localMutex_.lock();
        ok_ = true;
    }
}

SettingsCache::Access::~Access()
{
    if (!named_)
        cache_.localMutex_.unlock();
    else if (ok_)
        cache_.lock_->unlock();
}

int32_t SettingsCache::Access::referenceCount() const
{
    int32_t count;
    std::memcpy(&count, cache_.bytes_ + kReferenceCountOffset, sizeof count);
    return count;
}

void SettingsCache::Access::setReferenceCount(int32_t count)
{
    std::memcpy(cache_.bytes_ + kReferenceCountOffset, &count, sizeof count);
}

} // namespace setstore
