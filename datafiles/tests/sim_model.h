#pragma once
// A model for runs against the simulated monitor: the demo's link
// description of one ECS type with a per-mode device and special registers
// added, data groups of every kind over them, and its tables for the monitor.
#include <string>
#include <vector>

#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "modeldb/model_data.h"

namespace datafiles::testing {

// Register codes added to the demo's: block 5 on the per-mode device
// (addresses 0x40 and 0x41 of device k in mode k), block 6 on the geometry
// device (1).
constexpr uint16_t kModeA = 0x0500, kModeB = 0x0501;
constexpr uint16_t kSelA = 0x0600, kSelB = 0x0601, kData1 = 0x0602, kData2 = 0x0603, kCommit = 0x0604,
                   kSelMode = 0x0605;
constexpr uint8_t kModeDevice = 0;  // the device byte of mode k is k
constexpr int kModes = 3;

inline kit::LinkDescription simTables(int ecsType) {
    kit::LinkDescription d = kit::demoLinkDescription(ecsType);
    // The demo's first five blocks (service, geometry, special, frequency,
    // status) with their registers; blocks 5 and 6 are this model's.
    constexpr size_t kDemoBlocks = 5;
    size_t demoRegisters = 0;
    for (size_t b = 0; b < kDemoBlocks; ++b) demoRegisters += d.blocks[b].count;
    d.blocks.resize(kDemoBlocks);
    d.registers.resize(demoRegisters);
    const int perMode = static_cast<int>(d.groups.size());
    d.groups.push_back({"PERMODE", 1, 0, 0, kModeDevice, 255, 0});
    auto reg = [](const char* name, int group, uint8_t address) {
        kit::RegisterRecord r;
        r.name = name;
        r.writeFormat = 2;
        r.writeAddress = address;
        r.readFormat = 1;
        r.readAddress = address;
        r.group = static_cast<int8_t>(group);
        return r;
    };
    d.blocks.push_back({2, "MODES"});
    d.blocks.push_back({6, "SPECIAL"});
    for (const kit::RegisterRecord& r : {reg("ModeA", perMode, 0x40), reg("ModeB", perMode, 0x41), reg("SelA", 1, 0x10),
                                         reg("SelB", 1, 0x11), reg("Data1", 1, 0x12), reg("Data2", 1, 0x13),
                                         reg("Commit", 1, 0x14), reg("SelMode", 1, 0x15)})
        d.registers.push_back(r);
    return d;
}

inline modeldb::DataGroup simGroup(const std::string& name, uint8_t page, std::vector<std::pair<uint8_t, uint8_t>> items,
                                   uint8_t modeCount = 0, int16_t commit = 0) {
    modeldb::DataGroup g;
    g.name = name;
    g.page = page;
    g.modeCount = modeCount;
    g.commitRegister = commit;
    g.itemCount = static_cast<uint8_t>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        g.itemLow[i] = items[i].first;
        g.itemFlag[i] = items[i].second;
    }
    return g;
}

// The demo's geometry and picture registers (page 1), a per-mode group, and
// one special group of each type over block 6.
inline void fillSimModel(modeldb::ModelData& m, bool specials = true) {
    m.modelFile = "SIM.mdl";
    m.chassis.standardFile = "SIM.STD";
    m.chassis.sequences.powerRegister = 0x0004;
    m.standard.startList[0] = {0x0002, 1};  // service mode on
    m.standard.endList[0] = {0x0002, 0};
    std::vector<modeldb::DataGroup> groups = {
        simGroup("GEOMETRY", 1, {{0, 0}, {1, 0}, {2, 255}, {3, 157}, {4, 0}, {5, 0}}),
        simGroup("MODES", 5, {{0, 0}, {1, 0}}, kModes, static_cast<int16_t>(kCommit)),
    };
    if (specials) {
        groups.push_back(simGroup("SP1SEL", 6, {{0x00, 1}, {0x01, 1}, {0x02, 0}, {0x03, 0}}));
        groups.push_back(simGroup("SP2PWR", 6, {{0x00, 2}, {0x02, 0}, {0x03, 0}}, 0, static_cast<int16_t>(kCommit)));
        groups.push_back(simGroup("SP3USR", 6, {{0x05, 0}, {0x01, 0}, {0x02, 0}}, 2, static_cast<int16_t>(kCommit)));
        groups.push_back(simGroup("SP4TIM", 6, {{0x05, 0}, {0x02, 0}, {0x03, 0}}, 2));
        groups.push_back(simGroup("SP7ODD", 6, {{0x00, 0}}));
    }
    m.standard.groupCount = static_cast<int32_t>(groups.size());
    for (size_t i = 0; i < groups.size(); ++i) m.standard.groups[i] = groups[i];
}

} // namespace datafiles::testing
