#pragma once
// What the simulated monitor does beyond plain register memory, as its
// command line gives it: status registers that follow the generator's
// output timing (read from the generators' state file), its table of preset
// modes, registers preset at start (failure bits, identifiers, power) and
// registers that clear themselves once written (degauss).
//
//   --timing-file FILE              the generator's output, as pelaro-patgen-sim writes it
//   --status MODE,HFREQ,VFREQ,SYNC  codes of the mode-number, frequency and sync/polarity registers
//   --mode HKHZ/VHZ                 a preset mode; repeat in mode order (register value 0 first)
//   --register CODE=VALUE           a register's value at start
//   --register CODE@MODE=VALUE      a per-mode register's value in one mode
//   --self-clearing CODE            a register that reads 0 again once written
//
// Codes and values are decimal or 0x-hexadecimal.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/monitor/monitor_protocol.h"
#include "sim/monitor/signal_status.h"

namespace sim {

struct MonitorBehaviour {
    std::string timingFile;
    StatusRegisters status;
    std::vector<MonitorMode> modes;
    struct Register {
        uint16_t code = 0;
        int mode = -1;  // a per-mode register's mode, -1 for the link's device byte
        int32_t value = 0;
    };
    std::vector<Register> registers;
    std::vector<uint16_t> selfClearing;

    enum class Take { NotMine, Taken, Bad };
    // One option with its value; Bad (with *error) for a value that does not read.
    Take take(const std::string& option, const std::string& value, std::string* error);
    // A list of options with their values; false on any other or bad one.
    bool parse(const std::vector<std::string>& args, std::string* error);

    // Presets the registers, marks the self-clearing ones and, when status
    // registers or modes are given, installs the signal status (fed from the
    // timing file when there is one). Returns the signal status or null.
    std::shared_ptr<SignalStatus> applyTo(MonitorProtocol& protocol) const;

    static const char* usage();
};

} // namespace sim
