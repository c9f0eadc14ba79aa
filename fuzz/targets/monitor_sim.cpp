// The simulated monitor's byte processor: the host's bytes, in pieces, fed
// to a monitor serving a link description. Input: the ECS type byte, a link
// description file (the demo's of that type when it does not parse), then
// pieces of host bytes (a length byte and the bytes).
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "kit/demo_station.h"
#include "sim/monitor/link_file.h"
#include "sim/monitor/monitor_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const uint8_t flags = in.byte();
    const int type = (flags & 1) ? 2 : 1;
    sim::LinkTables tables;
    const std::optional<fuzz::Bytes> file = in.part();
    if (!file || !sim::parseLinkFile(file->data(), file->size(), tables)) tables = kit::demoLinkDescription(type);

    sim::MonitorProtocol monitor(tables, type);
    if (flags & 2) monitor.refuseWrites({0x0002, 0x0104}, 7);
    if (flags & 4) monitor.addFault({sim::MonitorFault::Kind::BadLiteral, 0, 0, 3});
    std::vector<sim::MonitorReply> replies;
    while (!in.empty()) {
        const fuzz::Bytes piece = in.chunk(1);
        if (piece.empty()) {
            monitor.resetInput();
            continue;
        }
        monitor.feed(piece.data(), piece.size(), replies);
    }
    return 0;
}
