#include "fuzz/support/monitor_script.h"

#include "kit/demo_station.h"
#include "kit/model_kit.h"

namespace fuzz {
namespace {

kit::LinkDescription description(int type) {
    kit::LinkDescription d = kit::demoLinkDescription(type);
    d.registers[9].mask = 0x0F;  // Brightness: bits 4..7
    d.registers[9].shift = 4;
    d.groups[4].kind = 6;        // status registers: the slow device
    d.formats[1].blockFlag = 1;
    return d;
}

std::vector<uint16_t> codesOf(const kit::LinkDescription& d) {
    std::vector<uint16_t> c;
    for (size_t block = 0; block < d.blocks.size(); ++block)
        for (size_t i = 0; i < d.blocks[block].count; ++i) c.push_back(static_cast<uint16_t>(block << 8 | i));
    c.push_back(0x7F00);  // beyond the map
    return c;
}

} // namespace

const std::vector<uint8_t>& monitorLinkFile(int type) {
    static const std::vector<uint8_t> files[2] = {kit::linkDescriptionFile(description(1)),
                                                  kit::linkDescriptionFile(description(2))};
    return files[type == 1 ? 0 : 1];
}

void runMonitorSteps(ecs::EcsLink& link, int type, const std::vector<MonitorStep>& steps) {
    static const std::vector<uint16_t> all[2] = {codesOf(description(1)), codesOf(description(2))};
    const std::vector<uint16_t>& codes = all[type == 1 ? 0 : 1];
    for (const MonitorStep& s : steps) {
        const uint16_t code = codes[s.reg % codes.size()];
        const int32_t value = static_cast<int8_t>(s.value) * (s.flags & 0x80 ? 300 : 1);
        ecs::ChassisSequences seq;
        seq.entry.codes = {code, 0x0001, codes[(s.reg + 1u) % codes.size()]};
        seq.entry.values = {static_cast<int16_t>(value), static_cast<int16_t>(s.flags & 3), -935};
        seq.exit = seq.entry;
        seq.keyRegister = 0x0003;
        seq.powerRegister = (s.flags & 4) ? code : 0x0004;
        seq.umtRegister = 0x020F;
        int32_t out = 0;
        switch (s.kind % 8) {
        case 0: link.readRegister(code, out, s.flags & 1); break;
        case 1: link.writeRegister(code, value, s.flags & 1); break;
        case 2: {
            ecs::LinkBuffer source{}, dest{};
            source.fill(s.value);
            link.transact(s.flags % 6, s.value, s.reg, source, dest);
            break;
        }
        case 3: link.serviceEntry(seq); break;
        case 4: link.serviceExit(seq); break;
        case 5: {
            ecs::StandardList list{};
            list[0] = {code, value};
            list[1] = {0x0001, s.flags & 3};
            list[2] = {static_cast<int32_t>(code) | (s.flags & 0x40 ? 0x10000 : 0), value};
            link.standardPreSequence(list);
            break;
        }
        case 6:
            link.resetTransfer();
            link.selectMode(s.value);
            break;
        case 7:
            if (s.flags & 1)
                link.powerOn(seq);
            else
                link.powerOff(seq);
            break;
        }
    }
}

void runModelSequences(ecs::EcsLink& link, const modeldb::ModelData& model) {
    const ecs::ChassisSequences& seq = model.chassis.sequences;
    link.serviceEntry(seq);
    link.standardPreSequence(model.standard.startList);
    link.powerOn(seq);
    link.powerOff(seq);
    link.standardPostSequence(model.standard.endList);
    link.serviceExit(seq);
}

} // namespace fuzz
