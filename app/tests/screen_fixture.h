#pragma once
// A screen context over model data filled in memory, a monitor in memory,
// and a generator whose kind-0 driver records what it is asked to send.
#include <gtest/gtest.h>

#include <vector>

#include "app/state/screen_context.h"
#include "core/test_ui.h"
#include "core/text_format.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"
#include "siggen/recording_driver.h"

namespace app::testing {

struct RegisterWrite {
    uint16_t code;
    int32_t value;
    int flags;
    bool operator==(const RegisterWrite&) const = default;
};

struct ScreenFixture {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", ""};

    explicit ScreenFixture(int presets = 12) { setPresets(model, presets); }

    // Preset timings "Timing 1".. with dot clocks 25.175, 26.175, ... and a
    // total of 800 dots each, so the generator's check leaves them as they are.
    static void setPresets(modeldb::ModelData& data, int presets) {
        data.image.presetCount = static_cast<int16_t>(presets);
        for (int i = 0; i < presets; ++i) {
            modeldb::ModelTiming& t = data.image.presets[static_cast<size_t>(i)];
            t.name = core::strf("Timing %d", i + 1);
            t.dotClock = 25.175f + static_cast<float>(i);
            t.hFrequency = t.dotClock / 800.0f * 1000.0f;
            t.vFrequency = 60.0f;
            t.h = {800, 160, 16, 96, 48, 640};
            t.v = {525, 45, 10, 2, 33, 480};
        }
    }
    // The special handling of screen n in the model's first special table.
    void setSpecial(int screen, int16_t value) {
        const size_t at = 2 + 2 * static_cast<size_t>(screen);
        model.image.special1[at] = static_cast<uint8_t>(value & 0xFF);
        model.image.special1[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
    }
    // Registers named "REG_hhhh", 0..255.
    void defineRegister(uint16_t code) { regs.define(code, core::strf("REG_%04X", code)); }
    std::vector<RegisterWrite> writes() const {
        std::vector<RegisterWrite> out;
        for (const auto& a : regs.accesses())
            if (a.kind == ecs::MemoryRegisters::Access::Kind::Write) out.push_back({a.code, a.value, a.flags});
        return out;
    }
    void useKind(int kind) {
        sg.installDriver(kind, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(kind, 1, 0);
    }
};

} // namespace app::testing
