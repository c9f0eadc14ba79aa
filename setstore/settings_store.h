#pragma once
// What one process sees of the store: the shared cache, the lock
// "RegAccessMutex" that serialises every walk over the file, and the group
// load and save walks. The C exports forward here.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/named_lock.h"
#include "setstore/group_table.h"
#include "setstore/settings_cache.h"

namespace setstore {

class SettingsStore {
public:
    // The process's store, set up at the first call; names carry the suffix
    // taken from SETSTORE_INSTANCE at that moment.
    static SettingsStore& instance();

    explicit SettingsStore(const std::string& suffix);

    int32_t init();
    void terminate();

    // Copies n bytes of the group's record at `offset` to or from the caller.
    // A write saves the whole group and reads it back.
    int32_t read(GroupId id, size_t offset, void* out, size_t n);
    int32_t write(GroupId id, size_t offset, const void* in, size_t n);
    int32_t readText(GroupId id, size_t offset, size_t width, char* out);
    int32_t writeText(GroupId id, size_t offset, size_t width, const char* text);
    int32_t readMemKind(int32_t* kind);

    // The walks, each under "RegAccessMutex"; results as the exports give them.
    int32_t loadGroup(GroupId id);
    int32_t saveGroup(GroupId id);

private:
    std::shared_ptr<platform::NamedLock> accessLock();
    int32_t loadGroupLocked(const GroupSpec& group);
    int32_t saveGroupLocked(const GroupSpec& group);

    std::string lockName_;
    SettingsCache cache_;
    std::mutex mutex_; // guards access_ and inits_
    std::shared_ptr<platform::NamedLock> access_;
    int inits_ = 0;
};

// SETSTORE_INSTANCE reduced to characters that are safe in object names.
std::string instanceSuffix();

} // namespace setstore
