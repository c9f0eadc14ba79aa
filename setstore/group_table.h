#pragma once
// The groups of settings: their records, and where each field is stored in
// the key tree. Offsets and widths come from the public record layouts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace setstore {

// Root of the key tree; every group key lies below it.
inline constexpr const char* kRootKey = "Software\\Vexordyne\\XR4410";

enum class GroupId : int {
    PG, Com, Seri, Para, Usb, Layout, PGBase, Program, VBM, OptionPtn, UserChar,
    Group, AutoDisp, FilePath, Common, Process, DDC, CDC, Cursol, Graphic,
};
inline constexpr int kGroupCount = 20;

enum class ValueKind { Number, Text };

// One field of a record. `key` is the key below the root and `name` the value
// name; both are null for a field kept in the shared block only.
struct ValueSpec {
    const char* key;
    const char* name;
    size_t offset;
    ValueKind kind;
    size_t width; // bytes of the field: 4 for numbers
    bool stored() const { return name != nullptr; }
};

struct GroupSpec {
    GroupId id;
    const char* name;
    size_t size;
    std::vector<ValueSpec> values; // record order

    void number(const char* key, const char* name, size_t offset);
    void text(const char* key, const char* name, size_t offset, size_t width);
    // Four numbers under `key` (the group's key followed by "\Margin").
    void margin(const char* key, size_t offset);
    // The font fields under `key` ("OptionPtn\Font").
    void font(const char* key, size_t offset);
};

const GroupSpec& groupSpec(GroupId id);
// The order in which REG_Init loads the groups.
const std::vector<GroupId>& initOrder();
// Full section name of a key: root, backslash, key.
std::string sectionName(const char* key);

// Cuts every text field of the record that overlaps [offset, offset + n) to
// its width less one, NUL-terminated and zero-padded.
void terminateTexts(const GroupSpec& group, uint8_t* record, size_t offset, size_t n);

// Memory kind from device, panel ROM and memory card: device 1 with panel ROM
// 0..3 gives 1..4, anything else 0. The memory card does not enter it.
int32_t mixMemKind(int32_t device, int32_t panelRom, int32_t memCard);

} // namespace setstore
