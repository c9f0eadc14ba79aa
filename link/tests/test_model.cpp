#include "test_model.h"

namespace testmodel {

using sim::items;

sim::LinkTables tables(int ecsType) {
    sim::LinkTables t;
    t.formats.resize(5);
    if (ecsType == 1) {
        // 16 data bytes are 32 nibbles on the wire.
        t.formats[kBlockRead].command = items({0x6E, 0x1000, 0x4000, 255});
        t.formats[kBlockRead].response = items({0x6F, 0x2000 + 32, 255});
        t.formats[kBlockWrite].command = items({0x70, 0x1000, 0x4000, 0x2000 + 32, 255});
        t.formats[kBlockWrite].response = items({0x71, 255});
        t.formats[kSingleRead].command = items({0x72, 0x1000, 0x4000, 255});
        t.formats[kSingleRead].response = items({0x73, 0x2000 + 2, 255});
        t.formats[kSingleWrite].command = items({0x74, 0x1000, 0x4000, 0x2000 + 2, 255});
        t.formats[kSingleWrite].response = items({0x75, 255});
    } else {
        t.formats[kBlockRead].command = items({0x51, 0x05, 0x1000, 0x4000, 0x8000});
        t.formats[kBlockRead].response = items({0x52, 0x13, 0x2000 + 16, 0x8000});
        t.formats[kBlockWrite].command = items({0x53, 0x15, 0x1000, 0x4000, 0x2000 + 16, 0x8000});
        t.formats[kBlockWrite].response = items({0x54, 0x03, 0x8000});
        t.formats[kSingleRead].command = items({0x55, 0x05, 0x1000, 0x4000, 0x8000});
        t.formats[kSingleRead].response = items({0x56, 0x04, 0x2000 + 1, 0x8000});
        t.formats[kSingleWrite].command = items({0x57, 0x06, 0x1000, 0x4000, 0x2000 + 1, 0x8000});
        t.formats[kSingleWrite].response = items({0x58, 0x03, 0x8000});
    }
    t.formats[kBlockRead].blockFlag = 1;
    t.formats[kBlockWrite].blockFlag = 1;
    for (size_t i = 1; i < t.formats.size(); ++i) t.formats[i].label = "FMT";

    t.groups.resize(7);
    t.groups[1] = {"MAIN", 0, 0, 0, kMainDevice, 255, 0};
    t.groups[2] = {"SLOW", 0, 0, 6, kSlowDevice, 100, 0};
    t.groups[3] = {"WIDE", 0, 4, 0, kWideDevice, 0xFFFF, 0};
    t.groups[4] = {"MODE", 1, 0, 0, 0x00, 127, 0};
    t.groups[5] = {"FIELD", 0, 0, 0, kFieldDevice, 15, -3};
    t.groups[6] = {"PLAINWIDE", 0, 4, 0, kPlainWideDevice, 0xFFFF, 0};

    auto blockReg = [](const char* name, int group, uint8_t base, uint8_t pos) {
        sim::LinkRegister r;
        r.name = name;
        r.writeFormat = kBlockWrite;
        r.writeAddress = base;
        r.writePosition = pos;
        r.readFormat = kBlockRead;
        r.readAddress = base;
        r.readPosition = pos;
        r.group = static_cast<int8_t>(group);
        return r;
    };
    auto singleReg = [](const char* name, int group, uint8_t address) {
        sim::LinkRegister r;
        r.name = name;
        r.writeFormat = kSingleWrite;
        r.writeAddress = address;
        r.readFormat = kSingleRead;
        r.readAddress = address;
        r.group = static_cast<int8_t>(group);
        return r;
    };
    sim::LinkRegister timer;
    timer.name = "Timer";

    t.blocks = {{4}, {1}, {2}, {1}, {4}, {3}, {2}, {1}};
    t.registers = {
        sim::LinkRegister{}, blockReg("Bright", 1, kMainBase, 0), blockReg("Contrast", 1, kMainBase, 1), timer,
        blockReg("Slow", 2, kSlowBase, 0),
        blockReg("Wide", 3, kWideBase, 0), blockReg("Wide2", 3, kWideBase, 2),
        blockReg("ModeH", 4, kMainBase, 0),
        singleReg("Field", 5, kFieldAddress), singleReg("!Key", 5, kKeyAddress), singleReg("#Power", 5, kPowerAddress),
        singleReg("PowerOff", 5, kPowerOffAddress),
        singleReg("UMT", 5, kUmtAddress), singleReg("Guard", 5, kGuardAddress), singleReg("Power", 5, kPlainPowerAddress),
        blockReg("Hue", 1, kHueBase, 0), blockReg("Sat", 1, kHueBase, 1),
        singleReg("PlainWide", 6, kPlainWideAddress),
    };
    t.registers[8].shift = 4;
    t.registers[8].mask = 0x0F;
    return t;
}

} // namespace testmodel
