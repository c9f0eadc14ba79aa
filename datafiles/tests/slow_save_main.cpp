// A save of the simulated model at 300 baud on the real clock, for the test
// that kills a save midway. Prints "saving" once the first register is listed.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/fake_ui.h"
#include "datafiles/data_save.h"
#include "link/ecs_link.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/sim_monitor.h"
#include "sim_model.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: datafiles_slow_save FILE\n");
        return 2;
    }
    const kit::LinkDescription tables = datafiles::testing::simTables(2);
    auto protocol = std::make_shared<sim::MonitorProtocol>(tables, 2);
    sim::SimMonitor monitor(protocol, "slow-save-" + std::to_string(getpid()));
    monitor.setBaud(300);
    core::FakeUi ui;
    platform::Clock& clock = platform::systemClock();
    siggen::SignalGenerator sg(ui, clock);
    ecs::EcsLink link(monitor.portName(), ui, clock);
    link.setEcsType(2);
    const kit::Bytes file = kit::linkDescriptionFile(tables);
    link.loadLinkDescriptionBytes(file.data(), file.size());
    modeldb::ModelData model;
    datafiles::testing::fillSimModel(model, false);
    appstate::AppFlags flags;
    appstate::ScreenContext context{model, link, sg, ui, clock, flags, "SIM-1", "."};
    core::OperationLog log;
    bool said = false;
    log.setListener([&] {
        if (said || log.lines().empty() || log.lines().back().find("H-Size") == std::string::npos) return;
        said = true;
        std::printf("saving\n");
        std::fflush(stdout);
    });
    return datafiles::DataSave(context, log).run(argv[1]) == datafiles::RunResult::Completed ? 0 : 1;
}
