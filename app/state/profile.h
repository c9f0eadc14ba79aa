#pragma once
// The per-user profile of pelaro: section [PELARO] of
// $XDG_CONFIG_HOME/pelaro/pelaro.ini. Values are read with a default and
// every write is saved at once (atomically).
#include <optional>
#include <string>

#include "platform/ini_store.h"

namespace appstate {

class Profile {
public:
    static constexpr const char* kSection = "PELARO";
    static std::string defaultPath();

    explicit Profile(std::string path = defaultPath());

    const std::string& path() const { return path_; }
    std::optional<std::string> get(const std::string& key) const;
    std::string getString(const std::string& key, const std::string& fallback = std::string()) const;
    // A missing key gives `fallback`; a value that is not a number gives 0,
    // as leading digits are all that count.
    int getInt(const std::string& key, int fallback = 0) const;
    bool writeString(const std::string& key, const std::string& value);
    bool writeInt(const std::string& key, int value);

private:
    std::string path_;
    platform::IniStore store_;
};

} // namespace appstate
