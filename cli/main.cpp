// pelaro-cli: the headless front end of the monitor adjustment workstation.
#include <iostream>

#include "cli/cli.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
    cli::Environment env{std::cout, std::cerr, std::cin};
    env.stdinTerminal = platform::standardInputIsTerminal();
    env.stderrTerminal = platform::standardErrorIsTerminal();
    return cli::run(std::vector<std::string>(argv, argv + argc), env);
}
