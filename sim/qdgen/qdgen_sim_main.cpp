// pelaro-qdgen-sim: the simulated ASCII-command generator on a
// pseudo-terminal. Prints the terminal's path, then serves the host until
// killed, logging every command and what it did on standard error.
#include <csignal>
#include <cstdio>
#include <string>

#include "sim/qdgen/pty_server.h"
#include "sim/qdgen/qdgen_core.h"

namespace {

void usage() {
    std::fprintf(stderr, "usage: pelaro-qdgen-sim [--link PATH] [--firmware VERSION]\n"
                         "  --firmware VERSION   the answer to \"VERF?\" (default %s)\n",
                 qdgen::kDefaultFirmware);
}

} // namespace

int main(int argc, char** argv) {
    qdgen::QdgenCore core;
    core.onLog = [](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
    };
    std::string link;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--link" && hasValue) {
            link = argv[++i];
        } else if (arg == "--firmware" && hasValue) {
            core.setFirmware(argv[++i]);
        } else {
            usage();
            return 2;
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    qdgen::PtyServer server(core);
    std::string error;
    if (!server.open(link, &error)) {
        std::fprintf(stderr, "pelaro-qdgen-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", server.path().c_str());
    std::fflush(stdout);
    return server.run() ? 0 : 1;
}
