// The link description: formats, groups, blocks and registers.
#include "cli/dump/dump.h"

#include "core/text_format.h"
#include "link/link_description.h"

namespace cli {

Dump dumpLinkDescription(const std::vector<uint8_t>& bytes) {
    Dump d;
    ecs::LinkDescription map;
    size_t stop = 0;
    std::string error;
    const bool whole = ecs::parseLinkDescriptionAsFarAsItGoes(bytes.data(), bytes.size(), map, stop, error);
    Fields formats = Fields::array();
    for (const ecs::FormatRecord& r : map.formats)
        formats.push_back(Fields{{"label", core::fieldText(r.head.data(), r.head.size())},
                                 {"command items", r.command},
                                 {"response items", r.response},
                                 {"block flag", r.blockFlag}});
    Fields groups = Fields::array();
    for (const ecs::GroupRecord& r : map.groups)
        groups.push_back(Fields{{"label", core::fieldText(r.head.data(), r.head.size())},
                                {"per-mode", r.perMode},
                                {"flags", r.flags},
                                {"kind", r.kind},
                                {"device", r.device},
                                {"max", r.max},
                                {"min", r.min}});
    Fields blocks = Fields::array();
    for (const ecs::BlockRecord& r : map.blocks) blocks.push_back(Fields{{"register count", r.count}});
    // A register's code is its block and its index within the block.
    Fields registers = Fields::array();
    size_t block = 0, index = 0;
    for (const ecs::RegisterRecord& r : map.registers) {
        while (block < map.blocks.size() && index >= map.blocks[block].count) {
            ++block;
            index = 0;
        }
        Fields reg{{"name", r.nameText()}};
        if (block < map.blocks.size()) reg["code"] = hexCode(static_cast<int>(block << 8 | index));
        reg["write format"] = r.writeFormat;
        reg["write address"] = r.writeAddress;
        reg["write position"] = r.writePosition;
        reg["read format"] = r.readFormat;
        reg["read address"] = r.readAddress;
        reg["read position"] = r.readPosition;
        reg["group"] = r.group;
        reg["shift"] = r.shift;
        reg["mask"] = core::strf("0x%X", static_cast<unsigned>(r.mask));
        reg["last raw value"] = r.lastRaw;
        registers.push_back(reg);
        ++index;
    }
    // After a fault the sections it did not reach are left out.
    for (auto& [name, section] : {std::pair<const char*, Fields*>{"FOR= formats", &formats}, {"GRP= groups", &groups},
                                  {"R_B= blocks", &blocks}, {"REG= registers", &registers}})
        if (whole || !section->empty()) d.fields[name] = *section;
    if (!whole) d.stop = Dump::Stop{stop, error};
    return d;
}

} // namespace cli
