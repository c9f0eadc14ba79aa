#pragma once
// A small INI file of string values: read with inih, written atomically
// (temporary file, fsync, rename) so a crash leaves the old or the new file.
// Section and key names compare case-insensitively, as Windows profiles do;
// their order of first appearance is kept when writing.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/atomic_file.h"  // writeFileAtomically

namespace platform {

class IniStore {
public:
    IniStore() = default;

    // Reads `path`. A missing file gives an empty store and true; a file that
    // cannot be read or parsed gives false (the store keeps what was parsed).
    bool load(const std::string& path, std::string* error = nullptr);
    bool loadFromString(const std::string& text);
    // Writes the whole store to `path` atomically, creating its folder.
    bool save(const std::string& path, std::string* error = nullptr) const;
    std::string toString() const;

    std::optional<std::string> get(const std::string& section, const std::string& key) const;
    std::string get(const std::string& section, const std::string& key, const std::string& fallback) const;
    void set(const std::string& section, const std::string& key, const std::string& value);
    bool remove(const std::string& section, const std::string& key);
    bool hasSection(const std::string& section) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(const std::string& section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    Section* find(const std::string& section);
    const Section* find(const std::string& section) const;
    std::vector<Section> sections_;
};

} // namespace platform
