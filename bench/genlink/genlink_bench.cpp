// Moves 64 KiB down to the simulated generator and back up, in blocks of
// 1024, through each transport, and prints bytes per second and CPU time.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "genlink/link.h"
#include "genlink/result_codes.h"
#include "genlink/tests/memory_settings.h"
#include "platform/sim_port.h"
#include "sim/patgen/patgen_sim_device.h"
#include "sim/patgen/pty_server.h"

using namespace genlink;

namespace {

constexpr size_t kBytes = 64 * 1024;
constexpr size_t kBlock = 1024;
constexpr uint8_t kDown = 0x30, kUp = 0x31;

void addBenchCommands(patgen::PatgenCore& core) {
    patgen::CommandEntry down;
    down.code = kDown;
    down.kind = patgen::Kind::Down;
    down.blockSize = kBlock;
    down.dataLength = kBytes;
    down.store = "bench";
    patgen::CommandEntry up = down;
    up.code = kUp;
    up.kind = patgen::Kind::Up;
    core.addCommand(down);
    core.addCommand(up);
}

// A generator on its own pseudo-terminal, served by a thread.
struct PtyGenerator {
    patgen::PatgenCore core;
    patgen::PtyServer server{core};
    std::thread thread;
    bool start() {
        addBenchCommands(core);
        std::string error;
        if (!server.open("", &error)) return std::fprintf(stderr, "%s\n", error.c_str()), false;
        thread = std::thread([this] { server.run(); });
        return true;
    }
    ~PtyGenerator() {
        server.stop();
        if (thread.joinable()) thread.join();
    }
};

struct Figures {
    bool ok = false;
    double downSeconds = 0, upSeconds = 0, cpuSeconds = 0;
};

double cpuNow() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

Figures run(int way, const std::string& usblink) {
    Figures f;
    testing::MemorySettings settings;
    settings.way = way;
    settings.seri.portNo = 1;
    settings.timeoutByte = 200;
    settings.timeoutCmdAck = 1000;
    settings.timeoutDataAck = 1000;
    settings.timeout = 1000;
    testing::CountingLimits limits;
    LinkEnvironment env = defaultEnvironment();
    env.lockName = "PGTransMutex-bench-" + std::to_string(std::time(nullptr));
    env.usblinkPath = usblink;
    Link link(settings, limits, env);
    const int opened = link.open();
    if (opened != kOk) {
        std::fprintf(stderr, "open: %d\n", opened);
        return f;
    }
    std::vector<uint8_t> data(kBytes), back(kBytes);
    for (size_t i = 0; i < kBytes; ++i) data[i] = static_cast<uint8_t>(i * 31 + (i >> 8));
    const double cpu0 = cpuNow();
    auto t0 = std::chrono::steady_clock::now();
    const int down = link.exchange([&](CommandProtocol& p) {
        return p.down(kDown, nullptr, 0, data.data(), kBytes, kBlock, BlockForm::Dle);
    });
    auto t1 = std::chrono::steady_clock::now();
    const int up = link.exchange([&](CommandProtocol& p) {
        return p.up(kUp, nullptr, 0, back.data(), kBytes, kBlock, BlockForm::Dle);
    });
    auto t2 = std::chrono::steady_clock::now();
    f.cpuSeconds = cpuNow() - cpu0;
    link.close();
    f.downSeconds = std::chrono::duration<double>(t1 - t0).count();
    f.upSeconds = std::chrono::duration<double>(t2 - t1).count();
    f.ok = down == kOk && up == kOk && back == data;
    if (!f.ok) std::fprintf(stderr, "down %d up %d same %d\n", down, up, back == data);
    return f;
}

void print(const char* name, const Figures& f) {
    if (!f.ok) {
        std::printf("%-24s failed\n", name);
        return;
    }
    std::printf("%-24s down %10.0f B/s   up %10.0f B/s   CPU %7.1f ms (host and simulator)\n", name, kBytes / f.downSeconds,
                kBytes / f.upSeconds, f.cpuSeconds * 1000.0);
}

void setEnv(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

} // namespace

int main() {
    const std::string folder = "/tmp/genlink-bench-" + std::to_string(getpid());
    std::system(("mkdir -p " + folder).c_str());
    const std::string map = folder + "/comports.ini";
    setEnv("COMPORTS", map);
    std::printf("genlink_bench: %zu bytes down and up in blocks of %zu\n", kBytes, kBlock);

    {
        auto core = std::make_shared<patgen::PatgenCore>();
        addBenchCommands(*core);
        patgen::registerPatgenSim(core, "patgen-bench");
        std::ofstream(map) << "[COM]\nCOM1=sim:patgen-bench\n";
        print("serial, in-process sim", run(kWaySerial, USBLINK_PATH));
    }
    {
        PtyGenerator gen;
        if (gen.start()) {
            std::ofstream(map) << "[COM]\nCOM1=" << gen.server.path() << "\n";
            print("serial, pty", run(kWaySerial, USBLINK_PATH));
        }
    }
    {
        PtyGenerator gen;
        if (gen.start()) {
            setEnv("PGPIO_DEVICE", gen.server.path());
            print("parallel (pgpio), pty", run(kWayParallel, USBLINK_PATH));
        }
    }
    {
        PtyGenerator gen;
        if (gen.start()) {
            setEnv("USBLINK_DEVICE", gen.server.path());
            print("USB (usblink), pty", run(kWayUsb, USBLINK_PATH));
        }
    }
    std::system(("rm -rf " + folder).c_str());
    return 0;
}
