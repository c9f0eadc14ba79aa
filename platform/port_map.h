#pragma once
// Maps Windows-style port names ("COM1") to devices. The map is an INI file,
// section [COM], keys COM1... with a device path or "sim:NAME" as value. It is
// $COMPORTS when set, else $XDG_CONFIG_HOME/comports.ini. Without an entry COMn
// is /dev/ttyS{n-1}.
#include <optional>
#include <string>

namespace platform {

std::string portMapPath();

// The port number of a "COMn" name (case-insensitive), or nothing.
std::optional<int> comPortNumber(const std::string& name);

// The device a name stands for: COMn through the map, anything else unchanged.
std::string resolvePortName(const std::string& name);

} // namespace platform
