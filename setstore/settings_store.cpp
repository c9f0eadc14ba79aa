#include "setstore/settings_store.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/ini_store.h"
#include "setstore.h"
#include "setstore/registry_file.h"

namespace setstore {

namespace {

constexpr size_t kMaxTextField = 260;

} // namespace

std::string instanceSuffix()
{
    const char* env = std::getenv("SETSTORE_INSTANCE");
    if (!env || !*env)
        return std::string();
    std::string suffix(1, '.');
    for (const char* p = env; *p && suffix.size() < 64; ++p) {
        char c = *p;
        bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                    c == '_' || c == '.';
        suffix += safe ? c : '_';
    }
    return suffix;
}

SettingsStore& SettingsStore::instance()
{
    static SettingsStore store(instanceSuffix());
    return store;
}

SettingsStore::SettingsStore(const std::string& suffix) : lockName_("RegAccessMutex" + suffix), cache_(suffix) {}

std::shared_ptr<platform::NamedLock> SettingsStore::accessLock()
{
    std::lock_guard<std::mutex> guard(mutex_);
    return access_;
}

int32_t SettingsStore::init()
{
    std::shared_ptr<platform::NamedLock> lock;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (!access_)
            access_ = platform::NamedLock::open(lockName_);
        if (!access_)
            return kReadFailed;
        lock = access_;
    }
    // Load results are not reported: missing values are normal on first use.
    for (GroupId id : initOrder()) {
        platform::NamedLockGuard walk(*lock, platform::NamedLock::kInfinite);
        if (walk.owns())
            loadGroupLocked(groupSpec(id));
    }
    std::lock_guard<std::mutex> guard(mutex_);
    {
        SettingsCache::Access cache(cache_);
        if (cache.ok())
            cache.setReferenceCount(cache.referenceCount() + 1);
    }
    ++inits_;
    return 0;
}

void SettingsStore::terminate()
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (inits_ == 0)
        return;
    {
        SettingsCache::Access cache(cache_);
        if (cache.ok() && cache.referenceCount() > 0)
            cache.setReferenceCount(cache.referenceCount() - 1);
    }
    // The handle belongs to this process: close it when this process's own
    // clients are done, whatever other processes still do.
    if (--inits_ == 0)
        access_.reset();
}

int32_t SettingsStore::read(GroupId id, size_t offset, void* out, size_t n)
{
    const GroupSpec& group = groupSpec(id);
    if (!out || offset > group.size || n > group.size - offset)
        return kReadFailed;
    SettingsCache::Access cache(cache_);
    if (!cache.ok())
        return kReadFailed;
    std::memcpy(out, cache.record(id) + offset, n);
    return 0;
}

int32_t SettingsStore::write(GroupId id, size_t offset, const void* in, size_t n)
{
    const GroupSpec& group = groupSpec(id);
    if (!in || offset > group.size || n > group.size - offset)
        return kWriteFailed;
    // The whole write holds "RegAccessMutex", so another process's read-back
    // cannot put an older value over this one between copy and save.
    std::shared_ptr<platform::NamedLock> lock = accessLock();
    std::unique_ptr<platform::NamedLockGuard> walk;
    if (lock)
        walk = std::make_unique<platform::NamedLockGuard>(*lock, platform::NamedLock::kInfinite);
    {
        SettingsCache::Access cache(cache_);
        if (!cache.ok())
            return kWriteFailed;
        uint8_t* record = cache.record(id);
        std::memcpy(record + offset, in, n);
        terminateTexts(group, record, offset, n);
    }
    if (!walk || !walk->owns())
        return kWriteFailed;
    if (saveGroupLocked(group) != 0 || loadGroupLocked(group) != 0)
        return kWriteFailed;
    return 0;
}

int32_t SettingsStore::readText(GroupId id, size_t offset, size_t width, char* out)
{
    if (!out || width == 0 || width > kMaxTextField)
        return kReadFailed;
    char field[kMaxTextField];
    int32_t status = read(id, offset, field, width);
    if (status != 0)
        return status;
    size_t len = strnlen(field, width - 1);
    std::memcpy(out, field, len);
    out[len] = '\0';
    return 0;
}

int32_t SettingsStore::writeText(GroupId id, size_t offset, size_t width, const char* text)
{
    if (!text || width == 0 || width > kMaxTextField)
        return kWriteFailed;
    char field[kMaxTextField] = {};
    std::memcpy(field, text, strnlen(text, width - 1));
    return write(id, offset, field, width);
}

int32_t SettingsStore::readMemKind(int32_t* kind)
{
    if (!kind)
        return kReadFailed;
    REG_PG pg;
    int32_t status = read(GroupId::PG, 0, &pg, sizeof pg);
    if (status != 0)
        return status;
    *kind = mixMemKind(pg.DtDevice, pg.PanelRom, pg.MemCard);
    return 0;
}

int32_t SettingsStore::loadGroup(GroupId id)
{
    std::shared_ptr<platform::NamedLock> lock = accessLock();
    if (!lock)
        return kReadFailed;
    platform::NamedLockGuard walk(*lock, platform::NamedLock::kInfinite);
    if (!walk.owns())
        return kReadFailed;
    return loadGroupLocked(groupSpec(id));
}

int32_t SettingsStore::saveGroup(GroupId id)
{
    std::shared_ptr<platform::NamedLock> lock = accessLock();
    if (!lock)
        return kWriteFailed;
    platform::NamedLockGuard walk(*lock, platform::NamedLock::kInfinite);
    if (!walk.owns())
        return kWriteFailed;
    return saveGroupLocked(groupSpec(id));
}

int32_t SettingsStore::loadGroupLocked(const GroupSpec& group)
{
    bool stored = false;
    for (const ValueSpec& v : group.values)
        stored = stored || v.stored();
    if (!stored)
        return 0;
    platform::IniStore tree;
    RegistryFile::userFile().read(tree); // what parsed is used; the rest fails per value
    std::vector<uint8_t> record(group.size);
    SettingsCache::Access cache(cache_);
    if (!cache.ok())
        return kReadFailed;
    uint8_t* cached = cache.record(group.id);
    std::memcpy(record.data(), cached, group.size);
    int32_t status = loadGroupValues(tree, group, record.data());
    std::memcpy(cached, record.data(), group.size);
    return status;
}

int32_t SettingsStore::saveGroupLocked(const GroupSpec& group)
{
    bool stored = false;
    for (const ValueSpec& v : group.values)
        stored = stored || v.stored();
    if (!stored)
        return 0;
    RegistryFile file = RegistryFile::userFile();
    platform::IniStore tree;
    bool unreadable = false;
    // A file that exists but cannot be read is not overwritten: that would
    // lose every other group.
    if (!file.read(tree, &unreadable) && unreadable)
        return kWriteFailed;
    std::vector<uint8_t> record(group.size);
    {
        SettingsCache::Access cache(cache_);
        if (!cache.ok())
            return kWriteFailed;
        std::memcpy(record.data(), cache.record(group.id), group.size);
    }
    saveGroupValues(tree, group, record.data());
    return file.write(tree) ? 0 : kWriteFailed;
}

} // namespace setstore
