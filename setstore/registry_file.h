#pragma once
// The persistent key tree: one INI section per key, every value as text.
// Group load and group save move a group's stored fields between the file's
// contents and the group's record bytes.
#include <cstdint>
#include <string>

#include "platform/ini_store.h"
#include "setstore/group_table.h"

namespace setstore {

inline constexpr int32_t kReadFailed = -20;
inline constexpr int32_t kWriteFailed = -21;

class RegistryFile {
public:
    explicit RegistryFile(std::string path) : path_(std::move(path)) {}
    // $XDG_CONFIG_HOME/setstore/registry.ini, looked up at each call.
    static RegistryFile userFile();

    const std::string& path() const { return path_; }
    // Reads the file; a missing file is an empty tree. False when the file
    // exists but is unreadable or has lines that do not parse (what did parse
    // is kept). `unreadable` tells the first case from the second.
    bool read(platform::IniStore& tree, bool* unreadable = nullptr) const;
    bool write(const platform::IniStore& tree) const;

private:
    std::string path_;
};

// Copies every stored field of the group from `tree` into `record`. A missing
// key, a missing value or a number that does not parse leaves its field as it
// was and makes the result -20; otherwise 0.
int32_t loadGroupValues(const platform::IniStore& tree, const GroupSpec& group, uint8_t* record);

// Sets every stored field of the group in `tree`.
void saveGroupValues(platform::IniStore& tree, const GroupSpec& group, const uint8_t* record);

} // namespace setstore
