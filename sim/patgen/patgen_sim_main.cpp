// pelaro-patgen-sim: the simulated pattern generator on a pseudo-terminal.
// Prints the terminal's path, then serves the host until killed.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/patgen/patgen_core.h"
#include "sim/patgen/pty_server.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: pelaro-patgen-sim [--link PATH] [--command CODE,KIND,FORM,BLOCK,STORE,KEYCHARS,LENGTH]...\n"
                 "                         [--nak-enquiry N] [--silent]\n");
}

} // namespace

int main(int argc, char** argv) {
    patgen::PatgenCore core;
    std::string link;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--link" && hasValue) {
            link = argv[++i];
        } else if (arg == "--command" && hasValue) {
            patgen::CommandSpec spec;
            std::string error;
            if (!patgen::parseCommandSpec(argv[++i], spec, &error)) {
                std::fprintf(stderr, "pelaro-patgen-sim: %s\n", error.c_str());
                return 2;
            }
            core.addCommand(spec);
        } else if (arg == "--nak-enquiry" && hasValue) {
            core.faults().nakEnquiry = std::atoi(argv[++i]);
        } else if (arg == "--silent") {
            core.faults().silent = true;
        } else {
            usage();
            return 2;
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    patgen::PtyServer server(core);
    std::string error;
    if (!server.open(link, &error)) {
        std::fprintf(stderr, "pelaro-patgen-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", server.path().c_str());
    std::fflush(stdout);
    return server.run() ? 0 : 1;
}
