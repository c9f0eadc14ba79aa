// A link description file: the program's reader (into the register map of a
// monitor link, every register code then looked up) and the simulated
// monitor's own reader of the same format.
#include <algorithm>

#include "core/fake_ui.h"
#include "link/ecs_link.h"
#include "link/link_description.h"
#include "platform/clock.h"
#include "sim/monitor/link_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ecs::LinkDescription d;
    std::string error;
    const bool parsed = ecs::parseLinkDescription(data, size, d, &error);
    if (parsed && (d.formats.size() > ecs::kMaxFormats || d.groups.size() > ecs::kMaxGroups ||
                   d.blocks.size() > ecs::kMaxBlocks || d.registers.size() > ecs::kMaxRegisters))
        __builtin_trap();

    core::FakeUi ui;
    platform::FakeClock clock;
    ecs::EcsLink link("sim:none", ui, clock);  // no device: every command fails at once
    if (link.loadLinkDescriptionBytes(data, size) != (parsed ? 1 : 0)) __builtin_trap();
    size_t named = 0;
    // Every index of every block there is, and of the block after the last.
    const size_t blocks = std::min<size_t>(link.registers().blockCount() + 1, 256);
    for (size_t block = 0; block < blocks; ++block) {
        for (size_t index = 0; index < 256; ++index) {
            const uint16_t code = static_cast<uint16_t>(block << 8 | index);
            named += link.registerName(code).size();
            link.groupMax(code);
            link.groupMin(code);
        }
    }
    link.selectMode(3);

    sim::LinkTables tables;
    sim::parseLinkFile(data, size, tables, &error);
    for (uint32_t code = 0; code < 0x400; ++code) tables.registerOf(static_cast<uint16_t>(code));
    [[maybe_unused]] static volatile size_t sink;
    sink = named;
    return 0;
}
