// The INI store people edit by hand (pelaro's profile, the COM port map, the
// settings registry): parsed, asked for what it holds, written and read back.
#include <string>

#include "platform/ini_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::IniStore store;
    store.loadFromString(text);
    size_t values = 0;
    for (const std::string& section : store.sections()) {
        for (const std::string& key : store.keys(section)) {
            if (!store.get(section, key)) __builtin_trap();
            ++values;
        }
    }
    // What the store writes it reads back the same.
    const std::string written = store.toString();
    platform::IniStore again;
    again.loadFromString(written);
    for (const std::string& section : store.sections())
        for (const std::string& key : store.keys(section))
            if (again.get(section, key) != store.get(section, key)) __builtin_trap();
    store.set("PELARO", "ECS_TYPE", "2");
    store.remove("PELARO", "ECS_TYPE");
    [[maybe_unused]] static volatile size_t sink;
    sink = values;
    return 0;
}
