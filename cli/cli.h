#pragma once
// pelaro-cli's frame: parses the options (before or after the command) and
// the command's own, builds the Ui and the session, runs the command and
// returns the exit code. main() only hands over the process's streams.
#include <string>
#include <vector>

#include "cli/session.h"

namespace cli {

// `args` as main receives them, program name first.
int run(const std::vector<std::string>& args, Environment& env);

} // namespace cli
