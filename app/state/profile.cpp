#include "app/state/profile.h"

#include <cstdlib>

#include "platform/xdg_paths.h"

namespace appstate {

std::string Profile::defaultPath() { return platform::configFile("pelaro/pelaro.ini"); }

Profile::Profile(std::string path) : path_(std::move(path))
{
    store_.load(path_);
}

std::optional<std::string> Profile::get(const std::string& key) const { return store_.get(kSection, key); }

std::string Profile::getString(const std::string& key, const std::string& fallback) const
{
    return store_.get(kSection, key, fallback);
}

int Profile::getInt(const std::string& key, int fallback) const
{
    std::optional<std::string> v = get(key);
    if (!v) return fallback;
    const char* s = v->c_str();
    char* end = nullptr;
    long n = std::strtol(s, &end, 10);
    if (end == s) return 0;
    if (n > 2147483647L) return 2147483647;
    if (n < -2147483647L - 1) return -2147483647 - 1;
    return static_cast<int>(n);
}

bool Profile::writeString(const std::string& key, const std::string& value)
{
    store_.set(kSection, key, value);
    return store_.save(path_);
}

bool Profile::writeInt(const std::string& key, int value) { return writeString(key, std::to_string(value)); }

} // namespace appstate
