#pragma once
// The program's home folder, where data files are looked up, and the lookup
// itself: model kits come from Windows, so a name that is not found exactly is
// matched case-insensitively, folder by folder; '\\' counts as a separator.
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The folder of the running executable.
std::string executableFolder();

// The home when none is named: `exeFolder` when it holds `stationFile` (a
// build tree or a station unpacked beside the program), else the station
// folder of an installed program, `installedHome` relative to `exeFolder`
// (bin/../share/pelaro), made lexically plain.
std::string defaultProgramHome(const std::string& exeFolder, const std::string& stationFile,
                               const std::string& installedHome);

// Picks the home: "--home DIR" (removed from args), else $PELARO_HOME, else
// defaultProgramHome of the executable's folder and the install layout this
// build was configured for. `stationFile` is the file that marks a station.
std::string chooseProgramHome(std::vector<std::string>& args, const std::string& stationFile);

// Joins base and a relative name written with '/' or '\\' separators.
std::string joinPath(const std::string& base, const std::string& relative);

// The existing path for `relative` under `base`: exact when present, else the
// case-insensitive match of each component. Nothing when no match exists.
std::optional<std::string> findFile(const std::string& base, const std::string& relative);

// findFile, or the plain joined path when nothing matches (for error messages
// and for files about to be created).
std::string locateFile(const std::string& base, const std::string& relative);

} // namespace platform
