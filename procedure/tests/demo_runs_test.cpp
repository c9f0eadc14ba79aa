// Whole runs of the demo station's procedures on the "Step by Step" screen
// against the simulated monitor, in both ECS types, with scripted input
// events; what the monitor received is compared with what the steps say.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <tuple>

#include "app/state/app_state.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"
#include "platform/clock.h"
#include "procedure/job_kinds.h"
#include "procedure/prc_file.h"
#include "procedure/procedure_lists.h"
#include "procedure/step_by_step.h"
#include "procedure/step_generator.h"
#include "siggen/recording_driver.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

namespace procedure {
namespace {

using core::InputEvent;
using core::Key;
using Write = std::tuple<int, int, int>;  // device, address, first data byte
using Writes = std::vector<Write>;

class RecordingScreens : public NestedScreens {
public:
    std::vector<std::string> opened;
    int openFactoryPreset(FactoryPresetVariant) override {
        opened.push_back("factory preset");
        return 1;
    }
    int openFailure() override {
        opened.push_back("failure");
        return 1;
    }
};

InputEvent key(Key k) { return InputEvent::press(k); }
InputEvent letter(char c) { return InputEvent::charKey(c); }

class DemoRuns : public ::testing::TestWithParam<int> {
protected:
    kit::TempFolder tmp{"demo-runs"};
    std::string home = tmp.path() + "/home";
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::unique_ptr<sim::SimMonitor> monitor;
    core::TestUi ui;
    platform::FakeClock clock;
    std::unique_ptr<appstate::Profile> profile;
    std::unique_ptr<appstate::AppState> state;
    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    std::unique_ptr<appstate::ScreenContext> context;
    RecordingScreens nested;

    void SetUp() override {
        const int ecsType = GetParam();
        ASSERT_TRUE(kit::writeDemoStation(home));
        sim::LinkTables tables;
        ASSERT_TRUE(sim::readLinkFile(home + "/data/DEMO" + std::to_string(ecsType) + ".BUS", tables));
        protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), ecsType);
        sim::MonitorBehaviour behaviour;
        ASSERT_TRUE(behaviour.parse(kit::demoMonitorArguments(ecsType), nullptr));
        behaviour.applyTo(*protocol);
        monitor = std::make_unique<sim::SimMonitor>(protocol, "demo-runs-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
        ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor->portName() + "\n"));
        setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
        profile = std::make_unique<appstate::Profile>(tmp.path() + "/config/pelaro/pelaro.ini");
        state = std::make_unique<appstate::AppState>(home, ui, *profile, clock);
        state->startApplicationState();
        ui.clear();
        modeldb::ModelSelection selection(home, ui, *state);
        selection.open();
        for (int r = 1; r <= selection.entryCount(); ++r)
            if (selection.records()[r - 1].comTypeCode == ecsType) {
                selection.selectModel(r);
                break;
            }
        ASSERT_TRUE(ui.messages().empty());
        sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
        sg.SgSelect(0, 2, 0);
        context = std::make_unique<appstate::ScreenContext>(appstate::ScreenContext{
            state->document().data(), state->link(), sg, ui, clock, state->flags(), state->modelName(), home});
        ASSERT_EQ(state->link().serviceEntry(context->model.chassis.sequences), core::ECS_OK);
        protocol->clearTransactions();
    }

    // Runs the procedure `name` with the technician's events; the screen
    // must have ended when they are used up.
    void run(const std::string& name, std::vector<InputEvent> events) {
        ProcedureChoice c;
        c.name = name;
        c.directory = procedureDirectory(home, context->model.chassis);
        c.path = procedurePath(c.directory, name);
        c.file = procedureFile(home, context->model.chassis, name);
        ui.answerModal(std::move(events));
        StepRunner runner(*context, nested);
        runner.runProcedure(c);
        EXPECT_TRUE(ui.allAnswersUsed());
    }

    // The writes the monitor took, as (device, address, value).
    Writes writes() const {
        Writes out;
        for (const sim::MonitorTransaction& t : protocol->transactions())
            if (t.wrote && !t.data.empty()) out.emplace_back(t.c, t.b, t.data.back());
        return out;
    }
    int memory(int device, int address) const { return protocol->memory(static_cast<uint8_t>(device), static_cast<uint8_t>(address)); }
};

TEST_P(DemoRuns, GeometryIsAdjustedPutBackOnReadjustAndSaved) {
    run("GEOMETRY", {key(Key::F1),                                 // Connect: OK
                     letter('Q'), key(Key::Up),                    // H-Size 128 -> 129
                     letter('J'),                                  // READJUST: the kept registers back
                     key(Key::F1),                                 // restored: OK leads to the sliders again
                     letter('Q'), key(Key::PageDown), letter('K'),  // 108, then OK: saves
                     key(Key::F1)});                               // Finished
    EXPECT_EQ(writes(), (Writes{{0x01, 0x00, 128}, {0x01, 0x00, 129},                            // the slider
                                {0x01, 0x00, 128}, {0x01, 0x01, 0xFA}, {0x01, 0x02, 120}, {0x01, 0x03, 4},  // reserve
                                {0x01, 0x00, 128}, {0x01, 0x00, 108},                            // the slider again
                                {0x05, 0x40, 0}, {0x05, 0x41, 0}}));                             // user and colour save
    EXPECT_EQ(memory(0x01, 0x00), 108);
    ASSERT_GE(driver.applies(), 2u);
    EXPECT_EQ(driver.timings[0].name, "640x480@60");
    EXPECT_EQ(driver.timings[1].name, "1024x768@85");
    EXPECT_EQ(clock.waitsNamed(kStepWait), (std::vector<uint32_t>{700, 700}));
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
}

