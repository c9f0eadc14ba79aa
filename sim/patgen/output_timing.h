#pragma once
// The timing the simulated pattern generator puts out, shared with the
// simulated monitor through a small state file: the generator writes it
// whenever it executes a program, the monitor reads it to tell which mode it
// receives. The file is an INI text written atomically:
//
//   [output]
//   HFrequency=31.476   (kHz)
//   VFrequency=59.954   (Hz)
//   HPolarity=positive  (or negative)
//   VPolarity=positive
//   Sync=separate       (composite, green)
#include <optional>
#include <string>

namespace sim {

struct OutputTiming {
    enum class Sync { Separate, Composite, Green };
    double hKHz = 0;
    double vHz = 0;
    bool hPositive = true;
    bool vPositive = true;
    Sync sync = Sync::Separate;
};

// The timing of a program as the generator receives it on the wire: the
// horizontal and vertical groups and the sync words of the output group,
// which every program form begins with. Nothing for a text too short or not
// made of digits there.
std::optional<OutputTiming> programOutputTiming(const std::string& wireText);

bool writeOutputTiming(const std::string& path, const OutputTiming& timing, std::string* error = nullptr);
// Nothing when the file is missing or does not hold a timing.
std::optional<OutputTiming> readOutputTiming(const std::string& path);

} // namespace sim
