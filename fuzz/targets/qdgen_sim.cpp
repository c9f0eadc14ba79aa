// The simulated command generator's byte processor: the host's bytes, in
// pieces, fed to its line protocol (lines up to LF, queries answered). The
// first byte picks the firmware (with or without the hatch images).
//
// Input: the firmware choice, then pieces of host bytes (a length byte and
// the bytes; an empty piece stands for a new generator's line).
#include <memory>
#include <string>

#include "fuzz/support/fuzz_input.h"
#include "sim/qdgen/qdgen_core.h"
#include "sim/qdgen/qdgen_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    static const char* const firmware[] = {qdgen::kDefaultFirmware, "2.900", "", "x"};
    qdgen::QdgenCore core(firmware[in.byte() % 4]);
    auto line = std::make_unique<qdgen::LineProtocol>(core);
    while (!in.empty()) {
        const fuzz::Bytes piece = in.chunk(1);
        if (piece.empty()) {
            line = std::make_unique<qdgen::LineProtocol>(core);
            continue;
        }
        const std::string answer = line->feed(piece.data(), piece.size());
        // Every reply goes out as whole lines.
        if (!answer.empty() && (answer.size() < 2 || answer.compare(answer.size() - 2, 2, "\r\n") != 0))
            __builtin_trap();
    }
    return 0;
}