TEST_P(DemoRuns, PictureBranchesByTheRegistersAndWritesTheProductDate) {
    run("PICTURE", {key(Key::F1),                       // "Brightness lowest": OK to the highest-register branch
                    letter('Q'), key(Key::Up),          // Contrast 70 -> 71, with the averaged readings
                    key(Key::F1),                       // OK: audio save, then the product date
                    key(Key::Tab), key(Key::Tab), key(Key::Tab), InputEvent::typed("1998"),
                    key(Key::Tab), InputEvent::typed("12"), key(Key::Tab), InputEvent::typed("258"),
                    key(Key::F1), key(Key::F1)});
    const Writes w = writes();
    auto has = [&w](Write x) { return std::find(w.begin(), w.end(), x) != w.end(); };
    EXPECT_TRUE(has({0x05, 0x46, 1}));   // degauss switched on
    EXPECT_TRUE(has({0x01, 0x04, 45}));  // picture levels
    EXPECT_TRUE(has({0x01, 0x05, 71}));
    EXPECT_TRUE(has({0x05, 0x42, 1}));   // written before each averaged reading
    EXPECT_TRUE(has({0x05, 0x42, 0}));   // audio save
    EXPECT_EQ(memory(0x05, 0x60), 8);    // 1998 - 1990
    EXPECT_EQ(memory(0x05, 0x61), 12);
    EXPECT_EQ(memory(0x05, 0x62), 2);    // 258 = 0x0102, lowest byte first
    EXPECT_EQ(memory(0x05, 0x63), 1);
    EXPECT_EQ(memory(0x05, 0x64), 0);
    EXPECT_EQ(sg.selection().pattern, siggen::kPatternSpecialWhite);  // pattern 14
    EXPECT_EQ(sg.selection().invert, 1);                              // colour 13
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
}

TEST_P(DemoRuns, DcnvPointsAreResetAdjustedJumpedToAndStored) {
    run("VXdcnv", {letter('Q'), key(Key::Up), key(Key::Up),  // A1 -> 2
                   key(Key::F1),                            // A2
                   key(Key::F4),                            // BYPASS row A: B1
                   InputEvent::selectRow(9), InputEvent::click("Jump"),  // C3
                   InputEvent::click("Save"),
                   letter('K'),                             // store, service save, finished
                   key(Key::F1)});
    Writes expected;
    for (int i = 0; i < 9; ++i) expected.emplace_back(0x01, 0x10 + i, 0);
    Writes more = {{0x01, 0x10, 0}, {0x01, 0x10, 1}, {0x01, 0x10, 2}, {0x05, 0x66, 0}, {0x05, 0x66, 0}, {0x05, 0x44, 0}};
    expected.insert(expected.end(), more.begin(), more.end());
    EXPECT_EQ(writes(), expected);
    EXPECT_EQ(memory(0x01, 0x10), 2);
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
}

TEST_P(DemoRuns, ServiceCheckOpensTheScreensAndInvertsThePolarity) {
    run("SERVICE", {key(Key::F2),   // ADJUST: invert in every mode
                    key(Key::F1),   // back to the polarity reading
                    key(Key::F1),   // OK: finished
                    key(Key::F1)});
    EXPECT_EQ(nested.opened, (std::vector<std::string>{"failure", "factory preset"}));
    // Five modes, each inverting the value the one before it left.
    EXPECT_EQ(memory(0x07, 0x07), 1);
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
}

TEST_P(DemoRuns, TouchUpAndWhiteBalanceEndByTheirKeys) {
    run("TOUCH", {letter('Q'), key(Key::Down), letter('K')});
    EXPECT_EQ(memory(0x01, 0x04), 89);  // Brightness 90 - 1
    EXPECT_EQ(memory(0x01, 0x05), 89);  // the linked Contrast follows
    EXPECT_EQ(memory(0x05, 0x40), 0);
    protocol->setMemory(0x05, 0x44, 1);
    run("WHITEBAL", {letter('C')});     // CANCEL at the picture step
    EXPECT_EQ(memory(0x05, 0x44), 1);   // the service save after it did not run
    EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
}

TEST(DemoStation, ProceduresTogetherUseEveryStepKind) {
    kit::TempFolder tmp{"demo-kinds"};
    ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
    std::set<int> kinds;
    for (const char* name : {"GEOMETRY", "WHITEBAL", "PICTURE", "TOUCH", "SERVICE", "VXdcnv"}) {
        const std::optional<PrcFile> f = readPrcFile(tmp.path() + "/PELARO/PRC/" + name + ".PRC");
        ASSERT_TRUE(f) << name;
        for (int n = 1; n <= f->loadedSteps; ++n) kinds.insert(f->step(n).kind);
    }
    for (int k = JOB_ADJUST; k <= JOB_POLARITY_READ; ++k) EXPECT_TRUE(kinds.count(k)) << jobKindName(k);
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, DemoRuns, ::testing::Values(1, 2));

} // namespace
} // namespace procedure
