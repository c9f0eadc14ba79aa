#include "setstore/registry_file.h"

#include <cstring>
#include <fstream>

#include "platform/xdg_paths.h"
#include "setstore/decimal_text.h"

namespace setstore {

RegistryFile RegistryFile::userFile()
{
    return RegistryFile(platform::configFile("setstore/registry.ini"));
}

bool RegistryFile::read(platform::IniStore& tree, bool* unreadable) const
{
    if (unreadable)
        *unreadable = false;
    if (tree.load(path_))
        return true;
    if (unreadable) {
        std::ifstream probe(path_);
        *unreadable = !probe.is_open();
    }
    return false;
}

bool RegistryFile::write(const platform::IniStore& tree) const
{
    return tree.save(path_);
}

int32_t loadGroupValues(const platform::IniStore& tree, const GroupSpec& group, uint8_t* record)
{
    int32_t status = 0;
    for (const ValueSpec& v : group.values) {
        if (!v.stored())
            continue;
        const std::string section = sectionName(v.key);
        if (!tree.hasSection(section)) {
            status = kReadFailed;
            continue;
        }
        std::optional<std::string> text = tree.get(section, v.name);
        if (!text) {
            status = kReadFailed;
            continue;
        }
        if (v.kind == ValueKind::Number) {
            std::optional<int32_t> number = parseDecimal(*text);
            if (!number) {
                status = kReadFailed;
                continue;
            }
            std::memcpy(record + v.offset, &*number, sizeof(int32_t));
        } else {
            // Cut to the field less one; the rest of the field is zero.
            size_t len = std::min(text->size(), v.width - 1);
            size_t nul = text->find('\0');
            if (nul != std::string::npos)
                len = std::min(len, nul);
            std::memset(record + v.offset, 0, v.width);
            std::memcpy(record + v.offset, text->data(), len);
        }
    }
    return status;
}

void saveGroupValues(platform::IniStore& tree, const GroupSpec& group, const uint8_t* record)
{
    for (const ValueSpec& v : group.values) {
        if (!v.stored())
            continue;
        const uint8_t* field = record + v.offset;
        std::string text;
        if (v.kind == ValueKind::Number) {
            int32_t number;
            std::memcpy(&number, field, sizeof number);
            text = formatDecimal(number);
        } else {
            size_t len = 0;
            while (len < v.width && field[len] != 0)
                ++len;
            text.assign(reinterpret_cast<const char*>(field), len);
        }
        tree.set(sectionName(v.key), v.name, text);
    }
}

} // namespace setstore
