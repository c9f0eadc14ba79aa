#pragma once
// pelaro-cli's frame: parses the options (before or after the command) and
// the command's own, builds the Ui and the session, runs the command and
// returns the exit code. main() only hands over the process's streams.
#include <string>
#include <vector>

#include "cli/command_list.h"
#include "cli/session.h"

namespace cli {

// `args` as main receives them, program name first; `commands` are the
// commands offered (tests add their own).
int run(const std::vector<std::string>& args, Environment& env,
        std::vector<std::unique_ptr<Command>> commands = makeCommands());

} // namespace cli
