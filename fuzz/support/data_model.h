#pragma once
// A model for monitor data files and procedures: the demo station's model
// VX-1700 (its chassis, and a standard block of the caller's choosing) in
// front of a monitor in memory that holds every register of the standard's
// data groups, with a fake clock, a scripted Ui and a generator whose driver
// only records.
#include <memory>

#include "app/state/screen_context.h"
#include "core/fake_ui.h"
#include "link/memory_registers.h"
#include "modeldb/model_data.h"
#include "platform/clock.h"
#include "siggen/recording_driver.h"
#include "siggen/signal_generator.h"

namespace fuzz {

// The demo station, written once below the scratch folder.
const std::string& demoStation();
// The standard block of the demo model VX-1700.
const modeldb::StandardBlock& demoStandard();

struct DataModel {
    explicit DataModel(const modeldb::StandardBlock& standard);
    appstate::ScreenContext context();

    core::FakeUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    ecs::MemoryRegisters regs;
    modeldb::ModelData model;
    appstate::AppFlags flags;
};

} // namespace fuzz
