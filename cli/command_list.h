#pragma once
// Every command of pelaro-cli, in the order --help lists them.
#include <memory>
#include <vector>

#include "cli/command.h"

namespace cli {

std::vector<std::unique_ptr<Command>> makeCommands();

} // namespace cli
