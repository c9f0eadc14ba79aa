#include "datafiles/data_groups.h"

#include <algorithm>

namespace datafiles {

GroupKind groupKind(const modeldb::DataGroup& group) {
    if (!group.special()) return GroupKind::Ordinary;
    if (group.name.size() < 3) return GroupKind::SpecialUnknown;
    switch (group.name[2]) {
    case '1': return GroupKind::Special1;
    case '2': return GroupKind::Special2;
    case '3': return GroupKind::Special3;
    case '4': return GroupKind::Special4;
    default: return GroupKind::SpecialUnknown;
    }
}

size_t walkedGroupCount(const modeldb::StandardBlock& standard) {
    return static_cast<size_t>(std::clamp<int32_t>(standard.groupCount, 0, static_cast<int32_t>(modeldb::kMaxDataGroups)));
}

size_t firstDataItem(GroupKind kind) {
    switch (kind) {
    case GroupKind::Special1:
    case GroupKind::Special3: return 2;
    case GroupKind::Special2:
    case GroupKind::Special4: return 1;
    default: return 0;
    }
}

} // namespace datafiles
