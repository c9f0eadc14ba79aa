// The simulated pattern generator's byte processor, with every command set
// of the library installed: the host's bytes, in pieces (a 16-bit length and
// the bytes), fed to it.
#include "fuzz/support/fuzz_input.h"
#include "sim/patgen/drawing_commands.h"
#include "sim/patgen/memory_commands.h"
#include "sim/patgen/patgen_core.h"
#include "sim/patgen/program_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    patgen::PatgenCore core;
    patgen::addProgramCommands(core);
    patgen::addDrawingCommands(core);
    patgen::addMemoryCommands(core);
    patgen::addModel406Commands(core);
    while (!in.empty()) {
        const fuzz::Bytes piece = in.chunk(2);
        if (piece.empty()) {
            core.reset();
            continue;
        }
        core.feed(piece.data(), piece.size());
    }
    return 0;
}
