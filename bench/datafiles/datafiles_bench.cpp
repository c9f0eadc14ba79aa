// Save and load of a model with about 1000 registers (ordinary groups, no
// commit waits) against the simulated monitor on a pseudo-terminal at an
// emulated 9600 baud, in both ECS types. Prints the elapsed time over the
// pure wire time of the frames exchanged (target: at most 1.02; the run's
// own fixed waits, 2 x 100 ms at the end, are left out and shown apart) and
// the CPU the program's thread spends per register. Judges nothing.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numeric>
#include <memory>
#include <string>

#include "core/fake_ui.h"
#include "datafiles/data_load.h"
#include "datafiles/data_save.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "link/ecs_link.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/sim_monitor.h"

namespace {

constexpr int kBaud = 9600;
constexpr int kPerGroup = 100;

// The system clock, adding up the waits that are not the serial line's.
class CountingClock : public platform::Clock {
public:
    uint64_t tickMs() override { return platform::systemClock().tickMs(); }
    void sleepMs(uint32_t ms, std::string_view what) override {
        if (what != platform::kWaitSerialRead && what != platform::kWaitSerialWrite) fixedMs += ms;
        platform::systemClock().sleepMs(ms, what);
    }
    uint64_t fixedMs = 0;
};

// Groups of 100 registers in blocks 1.., one device each, single-register
// commands; block 0 holds the pseudo-registers (register 1 is the timer).
kit::LinkDescription tables(int type, int groups) {
    kit::LinkDescription d = kit::demoLinkDescription(type);  // its formats 1..4
    d.groups.assign(1, kit::GroupRecord{});
    d.blocks = {{2, "PSEUDO"}};
    d.registers.assign(2, kit::RegisterRecord{});
    d.registers[1].name = "Timer";
    for (int g = 0; g < groups; ++g) {
        d.groups.push_back({"G", 0, 0, 0, static_cast<uint8_t>(g + 1), 255, 0});
        d.blocks.push_back({static_cast<uint8_t>(kPerGroup), "B"});
        for (int i = 0; i < kPerGroup; ++i) {
            kit::RegisterRecord r;
            r.name = "Reg" + std::to_string(g * kPerGroup + i);
            r.writeFormat = 2;
            r.readFormat = 1;
            r.writeAddress = r.readAddress = static_cast<uint8_t>(i);
            r.group = static_cast<int8_t>(g + 1);
            d.registers.push_back(r);
        }
    }
    return d;
}

void model(modeldb::ModelData& m, int groups) {
    m.modelFile = "BENCH.mdl";
    m.chassis.standardFile = "BENCH.STD";
    m.standard.groupCount = groups;
    for (int g = 0; g < groups; ++g) {
        modeldb::DataGroup& d = m.standard.groups[static_cast<size_t>(g)];
        d.name = "GROUP" + std::to_string(g);
        d.page = static_cast<uint8_t>(g + 1);
        d.itemCount = kPerGroup;
        for (int i = 0; i < kPerGroup; ++i) d.itemLow[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Timing {
    double elapsed = 0;  // seconds
    double fixed = 0;    // the run's own waits, seconds
};

// Runs `run` and prints its figures. `time` gives the run's elapsed and
// fixed-wait seconds from the CPU seconds it took.
template <typename Run, typename Time>
void measure(const char* where, const char* what, int type, int registers, sim::MonitorProtocol& protocol, Run run,
             Time time) {
    protocol.clearTransactions();
    const double cpu0 = threadCpuSeconds();
    const datafiles::RunResult result = run();
    const double cpu = threadCpuSeconds() - cpu0;
    const Timing t = time(cpu);
    size_t bytes = 0;
    const auto transactions = protocol.transactions();
    for (const sim::MonitorTransaction& x : transactions) bytes += x.request.size() + x.reply.size();
    const double wire = static_cast<double>(bytes) * 10.0 / kBaud;
    std::printf("%-12s ECS type %d %-4s %5d registers %5zu frames  wire %6.3f s  elapsed %6.3f s (%.3f s own waits)"
                "  ratio %.4f (%.4f with the waits)  CPU %5.1f us/register%s\n",
                where, type, what, registers, transactions.size(), wire, t.elapsed, t.fixed,
                (t.elapsed - t.fixed) / wire, t.elapsed / wire, 1e6 * cpu / registers,
                result == datafiles::RunResult::Completed ? "" : "  (RUN DID NOT COMPLETE)");
    std::fflush(stdout);
}

struct Station {
    core::FakeUi ui;
    modeldb::ModelData data;
    appstate::AppFlags flags;
    core::OperationLog log;
};

// The save and then the load of the same file.
void saveAndLoad(const char* where, int type, int groups, const kit::LinkDescription& t, sim::MonitorProtocol& protocol,
                 ecs::EcsLink& link, platform::Clock& clock, const std::string& path,
                 const std::function<Timing(double)>& time, const std::function<void()>& reset) {
    Station s;
    siggen::SignalGenerator sg(s.ui, clock);
    link.setEcsType(type);
    const kit::Bytes file = kit::linkDescriptionFile(t);
    link.loadLinkDescriptionBytes(file.data(), file.size());
    model(s.data, groups);
    appstate::ScreenContext context{s.data, link, sg, s.ui, clock, s.flags, "BENCH", "."};
    const int registers = groups * kPerGroup;
    reset();
    measure(where, "save", type, registers, protocol, [&] { return datafiles::DataSave(context, s.log).run(path); }, time);
    s.log.clear();
    reset();
    measure(where, "load", type, registers, protocol, [&] { return datafiles::DataLoad(context, s.log).run(path); }, time);
    for (const std::string& m : s.ui.messages()) std::printf("  message: %s\n", m.c_str());
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string first;
    in >> first;
    return first.empty() ? "?" : first;
}

} // namespace

int main(int argc, char** argv) {
    const int groups = argc > 1 ? std::max(1, std::min(30, std::atoi(argv[1]) / kPerGroup)) : 10;
    kit::TempFolder folder("datafiles-bench");
    std::printf("%d registers at %d baud. In process: on a fake clock, elapsed = the waits it recorded + the CPU"
                " the run took.\nPseudo-terminal: real time, with the load of this machine (load average %s).\n",
                groups * kPerGroup, kBaud, loadAverage().c_str());
    for (int type : {1, 2}) {
        const kit::LinkDescription t = tables(type, groups);
        auto protocol = std::make_shared<sim::MonitorProtocol>(t, type);
        for (int g = 0; g < groups; ++g)
            for (int i = 0; i < kPerGroup; ++i)
                protocol->setMemory(static_cast<uint8_t>(g + 1), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
        const std::string path = folder.file("bench" + std::to_string(type) + ".dat");
        {
            sim::SimMonitor monitor(protocol, "datafiles-bench");
            monitor.setBaud(kBaud);
            platform::FakeClock clock;
            core::FakeUi ui;
            ecs::EcsLink link(monitor.portName(), ui, clock);
            saveAndLoad(
                "in process", type, groups, t, *protocol, link, clock, path,
                [&](double cpu) {
                    const std::vector<uint32_t> serial = clock.waitsNamed(platform::kWaitSerialRead);
                    const double serialS = std::accumulate(serial.begin(), serial.end(), 0.0) / 1000.0;
                    const double all = static_cast<double>(clock.totalSlept()) / 1000.0;
                    return Timing{all + cpu, all - serialS};
                },
                [&] { clock.clearSleeps(); });
        }
        {
            sim::MonitorPtyServer server(protocol);
            server.setBaud(kBaud);
            std::string error;
            if (!server.start(&error)) {
                std::printf("pseudo-terminal: %s\n", error.c_str());
                return 1;
            }
            CountingClock clock;
            core::FakeUi ui;
            ecs::EcsLink link(server.path(), ui, clock);
            std::chrono::steady_clock::time_point t0;
            saveAndLoad(
                "pty", type, groups, t, *protocol, link, clock, path,
                [&](double) {
                    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
                    return Timing{elapsed, static_cast<double>(clock.fixedMs) / 1000.0};
                },
                [&] {
                    clock.fixedMs = 0;
                    t0 = std::chrono::steady_clock::now();
                });
        }
    }
    return 0;
}
