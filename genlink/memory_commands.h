#pragma once
// The memory, group and configuration commands: naming and enabling programs,
// program groups, automatic display, the high-speed program list, status
// tables, CDC and DDC data, the configuration and the memory card. Each export
// is one row of the member table below, run by runRow, or one of the few
// operations declared after it.
#include <cstdint>

#include "genlink/command_rows.h"

namespace genlink {

namespace memory {
extern const Row progEnable, getProgEnable, setProgName, getProgName, setGroup, getGroup, setHighProg,
    exeHighProg, setAutoDisp, getAnaDigiMode, getPGID, getVBMSts, getOptPtnSts;
extern const Row setCDC, getCDC, setCDCName, getCDCName;
extern const Row pg3SetConfig, pg3GetConfig, pg3SetDevice, pg3GetDevice, pg3MemCardFormat, pg3SetProgName,
    pg3GetProgName, pg3SetGroupName, pg3GetGroupName, pg3DelVBM, pg3DelAllVBM, pg3SetVBMName, pg3GetVBMName,
    pg3GetVBMSize, pg3DelOptPtn, pg3DelAllOptPtn, pg3SetOptPtnName, pg3GetOptPtnName, pg3GetOptPtnSize;
extern const Row pg4SetProgName, pg4GetProgName;
} // namespace memory

constexpr int kGroupPrograms = 20;       // programs of a PG_ group
constexpr int kHighPrograms = 4;
constexpr int kAutoDispWords = 7;
constexpr int kVbmSlots = 64, kVbmStatusWords = 5;
constexpr int kOptionPatterns = 128, kOptionStatusWords = 2;
constexpr int kCdcWords = 9;
constexpr int kConfigWords = 8;

// The automatic display: word 0 from three digits, the six programs from
// fields of three digits when the reply holds 21 characters, else of two.
int getAutoDisp(Link& link, int32_t* record);
// One digit; 2 is refused, because on the wire it is the query of the mode.
int setAnaDigiMode(Link& link, int32_t mode);

// Group lists of the third and fourth forms: pairs of three-digit numbers,
// one pair per program of a group. `count` is the group's program count
// (pairs) or twice it (numbers); either way the array holds two numbers per
// program.
int setGroupPairs(Link& link, uint8_t code, int32_t group, const int32_t* pairs, int32_t count);
int getGroupPairs(Link& link, uint8_t code, int32_t group, int32_t* pairs, int32_t count);

// Monitor identification data: `count` bytes (1..999) from `address`.
int getDdc(Link& link, uint8_t code, int32_t selector, int32_t address, int32_t count, uint8_t* buffer);
int setDdc(Link& link, int32_t selector, int32_t address, int32_t count, const uint8_t* bytes);

} // namespace genlink
