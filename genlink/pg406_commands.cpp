#include "genlink/pg406_commands.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "genlink/fields.h"
#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

namespace {

constexpr uint8_t kFamily = 0x2D;
constexpr Put D = Put::Dec, P3 = Put::Program3, F = Put::Flag;
constexpr std::span<const Slot> none{};

constexpr Slot kSetGroupName[] = {text("A"), arg(0, D, 2), name(Put::Name, kPg406Name)};
constexpr Slot kGetGroupName[] = {text("B"), arg(0, D, 2)};
constexpr Slot kName[] = {name(Put::NameTrim, kPg406Name)};
constexpr Slot kByStatus[] = {text("D"), arg(1, D, 1), arg(0, P3)};
constexpr Slot kSetProgName[] = {arg(0, P3), arg(1, F), arg(2, F), name(Put::Name, kPg406Name)};
// The digit after the program number asks for the name with its two flags.
constexpr Slot kGetProgName[] = {arg(0, P3), text("0")};
constexpr Slot kFlagsName[] = {rec(0, F), rec(1, F), name(Put::NameTrim, kPg406Name)};
constexpr Slot kAutoDispSet[] = {arg(0, D, 3), arg(1, D, 2)};
constexpr Slot kAutoDispGet[] = {rec(0, D, 3), rec(1, D, 2)};

constexpr Guard kGroup[] = {limit(LimitCheck::GroupNo, 0)};
constexpr Guard kWriter[] = {program(Rule::ProgWriter, 0)};
constexpr Guard kReader[] = {program(Rule::ProgReader, 0)};

// The numbers of a list entry after its names.
constexpr int kProgEntryWidths[] = {1, 5, 4, 4, 1, 4, 4, 1};
constexpr int kInProgEntryWidths[] = {1, 5, 4, 4, 1, 4, 4};
constexpr size_t kProgListBlock = 780, kInProgListBlock = 1060, kRomBlock = 1024;

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// A DIP-switch character: a hexadecimal letter stands for its value, any
// other character for its low four bits ('0'..'9', and ':'..'?' for 10..15).
int nibble(int32_t c) {
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c & 0x0F;
}

void copyName(const char* text, char (&out)[16]) {
    const std::string n = readNameField(text, kPg406Name);
    std::memcpy(out, n.c_str(), n.size() + 1);
}

template <size_t N> void parseNumbers(const char* text, const int (&widths)[N], int32_t* values) {
    for (size_t i = 0; i < N; ++i) {
        values[i] = static_cast<int32_t>(readDecimalField(text, static_cast<size_t>(widths[i])));
        text += widths[i];
    }
}

// An upload of `length` characters after the sub-command (and its payload).
int upload(Link& link, const std::string& payload, uint8_t* dest, size_t length, size_t block) {
    return link.exchange([&](CommandProtocol& p) {
        return p.up(kFamily, bytes(payload), payload.size(), dest, length, block, BlockForm::Dle);
    });
}

bool groupListArguments(Link& link, int32_t group, const void* programs, int32_t count, size_t& n) {
    int32_t max = 0;
    if (!programs || group < 0 || group > 99 || link.limits().check(LimitCheck::GroupNo, link.memoryKind(), &group) != 0)
        return false;
    if (link.limits().maximum(LimitMax::GroupProgCnt, link.memoryKind(), max) != 0 || count != max) return false;
    n = static_cast<size_t>(max);
    return true;
}

} // namespace

namespace pg406 {
const Row setGroupName{"PG406_SetGroupName", kFamily, Flow::Cmd, kSetGroupName, none, kGroup};
const Row getGroupName{"PG406_GetGroupName", kFamily, Flow::UpPlain, kGetGroupName, kName, kGroup};
const Row exeProgramByStatus{"PG406_ExeProgramByStatus", kFamily, Flow::Cmd, kByStatus, none, kReader};
const Row setProgName{"PG406_SetProgName", 0x3E, Flow::Cmd, kSetProgName, none, kWriter};
const Row getProgName{"PG406_GetProgName", 0x50, Flow::UpPlain, kGetProgName, kFlagsName, kReader};
const Row setAutoDisp{"PG406_SetAutoDisp", 0x46, Flow::Down, none, kAutoDispSet};
const Row getAutoDisp{"PG406_GetAutoDisp", 0x40, Flow::Up, none, kAutoDispGet};
} // namespace pg406

void parseProgEntry(const char* text, PG406_PROGLIST& entry) {
    copyName(text, entry.name);
    parseNumbers(text + kPg406Name, kProgEntryWidths, entry.value);
}

void parseInProgEntry(const char* text, PG406_INPROGLIST& entry) {
    copyName(text, entry.name);
    copyName(text + kPg406Name, entry.name2);
    parseNumbers(text + 2 * kPg406Name, kInProgEntryWidths, entry.value);
}

