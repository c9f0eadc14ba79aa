#pragma once
// The tables of a model's link description file as the simulated monitor
// sees them, with a reader and a writer of the file. The writer builds the
// bytes from plain tables, so tests and demo kits can make any file, valid or
// not; counts are written as the tables' sizes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

using Items = std::array<int32_t, 16>;

struct LinkFormat {
    std::string label;       // first 20 bytes, not used by the link
    Items command{};
    Items response{};
    int32_t blockFlag = 0;
};

struct LinkGroup {
    std::string label;
    int32_t perMode = 0;
    uint8_t flags = 0;       // 4: two-byte registers
    uint8_t kind = 0;        // 6: slow device
    uint8_t device = 0;
    int32_t max = 0;
    int32_t min = 0;
};

struct LinkBlock {
    uint8_t count = 0;
};

struct LinkRegister {
    std::string name;
    int8_t writeFormat = 0;
    uint8_t writeAddress = 0;
    uint8_t writePosition = 0;
    int8_t readFormat = 0;
    uint8_t readAddress = 0;
    uint8_t readPosition = 0;
    int8_t group = 0;
    int8_t shift = 0;
    int32_t mask = 0;
    int32_t lastRaw = 0;
};

struct LinkTables {
    std::vector<LinkFormat> formats;
    std::vector<LinkGroup> groups;
    std::vector<LinkBlock> blocks;
    std::vector<LinkRegister> registers;
    // The register of a code (block start + index), or null.
    const LinkRegister* registerOf(uint16_t code) const;
};

// Items from a list, the rest zero.
Items items(std::initializer_list<int32_t> list);

std::vector<uint8_t> linkFileBytes(const LinkTables& tables);
bool parseLinkFile(const uint8_t* data, size_t size, LinkTables& out, std::string* error = nullptr);
bool readLinkFile(const std::string& path, LinkTables& out, std::string* error = nullptr);

} // namespace sim
