#pragma once
// Where each range lives in the two parallel tables. Sections that exist once
// per memory kind come first, in four slots (kind 0, kinds 1 and 2, kind 3,
// kind 4); the global and model-dependent sections follow, the CDC ranges last.
#include <cstddef>
#include <cstdint>

namespace limtab {

inline constexpr size_t kTableEntries = 260;
inline constexpr int32_t kLimitFailed = -41;
inline constexpr int kKindSlots = 4;

enum class Section : int {
    // per memory kind
    ProgNo, GroupNo, GroupProgCnt, VbmNo, OptPtnNo, CharNo,
    ProgNameLen, GroupNameLen, VBMNameLen, OptPtnNameLen, PtnChar,
    // global
    InProgNo, InCharNo, HighProgNo, HFreq, VFreq,
    Circle, Line, Dot, Rect, Triangle, Ellipse, BitBlt, G8Color,
    // model-dependent
    HTiming0, HTiming1, VTiming, VTimingH, OutCtrl, OutCtrlDigital, Action,
    PtnGraphic, PtnCrossHatch, PtnDot, PtnCircle, PtnBurst, PtnWindow, PtnOption1, PtnOption2,
    PtnColorBar, PtnGrayScale, PtnHalfTone, PtnCursol, PtnName,
    // CDC
    CDCNo, CDCNameLen, CDC,
};
inline constexpr int kSectionCount = static_cast<int>(Section::CDC) + 1;
inline constexpr int kPerKindSections = static_cast<int>(Section::PtnChar) + 1;

// Fields of a section.
size_t fieldCount(Section section);
bool isPerKind(Section section);
// The table entry of the section's first field, for the memory kind's slot
// (ignored for global sections).
size_t firstEntry(Section section, int slot = 0);
// Entries used by all sections together.
size_t usedEntries();

// The slot of a memory kind 0..4, or -1 for any other kind.
int kindSlot(int32_t kind);

} // namespace limtab
