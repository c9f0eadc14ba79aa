#include "platform/port_map.h"

#include <cstdlib>

#include "platform/ini_store.h"
#include "platform/xdg_paths.h"

namespace platform {

std::string portMapPath() {
    const char* env = std::getenv("COMPORTS");
    if (env && *env) return env;
    return configFile("comports.ini");
}

std::optional<int> comPortNumber(const std::string& name) {
    if (name.size() < 4) return std::nullopt;
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    if (upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M') return std::nullopt;
    long n = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        n = n * 10 + (name[i] - '0');
        if (n > 1000000) return std::nullopt;
    }
    if (n < 1) return std::nullopt;
    return static_cast<int>(n);
}

std::string resolvePortName(const std::string& name) {
    std::optional<int> number = comPortNumber(name);
    if (!number) return name;
    IniStore map;
    if (map.load(portMapPath())) {
        std::optional<std::string> mapped = map.get("COM", "COM" + std::to_string(*number));
        if (mapped && !mapped->empty()) return *mapped;
    }
    return "/dev/ttyS" + std::to_string(*number - 1);
}

} // namespace platform
