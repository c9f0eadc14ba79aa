#pragma once
// A screen context over model data filled in memory and a monitor in memory
// (or any register port), with a fake clock and a scripted Ui, and helpers
// to describe data groups and read files back.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/state/screen_context.h"
#include "core/test_ui.h"
#include "core/text_format.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "siggen/signal_generator.h"

namespace datafiles::testing {

struct Item {
    uint8_t low = 0;
    uint8_t flag = 0;
};

inline modeldb::DataGroup makeGroup(const std::string& name, uint8_t page, std::vector<Item> items,
                                    uint8_t modeCount = 0, int16_t commit = 0) {
    modeldb::DataGroup g;
    g.name = name;
    g.page = page;
    g.modeCount = modeCount;
    g.commitRegister = commit;
    g.itemCount = static_cast<uint8_t>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        g.itemLow[i] = items[i].low;
        g.itemFlag[i] = items[i].flag;
    }
    return g;
}

struct DataFixture {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    platform::testing::TestFolder dir;

    DataFixture() {
        model.modelFile = "CM17X.mdl";
        model.chassis.standardFile = "CM17.STD";
        model.chassis.sequences.powerRegister = 0x0F00;
        regs.define(0x0F00, "Power", 1);
        regs.define(0x0001, "Timer");
    }

    appstate::ScreenContext context(ecs::RegisterAccess& port) {
        return appstate::ScreenContext{model, port, sg, ui, clock, flags, "CM-17X", dir.path()};
    }
    appstate::ScreenContext context() { return context(regs); }

    // Adds a group to the standard block; its registers ("<page><low>" in
    // hex, e.g. "R0102") are defined in the monitor, per mode when the group
    // has modes, with the values `first`, first + 1, ...
    modeldb::DataGroup& addGroup(modeldb::DataGroup g, int32_t first = 10, bool define = true) {
        model.standard.groups[static_cast<size_t>(model.standard.groupCount)] = g;
        ++model.standard.groupCount;
        if (define) {
            for (size_t i = 0; i < g.itemCount; ++i) {
                const uint16_t code = static_cast<uint16_t>(g.registerCode(i));
                if (g.modeCount > 0 && !g.special()) {
                    regs.definePerMode(code, registerName(code), -32768, 32767);
                    for (int k = 0; k < g.modeCount; ++k)
                        regs.setInMode(code, k, first + static_cast<int32_t>(i) + 100 * k);
                } else {
                    regs.define(code, registerName(code), first + static_cast<int32_t>(i), -32768, 32767);
                }
            }
            if (g.commitRegister != 0)
                regs.define(static_cast<uint16_t>(g.commitRegister), registerName(static_cast<uint16_t>(g.commitRegister)), 9);
        }
        return model.standard.groups[static_cast<size_t>(model.standard.groupCount - 1)];
    }
    static std::string registerName(uint16_t code) { return core::strf("R%04X", code); }

    std::string file(const std::string& name) const { return dir.file(name); }
    std::string read(const std::string& name) const { return dir.read(name); }
    // Accesses of the monitor other than reads, in order, as text:
    // "W0102=5/0", "select 1", "reset", "powerOn", ...
    std::vector<std::string> trace(bool reads = false) const {
        std::vector<std::string> out;
        using Kind = ecs::MemoryRegisters::Access::Kind;
        for (const auto& a : regs.accesses()) {
            switch (a.kind) {
            case Kind::Read:
                if (reads) out.push_back(core::strf("R%04X/%d", a.code, a.flags));
                break;
            case Kind::Write: out.push_back(core::strf("W%04X=%d/%d", a.code, a.value, a.flags)); break;
            case Kind::Sequence: out.push_back(a.sequence); break;
            case Kind::SelectMode: out.push_back(core::strf("select %d", a.value)); break;
            case Kind::ResetTransfer: out.push_back("reset"); break;
            }
        }
        return out;
    }
};

} // namespace datafiles::testing
