// The demo station's procedures: listed on the Procedure Select screen and
// their jobs run against the simulated monitor through the real link.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/state/app_state.h"
#include "core/operation_log.h"
#include "core/test_ui.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"
#include "platform/clock.h"
#include "procedure/job_interpreter.h"
#include "procedure/prc_file.h"
#include "procedure/procedure_select.h"
#include "siggen/signal_generator.h"
#include "siggen/recording_driver.h"
#include "sim/monitor/sim_monitor.h"

namespace procedure {
namespace {

using Lines = std::vector<std::string>;

class Panel : public StepScreen {
public:
    void buildButtons() override {}
    void setupSliders(SliderSpacing) override {}
    void showDisplays() override {}
    void showProductDateFields() override {}
    void showDcnvPointWindow() override {}
    void markDcnvPoint() override {}
};

class NoScreens : public NestedScreens {
public:
    int openFactoryPreset(FactoryPresetVariant) override { return 0; }
    int openFailure() override { return 0; }
};

class CollectingRunner : public ProcedureRunner {
public:
    std::vector<ProcedureChoice> choices;
    void runProcedure(const ProcedureChoice& c) override { choices.push_back(c); }
};

class DemoProcedures : public ::testing::TestWithParam<int> {};

TEST_P(DemoProcedures, AreListedAndRunAgainstTheSimulatedMonitor) {
    const int ecsType = GetParam();
    kit::TempFolder tmp{"demo-procedures"};
    const std::string home = tmp.path() + "/home";
    ASSERT_TRUE(kit::writeDemoStation(home));
    sim::LinkTables tables;
    ASSERT_TRUE(sim::readLinkFile(home + "/data/DEMO" + std::to_string(ecsType) + ".BUS", tables));
    auto protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), ecsType);
    protocol->setMemory(0x01, 0x04, 40);  // Brightness
    protocol->setMemory(0x01, 0x05, 60);  // Contrast
    protocol->setMemory(0x05, 0x44, 1);   // S_save
    sim::SimMonitor monitor(protocol, "demo-procedures-" + std::to_string(reinterpret_cast<uintptr_t>(&tmp)));
    setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
    ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"), "[COM]\nCOM1=" + monitor.portName() + "\n"));
    setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);

    core::TestUi ui;
    platform::FakeClock clock;
    appstate::Profile profile(tmp.path() + "/config/pelaro/pelaro.ini");
    appstate::AppState state(home, ui, profile, clock);
    state.startApplicationState();
    ui.clear();
    modeldb::ModelSelection selection(home, ui, state);
    selection.open();
    for (int r = 1; r <= selection.entryCount(); ++r)
        if (selection.records()[r - 1].comTypeCode == ecsType) {
            selection.selectModel(r);
            break;
        }
    ASSERT_TRUE(ui.messages().empty());

    siggen::SignalGenerator sg{ui, clock};
    siggen::DriverLog driver;
    sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
    sg.SgSelect(0, 2, 0);
    appstate::ScreenContext context{state.document().data(), state.link(), sg, ui, clock,
                                    state.flags(), state.modelName(), home};

    CollectingRunner runner;
    ProcedureSelect adjustments(context, kAdjustmentList, runner);
    adjustments.open();
    EXPECT_EQ(adjustments.rows(), (Lines{" 1:GEOMETRY    :Geometry adjustment           ",
                                         " 2:WHITEBAL    :White balance                 "}));
    adjustments.selectRow(1);
    adjustments.start();
    adjustments.exit();
    ProcedureSelect touchUps(context, kTouchUpList, runner);
    touchUps.open();
    EXPECT_EQ(touchUps.rows(), Lines{" 1:TOUCH       :Touch up                      "});
    touchUps.exit();
    EXPECT_FALSE(hasDcnvProcedure(context.model, home));
    ASSERT_EQ(runner.choices.size(), 1u);

    // The white balance procedure, step by step as the runner will call it.
    std::optional<PrcFile> file = readPrcFile(runner.choices[0].file);
    ASSERT_TRUE(file);
    RunState run;
    run.reset(file->header.endStep);
    core::OperationLog log;
    Panel panel;
    NoScreens screens;
    JobInterpreter interpreter(JobContext{context, *file, run, log, panel, screens});
    EXPECT_EQ(state.link().serviceEntry(context.model.chassis.sequences), core::ECS_OK);
    Lines lines;
    for (int step = 1; step < run.endStep; ++step) {
        log.clear();
        interpreter.execute(step);
        lines.insert(lines.end(), log.lines().begin(), log.lines().end());
    }
    EXPECT_EQ(run.vars.value(3), 50);                   // V3 = (V1 + V2) / 2
    EXPECT_EQ(protocol->memory(0x01, 0x04), 50);        // written back to Brightness
    EXPECT_EQ(protocol->memory(0x05, 0x44), 0);         // service save
    EXPECT_EQ(sg.selection().pattern, 13);              // IRE 50 on special white
    EXPECT_TRUE(run.panel.displayRead[0]);
    EXPECT_TRUE(run.panel.displayRead[1]);
    const Lines expected = {" === JOB_READ done ===", "01:Read Brightness -> V1  ", "01:V1   = 40    ",
                            "02:Read Contrast   -> V2  ", "02:V2   = 60    ", " === JOB_MATH done ===",
                            "V3=(V1+V2)/2                             ", "V1  :Value = 40    ", "V2  :Value = 60    ",
                            "V3  :Value = 50    ", " === JOB_WRITE done ===", "01:V3   = 50     -> Brightness ",
                            "01:Brightness :Write Value = 50    ", " === JOB_IRE_SET done ===", "Set IRE =  50",
                            "Set BOX =  30", "Check the white balance with the grey scale pattern.",
                            " === JOB_SERVICE_SAVE done ==="};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(ui.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, DemoProcedures, ::testing::Values(1, 2));

} // namespace
} // namespace procedure
