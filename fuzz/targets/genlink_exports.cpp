// The generator link's C exports that parse what the generator sends: every
// getter, called as a program calls it, with buffers of exactly the size the
// header promises. The link runs on serial port COM7, mapped to an
// in-process generator that answers each write of the host with the next
// chunk of the input, on a clock that never sleeps. The exports reach the
// link through processLink(), which this harness provides.
//
// Input: the memory kind, the export, three argument bytes, then the
// generator's answers (a 16-bit length and the bytes, one per write).
#include <cstdlib>

#include <unistd.h>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/generator_calls.h"
#include "fuzz/support/generator_settings.h"
#include "fuzz/support/scratch.h"
#include "fuzz/support/scripted_device.h"
#include "genlink.h"
#include "genlink/link.h"
#include "genlink/process_link.h"
#include "platform/clock.h"

namespace {

fuzz::Input* current = nullptr;
genlink::Link* currentLink = nullptr;

void setUp() {
    fuzz::placeFile("comports.ini", fuzz::bytesOf("[COM]\nCOM" + std::to_string(fuzz::kGeneratorPort) +
                                                  "=sim:fuzz-generator\n"));
    setenv("COMPORTS", (fuzz::scratchFolder() + "/comports.ini").c_str(), 1);
    fuzz::registerScriptedDevice("fuzz-generator", &current, fuzz::Framing::PerWrite, 2);
}

} // namespace

namespace genlink {
// The exports' one link: here the link of the current run.
Link& processLink() { return *currentLink; }
} // namespace genlink

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (setUp(), true);
    (void)ready;
    fuzz::Input in(data, size);
    fuzz::MemorySettings settings;
    settings.memoryKind = in.byte() % 5;
    const size_t call = in.byte();
    const fuzz::GeneratorArgs args{in.byte(), in.byte(), in.byte()};

    fuzz::OpenLimits limits;
    platform::FakeClock clock;
    genlink::LinkEnvironment env;
    env.clock = &clock;
    env.lockName = "pelaro-fuzz-PGTransMutex-" + std::to_string(getpid());
    genlink::Link l(settings, limits, env);
    current = &in;
    currentLink = &l;
    if (PG_Open() == genlink::resultWord(genlink::kOk, 0)) {
        fuzz::callGenerator(call, args);
        PG_Close();
    }
    currentLink = nullptr;
    current = nullptr;
    return 0;
}
