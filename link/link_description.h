#pragma once
// The register map of a monitor model: the four tables of its link description
// file (formats, groups, blocks, registers), each section introduced by
// "====", a tag, an int32 count and "====". Counts beyond the capacities and
// files shorter than their counts are refused.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/ecs_frame.h"

namespace ecs {

constexpr size_t kMaxFormats = 64;
constexpr size_t kMaxGroups = 100;
constexpr size_t kMaxBlocks = 256;
constexpr size_t kMaxRegisters = 4000;

// A device or register family with common command parameters (32 bytes).
struct GroupRecord {
    static constexpr size_t kSize = 32;
    static constexpr uint8_t kTwoBytes = 4;   // flags bit: registers are two bytes, high first
    static constexpr uint8_t kSlowKind = 6;   // commands run with the 20000 ms time-out
    std::array<uint8_t, 16> head{};
    int32_t perMode = 0;   // nonzero: the device byte is the current timing-mode number
    uint8_t flags = 0;
    uint8_t kind = 0;
    uint8_t device = 0;    // parameter c of every command of the group
    uint8_t spare = 0;
    int32_t max = 0;
    int32_t min = 0;
    bool twoBytes() const { return (flags & kTwoBytes) != 0; }
};

// A block of registers (16 bytes); only the register count is used.
struct BlockRecord {
    static constexpr size_t kSize = 16;
    uint8_t count = 0;
    std::array<uint8_t, 15> spare{};
};

// One register: a bit field in one or two bytes of a device (36 bytes).
struct RegisterRecord {
    static constexpr size_t kSize = 36;
    std::array<char, 16> name{};  // NUL-terminated
    int8_t writeFormat = 0;
    uint8_t writeAddress = 0;
    uint8_t writePosition = 0;    // index of the register's byte in the block image
    int8_t readFormat = 0;
    uint8_t readAddress = 0;
    uint8_t readPosition = 0;     // index of the register's byte in the read data
    std::array<uint8_t, 3> spare22{};
    int8_t group = 0;             // 0: pseudo-register without a device
    int8_t shift = 0;
    uint8_t spare27 = 0;
    int32_t mask = 0;             // after shifting; 0 means 0xFFFF
    int32_t lastRaw = 0;          // last raw value read
    std::string nameText() const;
};

struct LinkDescription {
    std::vector<FormatRecord> formats;
    std::vector<GroupRecord> groups;
    std::vector<BlockRecord> blocks;
    std::vector<RegisterRecord> registers;
};

// The map before any file was loaded: one all-zero record in each table.
LinkDescription emptyLinkDescription();

// Decodes a whole link description file. False (and `out` untouched) when the
// bytes are shorter than their counts say or a count is negative or beyond
// its capacity; *error says which.
bool parseLinkDescription(const uint8_t* data, size_t size, LinkDescription& out,
                          std::string* error = nullptr);

// The same for a viewer: decodes every complete record up to the first fault
// into `out` (sections not reached stay empty). True when the whole file
// decoded; otherwise `stopOffset` is where the fault lies and `error` says why.
bool parseLinkDescriptionAsFarAsItGoes(const uint8_t* data, size_t size, LinkDescription& out,
                                       size_t& stopOffset, std::string& error);

} // namespace ecs
