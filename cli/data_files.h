#pragma once
// What the data-file commands share: the file of the command line handed to
// a screen's chooser, the save and load screens driven through open, start
// and finish, and a data file's walk fault in words.
#include <functional>
#include <string>

#include "datafiles/dat_reader.h"

namespace datafiles { class DataFileScreen; }

namespace cli {

class Session;

// `path` made absolute, so the folder a screen keeps as the last data
// file's is a real one.
std::string absolutePath(const std::string& path);

// Opens `screen` with `path` for its chooser, starts the run and closes it
// (service entry and exit by the screen), showing it meanwhile. `whileOpen`
// runs after a completed run while the screen (and service mode) is still
// open, and gives the exit code. kExitFailed when the screen closed before
// the run (monitor not connected, the file refused) or the run did not
// complete.
int runDataFileScreen(Session& session, datafiles::DataFileScreen& screen, const std::string& path,
                      const std::function<int()>& whileOpen = {});

// Where and why a data file cannot be walked to its end:
// "group 3 (GEOMETRY): Label data different".
std::string faultText(const datafiles::DatFault& fault, const modeldb::StandardBlock& standard);

} // namespace cli
