#include "limtab/limit_layout.h"

#include <array>

#include "limtab.h"

namespace limtab {

namespace {

constexpr std::array<size_t, kSectionCount> kCounts = {
    PGLIMIT_PROGNO_RANGES, 1, 1, 1, 1, 1, 1, 1, 1, 1, PGLIMIT_PTNCHAR_FIELDS,
    1, 1, 1, 1, 1,
    PGLIMIT_CIRCLE_FIELDS, PGLIMIT_POINT_FIELDS, PGLIMIT_POINT_FIELDS, PGLIMIT_POINT_FIELDS, PGLIMIT_POINT_FIELDS,
    PGLIMIT_ELLIPSE_FIELDS, PGLIMIT_BITBLT_FIELDS, 1,
    PGLIMIT_HTIMING_FIELDS, PGLIMIT_HTIMING_FIELDS, PGLIMIT_VTIMING_FIELDS, PGLIMIT_VTIMINGH_FIELDS,
    PGLIMIT_OUTCTRL_FIELDS, PGLIMIT_OUTCTRL_DIGITAL_FIELDS, PGLIMIT_ACTION_FIELDS,
    PGLIMIT_PTN_GRAPHIC_FIELDS, PGLIMIT_PTN_CROSSHATCH_FIELDS, PGLIMIT_PTN_DOT_FIELDS, PGLIMIT_PTN_CIRCLE_FIELDS,
    PGLIMIT_PTN_BURST_FIELDS, PGLIMIT_PTN_WINDOW_FIELDS, PGLIMIT_PTN_OPTION1_FIELDS, PGLIMIT_PTN_OPTION2_FIELDS,
    PGLIMIT_PTN_COLORBAR_FIELDS, PGLIMIT_PTN_GRAYSCALE_FIELDS, PGLIMIT_PTN_HALFTONE_FIELDS,
    PGLIMIT_PTN_CURSOL_FIELDS, PGLIMIT_PTN_NAME_FIELDS,
    1, 1, PGLIMIT_CDC_FIELDS,
};

struct Layout {
    std::array<size_t, kSectionCount> first{};
    size_t slotSize = 0;
    size_t used = 0;
};

constexpr Layout makeLayout()
{
    Layout l;
    size_t at = 0;
    for (int i = 0; i < kPerKindSections; ++i) {
        l.first[i] = at;
        at += kCounts[i];
    }
    l.slotSize = at;
    at = l.slotSize * kKindSlots;
    for (int i = kPerKindSections; i < kSectionCount; ++i) {
        l.first[i] = at;
        at += kCounts[i];
    }
    l.used = at;
    return l;
}

constexpr Layout kLayout = makeLayout();
static_assert(kLayout.used <= kTableEntries, "the ranges must fit the tables");
static_assert(PGLIMIT_TABLE_ENTRIES == kTableEntries);

} // namespace

size_t fieldCount(Section section) { return kCounts[static_cast<size_t>(section)]; }

bool isPerKind(Section section) { return static_cast<int>(section) < kPerKindSections; }

size_t firstEntry(Section section, int slot)
{
    size_t first = kLayout.first[static_cast<size_t>(section)];
    return isPerKind(section) ? first + kLayout.slotSize * static_cast<size_t>(slot) : first;
}

size_t usedEntries() { return kLayout.used; }

int kindSlot(int32_t kind)
{
    switch (kind) {
    case 0: return 0;
    case 1:
    case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    default: return -1;
    }
}

} // namespace limtab
