#pragma once
// The generator kinds pelaro knows and what each implies, as data: its name,
// the driver family that serves it, how far an apply goes, which of the
// configuration's generator lists apply to it, and the waits after an apply
// and after closing. The kind is stored in the profile as its index; the
// configuration list shows the names in this order up to "END". The
// configuration screen and the generator layer both read this table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace siggen {

// Which driver family serves a kind.
enum class SgDriverFamily {
    PatternGenerator,  // genlink, serial
    TimingCard,        // outside timing-card library
    CommandGenerator,  // outside ASCII-command library
    Manual,            // the technician sets the generator by hand
    Appliance,         // no generator; pictures come from the monitor itself
    End,               // list terminator
};

// How far SgApply goes for a kind.
enum class SgApplyScope {
    Nothing,       // no check, nothing sent
    CheckOnly,     // the timing check and its messages, nothing sent
    CheckAndSend,  // the check, then the driver sends
};

// Which of the configuration's generator-port and ISA-number lists are enabled.
struct SgLists {
    bool port;
    bool isa;
    bool operator==(const SgLists&) const = default;
};

// A named wait; 0 ms is no wait.
struct SgWait {
    uint32_t ms;
    const char* what;
};

struct SgKind {
    int index;
    const char* name;
    SgDriverFamily family;
    SgApplyScope apply;
    SgLists lists;            // when the kind is chosen in the configuration
    SgLists listsAtOpening;   // when the configuration opens on this kind
    SgWait afterApply;        // after each apply that was sent
    SgWait afterClose;        // after the driver closed the generator
};

constexpr int kSgKindCount = 11;  // kinds 0..10; the table has "END" after them
constexpr int kSgKindManual = 8;
constexpr int kSgKindAppliance = 9;

// Kinds 0..10 followed by the terminator "END".
const std::array<SgKind, kSgKindCount + 1>& sgKindTable();
// The kind of `index`, or null for an index outside 0..10.
const SgKind* sgKind(int index);

// The names of the configuration's generator list: the table's names up to
// "END", at most `limit` of them.
std::vector<std::string> sgKindNames(size_t limit);

// The configuration lists enabled for `index`, on opening or on a change of
// kind; an index outside the table enables both.
SgLists sgConfigurationLists(int index, bool opening);

// Limits of one kind, signed 16-bit each.
struct SgCapability {
    int16_t maxDotClockMHz;
    int16_t maxHFrequencyKHz;
    int16_t maxVFrequencyHz;
    int16_t limit4;
    int16_t limit5;
};

const std::array<SgCapability, kSgKindCount>& sgCapabilityTable();
// The limits of `index`, or null for an index outside 0..10.
const SgCapability* sgCapability(int index);

} // namespace siggen
