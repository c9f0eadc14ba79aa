#pragma once
// The one QApplication of the GUI tests, on the offscreen platform. It is
// deleted when the tests end, before the exit handlers run, because objects
// Qt creates lazily during the tests (input devices) must not outlive it.
#include <QApplication>

#include <memory>
#include <string>

#include "app/commands.h"
#include "app/signal_generator_layer.h"
#include "app/state/app_state.h"
#include "core/fake_ui.h"
#include "kit/temp_folder.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"

namespace gui {

QApplication& testApplication();

// The program's state and commands on the demo station, with its profile
// and ports in a folder of its own (the ports lead nowhere).
struct TestStation {
    kit::TempFolder tmp{"gui-station"};
    core::FakeUi ui;
    platform::FakeClock clock;
    std::unique_ptr<appstate::Profile> profile;
    siggen::SignalGenerator generator{ui, clock};
    app::SignalGeneratorLayer layer{generator};
    std::unique_ptr<appstate::AppState> state;
    std::unique_ptr<app::Commands> commands_;
    app::Commands& commands;

    TestStation();
};

} // namespace gui
