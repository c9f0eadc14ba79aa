#pragma once
// How the data files see the model's data groups: ordinary groups (stored
// once or once per display mode) and special groups, whose name begins with
// "SP" or "sp" and whose third character is their type digit; which items
// are skipped or constant; and which item codes the selectors are.
#include <cstddef>
#include <cstdint>

#include "modeldb/model_data.h"

namespace datafiles {

enum class GroupKind {
    Ordinary,
    Special1,        // two selectors, every combination of their values
    Special2,        // one selector, a power cycle, then the items
    Special3,        // one selector per mode 1..modeCount, items from 2
    Special4,        // one selector per mode 0..modeCount-1, items from 1
    SpecialUnknown,  // any other type digit: nothing is stored for it
};

constexpr uint8_t kSkippedItem = 255;   // stored as 0, never read or written
constexpr uint8_t kConstantItem = 157;  // stored as 1 (in groups without modes)

GroupKind groupKind(const modeldb::DataGroup& group);
inline bool isSpecial(GroupKind kind) { return kind != GroupKind::Ordinary; }

// The groups a run walks: the table's count, cut to its capacity.
size_t walkedGroupCount(const modeldb::StandardBlock& standard);

inline uint16_t itemCode(const modeldb::DataGroup& group, size_t item) {
    return static_cast<uint16_t>(group.registerCode(item));
}
// The selector parameters of a special group: its first two flag bytes.
inline int selectorA(const modeldb::DataGroup& group) { return group.itemFlag[0]; }
inline int selectorB(const modeldb::DataGroup& group) { return group.itemFlag[1]; }
// The first item that holds data in a special group (after its selectors).
size_t firstDataItem(GroupKind kind);

} // namespace datafiles
