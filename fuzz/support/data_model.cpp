#include "fuzz/support/data_model.h"

#include <cstdlib>
#include <string>

#include "core/record_io.h"
#include "core/text_format.h"
#include "fuzz/support/scratch.h"
#include "kit/demo_station.h"
#include "modeldb/model_file.h"

namespace fuzz {

namespace {

modeldb::ChassisRecord demoChassis() {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(demoStation() + "/data/VXA.CHS", bytes)) std::abort();
    modeldb::ChassisRecord c;
    modeldb::decodeChassisFile(bytes, c);
    return c;
}

} // namespace

const std::string& demoStation() {
    static const std::string home = [] {
        const std::string h = scratchFolder() + "/station";
        if (!kit::writeDemoStation(h)) std::abort();
        return h;
    }();
    return home;
}

const modeldb::StandardBlock& demoStandard() {
    static const modeldb::StandardBlock standard = [] {
        std::vector<uint8_t> bytes;
        if (!core::readWholeFile(demoStation() + "/data/VXA.STD", bytes)) std::abort();
        modeldb::StandardBlock s;
        modeldb::decodeStandardFile(bytes, s);
        return s;
    }();
    return standard;
}

DataModel::DataModel(const modeldb::StandardBlock& standard) {
    static const modeldb::ChassisRecord chassis = demoChassis();
    sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
    sg.SgSelect(0, 1, 0);
    model.modelFile = "VX1700.mdl";
    model.chassis = chassis;
    model.chassis.standardFile = "VXA.STD";
    model.standardFile = "VXA.STD";
    model.standard = standard;
    regs.define(1, "Timer");
    if (chassis.sequences.powerRegister != 0) regs.define(chassis.sequences.powerRegister, "Power", 1);
    const size_t groups = static_cast<size_t>(std::clamp<int32_t>(standard.groupCount, 0, modeldb::kMaxDataGroups));
    for (size_t g = 0; g < groups; ++g) {
        const modeldb::DataGroup& group = standard.groups[g];
        for (size_t i = 0; i < group.itemCount; ++i) {
            const uint16_t code = static_cast<uint16_t>(group.registerCode(i));
            const std::string name = core::strf("R%04X", code);
            const int32_t value = static_cast<int32_t>(10 + i);
            if (group.modeCount > 0 && !group.special()) {
                regs.definePerMode(code, name, -32768, 32767);
                for (int k = 0; k < group.modeCount; ++k) regs.setInMode(code, k, value + 100 * k);
            } else {
                regs.define(code, name, value, -32768, 32767);
            }
        }
        if (group.commitRegister != 0)
            regs.define(static_cast<uint16_t>(group.commitRegister), core::strf("C%04X", group.commitRegister), 0,
                        -32768, 32767);
    }
}

appstate::ScreenContext DataModel::context() {
    return appstate::ScreenContext{model, regs, sg, ui, clock, flags, "VX-1700", demoStation()};
}

} // namespace fuzz
