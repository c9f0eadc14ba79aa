// The step runner over a 255-step procedure of automatic steps against the
// in-process simulated monitor (steps per second, CPU per step), and the
// expression engine of JOB_MATH (evaluations per second). Prints figures;
// judges nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/fake_ui.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/prc_file.h"
#include "kit/temp_folder.h"
#include "link/ecs_link.h"
#include "platform/clock.h"
#include "procedure/expression.h"
#include "procedure/job_kinds.h"
#include "procedure/step_by_step.h"
#include "siggen/recording_driver.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/sim_monitor.h"

namespace {

using Clock = std::chrono::steady_clock;
using procedure::prc::Operand;

constexpr uint16_t kBrightness = 0x0104, kContrast = 0x0105, kHSize = 0x0100;

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }
double cpuMs(std::clock_t since) { return 1000.0 * static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC; }

struct NoScreens : procedure::NestedScreens {
    int openFactoryPreset(procedure::FactoryPresetVariant) override { return 0; }
    int openFailure() override { return 0; }
};

// 255 automatic steps: register writes, reads into variables, arithmetic
// and writes of variables, in turn; END after the last.
kit::PrcFileSpec automaticProcedure() {
    kit::PrcFileSpec f;
    f.title = "Bench";
    f.endStep = 256;
    for (int n = 1; n <= 255; ++n) {
        kit::PrcStepSpec s;
        s.name = "auto";
        switch (n % 4) {
        case 0:
            s.kind = procedure::JOB_REG_WRITE;
            s.with(Operand::Registers, {kBrightness, kContrast}).with(Operand::Values, {n & 0x7F, 100});
            break;
        case 1:
            s.kind = procedure::JOB_READ;
            s.with(Operand::Registers, {kBrightness, kHSize}).with(Operand::Variables, {1, 2});
            break;
        case 2:
            s.kind = procedure::JOB_MATH;
            s.expression = "V3=(V1+V2)/2";
            break;
        default:
            s.kind = procedure::JOB_WRITE;
            s.with(Operand::Registers, {kContrast}).with(Operand::Variables, {3});
            break;
        }
        f.steps.push_back(s);
    }
    return f;
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void stepRunner(int type, int runs) {
    kit::TempFolder tmp{"procedure-bench"};
    if (!kit::writeDemoStation(tmp.path())) {
        std::printf("cannot write the demo station\n");
        std::exit(1);
    }
    const std::string bus = tmp.path() + "/data/DEMO" + std::to_string(type) + ".BUS";
    sim::LinkTables tables;
    if (!sim::readLinkFile(bus, tables)) std::exit(1);
    auto protocol = std::make_shared<sim::MonitorProtocol>(tables, type);
    sim::SimMonitor monitor(protocol, "bench-procedure");
    core::FakeUi ui;
    platform::FakeClock clock;
    ecs::EcsLink link(monitor.portName(), ui);
    link.setEcsType(type);
    const std::vector<uint8_t> file = readFile(bus);
    link.loadLinkDescriptionBytes(file.data(), file.size());
    siggen::SignalGenerator sg(ui, clock);
    siggen::DriverLog driver;
    sg.installDriver(0, std::make_unique<siggen::RecordingDriver>(driver));
    modeldb::ModelData model;
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, link, sg, ui, clock, flags, "BENCH", tmp.path()};
    NoScreens nested;
    procedure::ProcedureChoice choice;
    choice.path = choice.file = tmp.file("BENCH.PRC");
    if (!kit::writeFile(choice.file, kit::prcFile(automaticProcedure()))) std::exit(1);

    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    int ended = 0;
    for (int r = 0; r < runs; ++r) {
        procedure::StepByStep screen(context, nested);
        screen.open(choice);
        if (screen.closed() && screen.result() == procedure::StepByStep::kEnded) ++ended;
    }
    const double s = seconds(t0);
    const double steps = 255.0 * runs;
    std::printf("step runner, ECS type %d: %d runs of 255 automatic steps in %7.3f s = %8.0f steps/s, "
                "%7.1f us CPU per step, %zu monitor transactions%s\n",
                type, runs, s, steps / s, 1000.0 * cpuMs(c0) / steps, protocol->transactionCount(),
                ended == runs && ui.messages().empty() ? "" : " (FAILURES)");
}

void expressions(int count) {
    procedure::VarTable vars;
    vars.store(1, 40);
    vars.store(2, 60);
    std::vector<std::string> lines;
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        lines.clear();
        if (!procedure::evaluateExpression("V3=(V1+V2)*3/2-V1&255", vars, lines).evaluated) ++failures;
    }
    const double s = seconds(t0);
    std::printf("expression engine: %d evaluations in %7.3f s = %9.0f evaluations/s, %6.2f us CPU each%s\n", count, s,
                count / s, 1000.0 * cpuMs(c0) / count, failures ? " (FAILURES)" : "");
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 40;
    const int evaluations = argc > 2 ? std::atoi(argv[2]) : 200000;
    for (int type : {1, 2}) stepRunner(type, runs);
    expressions(evaluations);
    return 0;
}
