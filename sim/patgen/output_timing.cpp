#include "sim/patgen/output_timing.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/ini_store.h"

namespace sim {

namespace {

// Character positions in the wire text of a program.
constexpr size_t kHTotal = 6;        // horizontal total in 1/100 us, 4 digits
constexpr size_t kVGroup = 31;       // after the 30-character horizontal group and ','
constexpr size_t kInterlace = kVGroup;       // 2 = interlaced
constexpr size_t kVTotal = kVGroup + 3;      // lines, 4 digits
constexpr size_t kOutputGroup = kVGroup + 35;  // after the 34-character vertical group and ','
constexpr size_t kSyncWords = kOutputGroup + 1;  // external H, external V, composite (2 = unused)
constexpr size_t kMinimumLength = kSyncWords + 3;

constexpr const char* kSection = "output";

std::optional<int> digits(const std::string& text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

const char* syncName(OutputTiming::Sync s) {
    switch (s) {
    case OutputTiming::Sync::Composite: return "composite";
    case OutputTiming::Sync::Green: return "green";
    case OutputTiming::Sync::Separate: break;
    }
    return "separate";
}

} // namespace

std::optional<OutputTiming> programOutputTiming(const std::string& text) {
    if (text.size() < kMinimumLength || text[kVGroup - 1] != ',' || text[kOutputGroup - 1] != ',')
        return std::nullopt;
    const auto hTotal = digits(text, kHTotal, 4);
    const auto interlace = digits(text, kInterlace, 1);
    const auto vTotal = digits(text, kVTotal, 4);
    const auto extH = digits(text, kSyncWords, 1);
    const auto extV = digits(text, kSyncWords + 1, 1);
    const auto composite = digits(text, kSyncWords + 2, 1);
    if (!hTotal || !interlace || !vTotal || !extH || !extV || !composite || *hTotal == 0 || *vTotal == 0)
        return std::nullopt;
    OutputTiming t;
    t.hKHz = 100000.0 / *hTotal;
    t.vHz = t.hKHz * 1000.0 / *vTotal * (*interlace == 2 ? 2 : 1);
    // A sync word of 2 is an unused output; 1 is positive.
    if (*extH != 2) {
        t.sync = OutputTiming::Sync::Separate;
        t.hPositive = *extH == 1;
        t.vPositive = *extV == 1;
    } else if (*composite != 2) {
        t.sync = OutputTiming::Sync::Composite;
        t.hPositive = t.vPositive = *composite == 1;
    } else {
        t.sync = OutputTiming::Sync::Green;
    }
    return t;
}

bool writeOutputTiming(const std::string& path, const OutputTiming& t, std::string* error) {
    platform::IniStore ini;
    char number[32];
    std::snprintf(number, sizeof number, "%.3f", t.hKHz);
    ini.set(kSection, "HFrequency", number);
    std::snprintf(number, sizeof number, "%.3f", t.vHz);
    ini.set(kSection, "VFrequency", number);
    ini.set(kSection, "HPolarity", t.hPositive ? "positive" : "negative");
    ini.set(kSection, "VPolarity", t.vPositive ? "positive" : "negative");
    ini.set(kSection, "Sync", syncName(t.sync));
    return ini.save(path, error);
}

std::optional<OutputTiming> readOutputTiming(const std::string& path) {
    platform::IniStore ini;
    if (!ini.load(path)) return std::nullopt;
    const auto h = ini.get(kSection, "HFrequency");
    const auto v = ini.get(kSection, "VFrequency");
    if (!h || !v) return std::nullopt;
    OutputTiming t;
    char* end = nullptr;
    t.hKHz = std::strtod(h->c_str(), &end);
    if (end == h->c_str()) return std::nullopt;
    t.vHz = std::strtod(v->c_str(), &end);
    if (end == v->c_str()) return std::nullopt;
    t.hPositive = ini.get(kSection, "HPolarity", "positive") != "negative";
    t.vPositive = ini.get(kSection, "VPolarity", "positive") != "negative";
    const std::string sync = ini.get(kSection, "Sync", "separate");
    t.sync = sync == "composite" ? OutputTiming::Sync::Composite
             : sync == "green"   ? OutputTiming::Sync::Green
                                 : OutputTiming::Sync::Separate;
    return t;
}

} // namespace sim
