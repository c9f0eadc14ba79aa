#pragma once
// The generator kinds pelaro knows and the limits of each, as data. The kind is
// stored in the profile as its index; the configuration list shows the names
// in this order up to "END".
#include <array>
#include <cstdint>
#include <string>

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

struct SgKind {
    int index;
    const char* name;
    SgDriverFamily family;
};

constexpr int kSgKindCount = 11;  // kinds 0..10; the table has "END" after them
constexpr int kSgKindManual = 8;
constexpr int kSgKindAppliance = 9;

// Kinds 0..10 followed by the terminator "END".
const std::array<SgKind, kSgKindCount + 1>& sgKindTable();
// The kind of `index`, or null for an index outside 0..10.
const SgKind* sgKind(int index);

// Limits of one kind, signed 16-bit each. The last two have no reader here.
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
