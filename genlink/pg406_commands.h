#pragma once
// The commands of the 406 model. Most share command 0x2D and are told apart
// by a sub-command letter, the payload's first character. Rows of the member
// table below run through runRow; the lists, the DIP switches, the panel ROM
// and the group lists have operations of their own.
#include <cstddef>
#include <cstdint>

#include "genlink.h"
#include "genlink/command_rows.h"

namespace genlink {

namespace pg406 {
extern const Row setGroupName, getGroupName, exeProgramByStatus, setProgName, getProgName, setAutoDisp,
    getAutoDisp;
} // namespace pg406

constexpr size_t kPg406Name = 15;
constexpr size_t kProgListEntry = 39, kInProgListEntry = 53;
constexpr int kProgListEntries = 160, kInProgListEntries = 100;
constexpr size_t kPanelRomBytes = 65536;
constexpr int kMaxGroupNames = 50;

// The DIP switches: two characters, each one nibble (a hexadecimal digit, or
// a character whose low four bits hold it).
int getDsw(Link& link, uint8_t* dsw);
// 50 names when bit 2 of the DIP switches is set, else 25; each 16 bytes in names.
int getAllGroupNames(Link& link, char* names, int32_t* count);

int getProgList(Link& link, int32_t program, PG406_PROGLIST* entry);
int getAllProgList(Link& link, PG406_PROGLIST* entries);
int getAllInProgList(Link& link, PG406_INPROGLIST* entries);

int setPanelRom(Link& link, const uint8_t* rom);
int getPanelRom(Link& link, uint8_t* rom);

// A group's programs as three-digit numbers; `count` must be the group's program count.
int setGroupPrograms(Link& link, int32_t group, const int32_t* programs, int32_t count);
int getGroupPrograms(Link& link, int32_t group, int32_t* programs, int32_t count);

// One list entry from its text (39 or 53 characters).
void parseProgEntry(const char* text, PG406_PROGLIST& entry);
void parseInProgEntry(const char* text, PG406_INPROGLIST& entry);

} // namespace genlink