int getDsw(Link& link, uint8_t* dsw) {
    static constexpr Slot kAsk[] = {text("C")};
    static constexpr Slot kTwo[] = {rec(0, Put::Byte), rec(1, Put::Byte)};
    static const Row row{"PG406_GetDSW", kFamily, Flow::UpPlain, kAsk, kTwo};
    if (!dsw) return kBadArgument;
    int32_t chars[2] = {};
    const int r = runRow(link, row, {.out = chars});
    if (r == kOk) *dsw = static_cast<uint8_t>(nibble(chars[0]) << 4 | nibble(chars[1]));
    return r;
}

int getAllGroupNames(Link& link, char* names, int32_t* count) {
    if (!names || !count) return kBadArgument;
    uint8_t dsw = 0;
    int r = getDsw(link, &dsw);
    if (r != kOk) return r;
    const size_t n = dsw & 0x04 ? kMaxGroupNames : kMaxGroupNames / 2;
    std::vector<uint8_t> text(n * kPg406Name);
    r = upload(link, "J", text.data(), text.size(), text.size());
    if (r != kOk) return r;
    for (size_t i = 0; i < n; ++i) {
        const std::string one = readNameField(reinterpret_cast<const char*>(&text[i * kPg406Name]), kPg406Name);
        std::memcpy(names + 16 * i, one.c_str(), one.size() + 1);
    }
    *count = static_cast<int32_t>(n);
    return kOk;
}

int getProgList(Link& link, int32_t program, PG406_PROGLIST* entry) {
    if (!entry || program < 0 || program > 999) return kBadArgument;
    if (link.limits().checkProgNo(link.memoryKind(), program) != 0 && link.limits().checkInProgNo(program) != 0)
        return kBadArgument;
    char text[kProgListEntry] = {};
    const int r = upload(link, "E" + decimalField(program, 3), reinterpret_cast<uint8_t*>(text), sizeof text,
                         sizeof text);
    if (r == kOk) parseProgEntry(text, *entry);
    return r;
}

int getAllProgList(Link& link, PG406_PROGLIST* entries) {
    if (!entries) return kBadArgument;
    std::vector<char> text(kProgListEntry * kProgListEntries);
    const int r = upload(link, "F", reinterpret_cast<uint8_t*>(text.data()), text.size(), kProgListBlock);
    if (r != kOk) return r;
    for (int i = 0; i < kProgListEntries; ++i) parseProgEntry(&text[kProgListEntry * static_cast<size_t>(i)], entries[i]);
    return kOk;
}

int getAllInProgList(Link& link, PG406_INPROGLIST* entries) {
    if (!entries) return kBadArgument;
    std::vector<char> text(kInProgListEntry * kInProgListEntries);
    const int r = upload(link, "G", reinterpret_cast<uint8_t*>(text.data()), text.size(), kInProgListBlock);
    if (r != kOk) return r;
    for (int i = 0; i < kInProgListEntries; ++i)
        parseInProgEntry(&text[kInProgListEntry * static_cast<size_t>(i)], entries[i]);
    return kOk;
}

int setPanelRom(Link& link, const uint8_t* rom) {
    if (!rom) return kBadArgument;
    return link.exchange([&](CommandProtocol& p) {
        return p.down(kFamily, reinterpret_cast<const uint8_t*>("H"), 1, rom, kPanelRomBytes, kRomBlock,
                      BlockForm::Dle);
    });
}

int getPanelRom(Link& link, uint8_t* rom) {
    if (!rom) return kBadArgument;
    std::vector<uint8_t> image(kPanelRomBytes);
    const int r = upload(link, "I", image.data(), image.size(), kRomBlock);
    if (r == kOk) std::copy(image.begin(), image.end(), rom);
    return r;
}

int setGroupPrograms(Link& link, int32_t group, const int32_t* programs, int32_t count) {
    size_t n = 0;
    if (!groupListArguments(link, group, programs, count, n)) return kBadArgument;
    std::string payload = decimalField(group, 2);
    for (size_t i = 0; i < n; ++i) {
        if (programs[i] < 0 || programs[i] > 999) return kBadArgument;
        payload += decimalField(programs[i], 3);
    }
    return link.exchange([&](CommandProtocol& p) { return p.cmd(0x52, bytes(payload), payload.size()); });
}

int getGroupPrograms(Link& link, int32_t group, int32_t* programs, int32_t count) {
    size_t n = 0;
    if (!groupListArguments(link, group, programs, count, n)) return kBadArgument;
    const std::string payload = decimalField(group, 2);
    std::vector<char> text(3 * n + 1, 0);
    size_t received = 0;
    const int r = link.exchange([&](CommandProtocol& p) {
        return p.reply(0x53, bytes(payload), payload.size(), reinterpret_cast<uint8_t*>(text.data()), 3 * n, &received,
                       true);
    });
    if (r != kOk) return r;
    if (received % 3 != 0) return kCommFailed;
    for (size_t i = 0; i < n; ++i)
        programs[i] = 3 * i < received ? static_cast<int32_t>(readDecimalField(&text[3 * i], 3)) : 0;
    return kOk;
}

} // namespace genlink
