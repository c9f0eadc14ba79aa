// pelaro-patgen-sim: the simulated pattern generator on a pseudo-terminal.
// Prints the terminal's path, then serves the host until killed.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/patgen/output_timing.h"
#include "sim/patgen/patgen_core.h"
#include "sim/patgen/drawing_commands.h"
#include "sim/patgen/memory_commands.h"
#include "sim/patgen/program_commands.h"
#include "sim/patgen/pty_server.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: pelaro-patgen-sim [--link PATH] [--command CODE,KIND,FORM,BLOCK,STORE,KEYCHARS,LENGTH]...\n"
                 "                         [--nak-enquiry N] [--silent] [--timing-file FILE]\n"
                 "--timing-file: where the timing of each program executed is written, for the simulated monitor\n");
}

// Printable text of a payload or item for the log.
std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    patgen::PatgenCore core;
    patgen::addProgramCommands(core);
    patgen::addDrawingCommands(core);
    patgen::addMemoryCommands(core);
    patgen::addModel406Commands(core);
    std::string timingFile;
    // The log on standard error: every command and every item stored.
    core.onCommand = [](const patgen::ReceivedCommand& c) {
        std::fprintf(stderr, "command 0x%02X \"%s\"\n", c.code, printable(c.payload).c_str());
        std::fflush(stderr);
    };
    core.onStored = [&timingFile](const std::string& key, const patgen::Bytes& data) {
        std::fprintf(stderr, "stored %s (%zu) \"%s\"\n", key.c_str(), data.size(),
                     printable(std::string(data.begin(), data.end())).c_str());
        // A program sent for execution is what the generator puts out now.
        const auto timing = sim::programOutputTiming(std::string(data.begin(), data.end()));
        std::string error;
        if (!timingFile.empty() && key.rfind("screen:", 0) == 0 && timing &&
            !sim::writeOutputTiming(timingFile, *timing, &error))
            std::fprintf(stderr, "cannot write %s: %s\n", timingFile.c_str(), error.c_str());
        std::fflush(stderr);
    };
    core.onFigure = [](const patgen::Figure& f) {
        std::fprintf(stderr, "figure %s %c \"%s\"%s%s\n", f.name.c_str(), f.plane, printable(f.payload).c_str(),
                     f.text.empty() ? "" : " text ", f.text.empty() ? "" : printable(f.text).c_str());
        std::fflush(stderr);
    };
    std::string link;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--link" && hasValue) {
            link = argv[++i];
        } else if (arg == "--command" && hasValue) {
            patgen::CommandEntry entry;
            std::string error;
            if (!patgen::parseCommandSpec(argv[++i], entry, &error)) {
                std::fprintf(stderr, "pelaro-patgen-sim: %s\n", error.c_str());
                return 2;
            }
            core.addCommand(entry);
        } else if (arg == "--nak-enquiry" && hasValue) {
            core.faults().nakEnquiry = std::atoi(argv[++i]);
        } else if (arg == "--timing-file" && hasValue) {
            timingFile = argv[++i];
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
