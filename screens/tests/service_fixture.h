#pragma once
// A screen context for the service screens: a chassis naming every special
// register, a monitor in memory holding them, a fake clock, and a generator
// whose driver records what it sends and makes the monitor report a mode
// for it (by default the preset mode of the timing's own number).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/state/screen_context.h"
#include "core/test_ui.h"
#include "core/text_format.h"
#include "link/memory_registers.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"
#include "siggen/recording_driver.h"

namespace screens::testing {

namespace reg {
constexpr uint16_t kPower = 0x0004;
constexpr uint16_t kPresets = 0x0100;  // 0x0100..0x0105; sliders 7 and 8 have no register
constexpr uint16_t kUserSave = 0x0200, kRestore = 0x0205, kDegauss = 0x0206, kAging = 0x0207;
constexpr uint16_t kMonitorId = 0x0208, kFactoryId = 0x0209, kFailureA = 0x020D, kFailureB = 0x020E;
constexpr uint16_t kHFrequency = 0x0300, kVFrequency = 0x0301;
constexpr uint16_t kSyncPolarity = 0x0400, kModeNumber = 0x0401;
} // namespace reg

// Sends like the recording driver, then has the monitor select a mode.
class MonitorFollowingDriver : public siggen::SgDriver {
public:
    MonitorFollowingDriver(siggen::DriverLog& log, std::function<void(const siggen::SgTiming&)> monitor)
        : recorder_(log), monitor_(std::move(monitor)) {}
    void open(siggen::SignalGenerator& sg) override { recorder_.open(sg); }
    void apply(siggen::SignalGenerator& sg) override {
        recorder_.apply(sg);
        if (monitor_) monitor_(sg.timing());
    }
    void close(siggen::SignalGenerator& sg) override { recorder_.close(sg); }

private:
    siggen::RecordingDriver recorder_;
    std::function<void(const siggen::SgTiming&)> monitor_;
};

struct ServiceFixture {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, regs, sg, ui, clock, flags, "CM-17X", ""};
    // The mode number (from 1) the monitor selects for a timing number.
    std::function<int(int timing)> monitorMode = [](int timing) { return timing; };

    ServiceFixture() {
        setPresets(12);
        setSpecial(modeldb::chassis::kUserSave, reg::kUserSave);
        setSpecial(modeldb::chassis::kRestore, reg::kRestore);
        setSpecial(modeldb::chassis::kDegauss, reg::kDegauss);
        setSpecial(modeldb::chassis::kAging, reg::kAging);
        setSpecial(modeldb::chassis::kMonitorId, reg::kMonitorId);
        setSpecial(modeldb::chassis::kFactoryId, reg::kFactoryId);
        setSpecial(modeldb::chassis::kHFrequency, reg::kHFrequency);
        setSpecial(modeldb::chassis::kVFrequency, reg::kVFrequency);
        setSpecial(modeldb::chassis::kSyncPolarity, reg::kSyncPolarity);
        setSpecial(modeldb::chassis::kModeNumber, reg::kModeNumber);
        for (size_t i = 0; i < 6; ++i)
            setSpecial(modeldb::chassis::kFactoryPresets + 2 * i, static_cast<int16_t>(reg::kPresets + i));
        model.chassis.sequences.powerRegister = reg::kPower;
        model.chassis.showDegauss = model.chassis.showAging = model.chassis.showPower = 1;
        model.chassis.failureTable = {
            {static_cast<int16_t>(reg::kFailureA), {"H-Deflection", "V-Deflection", "", "", "", "", "", "EEPROM"}},
            {static_cast<int16_t>(reg::kFailureB), {"Fan", "", "", "", "", "", "", ""}}};

        regs.define(reg::kPower, "Power", 1);
        // Sliders: sizes 0..255, positions signed -32..31.
        regs.define(reg::kPresets + 0, "H-Size", 100);
        regs.define(reg::kPresets + 1, "H-Pos", 0xFA, -32, 31);  // a signed byte: -6
        regs.define(reg::kPresets + 2, "V-Size", 120);
        regs.define(reg::kPresets + 3, "V-Pos", 3, -32, 31);
        regs.define(reg::kPresets + 4, "Bright", 90);
        regs.define(reg::kPresets + 5, "Contr", 200);
        regs.define(reg::kUserSave, "U_save");
        regs.define(reg::kRestore, "Restore");
        regs.define(reg::kDegauss, "Degauss");
        regs.define(reg::kAging, "Aging");
        regs.define(reg::kMonitorId, "MonitorID", 0x1A2B, 0, 0xFFFF);
        for (uint16_t i = 0; i < 4; ++i) regs.define(reg::kFactoryId + i, core::strf("FactID%d", i), 0, 0, 0xFFFF);
        regs.define(reg::kFailureA, "Fail_A");
        regs.define(reg::kFailureB, "Fail_B");
        regs.define(reg::kHFrequency, "H-Freq", 315, 0, 0xFFFF);
        regs.define(reg::kVFrequency, "V-Freq", 5994, 0, 0xFFFF);
        regs.define(reg::kSyncPolarity, "SyncPol", 0);
        regs.define(reg::kModeNumber, "ModeNo", 0);

        sg.installDriver(0, std::make_unique<MonitorFollowingDriver>(driver, [this](const siggen::SgTiming& t) {
            regs.set(reg::kModeNumber, monitorMode(t.mode) - 1);
        }));
        sg.SgSelect(0, 1, 0);
    }

    void setPresets(int presets) {
        model.image.presetCount = static_cast<int16_t>(presets);
        for (int i = 0; i < presets; ++i) {
            modeldb::ModelTiming& t = model.image.presets[static_cast<size_t>(i)];
            t.name = core::strf("Timing %d", i + 1);
            t.dotClock = 25.175f + static_cast<float>(i);
            t.hFrequency = t.dotClock / 800.0f * 1000.0f;  // 800 dots: sent as it is
            t.vFrequency = 60.0f;
            t.h = {800, 160, 16, 96, 48, 640};
            t.v = {525, 45, 10, 2, 33, 480};
        }
    }
    void setSpecial(size_t offset, int16_t code) {
        model.chassis.specialRegisters[(offset - modeldb::chassis::kSpecialRegisters) / 2] = code;
    }
    void useKind(int kind) {
        sg.installDriver(kind, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(kind, 1, 0);
    }
    std::vector<std::pair<uint16_t, int32_t>> writesTo(uint16_t code) const {
        std::vector<std::pair<uint16_t, int32_t>> out;
        for (const auto& w : regs.writes())
            if (w.first == code) out.push_back(w);
        return out;
    }
    std::vector<int32_t> valuesWritten(uint16_t code) const {
        std::vector<int32_t> out;
        for (const auto& w : regs.writes())
            if (w.first == code) out.push_back(w.second);
        return out;
    }
};

} // namespace screens::testing
