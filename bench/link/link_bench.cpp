// Throughput of the monitor link against the simulated monitor, in-process and
// over a pseudo-terminal, and the CPU a read uses while it waits out the
// port time-out. Prints figures; judges nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "core/fake_ui.h"
#include "link/ecs_link.h"
#include "sim/monitor/sim_monitor.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRead = 1, kWrite = 2;
constexpr uint16_t kRegister = 0x0100;  // block 1, index 0

sim::LinkTables model(int type) {
    sim::LinkTables t;
    t.formats.resize(3);
    if (type == 1) {
        t.formats[kRead].command = sim::items({0x6E, 0x1000, 0x4000, 255});
        t.formats[kRead].response = sim::items({0x6F, 0x2000 + 32, 255});
        t.formats[kWrite].command = sim::items({0x70, 0x1000, 0x4000, 0x2000 + 32, 255});
        t.formats[kWrite].response = sim::items({0x71, 255});
    } else {
        t.formats[kRead].command = sim::items({0x51, 0x05, 0x1000, 0x4000, 0x8000});
        t.formats[kRead].response = sim::items({0x52, 0x13, 0x2000 + 16, 0x8000});
        t.formats[kWrite].command = sim::items({0x53, 0x15, 0x1000, 0x4000, 0x2000 + 16, 0x8000});
        t.formats[kWrite].response = sim::items({0x54, 0x03, 0x8000});
    }
    t.formats[kRead].blockFlag = t.formats[kWrite].blockFlag = 1;
    t.groups.resize(2);
    t.groups[1].device = 0x01;
    t.blocks = {{1}, {1}};
    sim::LinkRegister r;
    r.name = "Bench";
    r.readFormat = kRead;
    r.writeFormat = kWrite;
    r.group = 1;
    t.registers = {sim::LinkRegister{}, r};
    return t;
}

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }
double cpuMs(std::clock_t since) { return 1000.0 * static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC; }

void load(ecs::EcsLink& link, const sim::LinkTables& t) {
    const std::vector<uint8_t> file = kit::linkDescriptionFile(t);
    link.loadLinkDescriptionBytes(file.data(), file.size());
}

// Reads that always ask the monitor: one block-read transaction each.
void throughput(const char* where, ecs::EcsLink& link, int type, int count) {
    int32_t v = 0;
    int failures = 0;
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    for (int i = 0; i < count; ++i)
        if (link.readRegister(kRegister, v, ecs::kAskMonitor) != ecs::ECS_OK) ++failures;
    const double s = seconds(t0);
    std::printf("%-28s ECS type %d: %6d block reads in %7.3f s = %9.0f transactions/s, %6.1f us CPU each%s\n", where,
                type, count, s, count / s, 1000.0 * cpuMs(c0) / count, failures ? " (FAILURES)" : "");
}

void timeoutCpu(const char* where, ecs::EcsLink& link) {
    ecs::LinkBuffer buf{};
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    const uint32_t r = link.transact(kRead, 0, 1, buf, buf);
    std::printf("%-28s silent monitor: result %08X after %6.0f ms wall, %6.2f ms process CPU\n", where, r,
                1000.0 * seconds(t0), cpuMs(c0));
}

} // namespace

int main(int argc, char** argv) {
    const int inProcess = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int overPty = argc > 2 ? std::atoi(argv[2]) : 2000;
    core::FakeUi ui;
    for (int type : {1, 2}) {
        const sim::LinkTables t = model(type);
        {
            auto protocol = std::make_shared<sim::MonitorProtocol>(t, type);
            sim::SimMonitor monitor(protocol, "bench-monitor");
            ecs::EcsLink link(monitor.portName(), ui);
            link.setEcsType(type);
            load(link, t);
            throughput("in-process sim port", link, type, inProcess);
        }
        {
            auto protocol = std::make_shared<sim::MonitorProtocol>(t, type);
            sim::MonitorPtyServer server(protocol);
            std::string error;
            if (!server.start(&error)) {
                std::printf("pseudo-terminal: %s\n", error.c_str());
                return 1;
            }
            ecs::EcsLink link(server.path(), ui);
            link.setEcsType(type);
            load(link, t);
            throughput("pseudo-terminal", link, type, overPty);
        }
    }
    const sim::LinkTables t = model(2);
    {
        auto protocol = std::make_shared<sim::MonitorProtocol>(t, 2);
        protocol->setSilent(true);
        sim::SimMonitor monitor(protocol, "bench-silent");
        ecs::EcsLink link(monitor.portName(), ui);
        link.setEcsType(2);
        load(link, t);
        timeoutCpu("in-process sim port", link);
    }
    {
        auto protocol = std::make_shared<sim::MonitorProtocol>(t, 2);
        protocol->setSilent(true);
        sim::MonitorPtyServer server(protocol);
        if (!server.start()) return 1;
        ecs::EcsLink link(server.path(), ui);
        load(link, t);
        timeoutCpu("pseudo-terminal", link);
    }
    return 0;
}
