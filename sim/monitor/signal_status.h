#pragma once
// What the simulated monitor measures of the signal at its input and
// reports in its status registers: the preset mode it selected, the
// horizontal and vertical frequencies and the sync kind with polarities.
// The signal is the simulated generator's output timing, set directly by a
// test or read from the generators' state file before every command.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "sim/monitor/link_file.h"
#include "sim/patgen/output_timing.h"

namespace sim {

// A preset mode of the monitor's own table.
struct MonitorMode {
    double hKHz = 0;
    double vHz = 0;
};

// The status registers; code 0 = the monitor has none.
struct StatusRegisters {
    uint16_t modeNumber = 0;    // index of the selected mode, from 0
    uint16_t hFrequency = 0;    // kHz x 10
    uint16_t vFrequency = 0;    // Hz x 100
    uint16_t syncPolarity = 0;  // bit 0 H polarity, bit 1 V polarity, sync kind from bit 2
};

// A timing within these limits of a preset mode selects it.
constexpr double kModeToleranceKHz = 0.5;
constexpr double kModeToleranceHz = 1.0;

class SignalStatus {
public:
    SignalStatus(StatusRegisters registers, std::vector<MonitorMode> modes);

    // The signal now; nothing = no signal known (the registers keep what they hold).
    void setTiming(std::optional<OutputTiming> timing);
    // Asked before every command instead of a fixed timing.
    void setSource(std::function<std::optional<OutputTiming>()> source);

    // The first preset mode the timing matches, else the first user mode
    // (the number of preset modes).
    int modeFor(const OutputTiming& timing) const;

    // The status registers' values for the signal now, as (code, value).
    // Register names decide the bit senses, as the model's data does: with
    // a frequency register named "#..." a set polarity bit means positive,
    // otherwise negative; a sync register named "#..." has a 4-bit kind.
    std::vector<std::pair<uint16_t, int32_t>> registerValues(const LinkTables& tables);

    const StatusRegisters& registers() const { return registers_; }
    const std::vector<MonitorMode>& modes() const { return modes_; }

private:
    StatusRegisters registers_;
    std::vector<MonitorMode> modes_;
    std::mutex mutex_;
    std::optional<OutputTiming> timing_;
    std::function<std::optional<OutputTiming>()> source_;
};

} // namespace sim
