// pelaro-monitor-sim: a simulated monitor service port on a pseudo-terminal.
// Prints the terminal's path and serves until interrupted or terminated.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "sim/monitor/monitor_behaviour.h"
#include "sim/monitor/sim_monitor.h"

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) { g_stop = true; }

void usage() {
    std::fprintf(stderr,
                 "usage: pelaro-monitor-sim --link FILE [--type 1|2] [--delay MS] [--silent]\n"
                 "                          [--memory DEVICE:ADDRESS=VALUE]... [--path-file FILE]\n"
                 "                          [--baud RATE] [--refuse CODE]...\n"
                 "                          [--timing-file FILE] [--status CODES] [--mode HKHZ/VHZ]...\n"
                 "                          [--register CODE=VALUE]... [--self-clearing CODE]...\n"
                 "Serves the model's link description on a pseudo-terminal and prints its path.\n"
                 "  --baud RATE                     holds every answer back by the wire time of its command\n"
                 "                                  and itself (ten bit times a byte)\n"
                 "  --refuse CODE                   refuses reads and writes of a register (e.g. 0x0105):\n"
                 "                                  ECS type 2 answers error 03, type 1 stays silent\n%s",
                 sim::MonitorBehaviour::usage());
}

bool parseMemory(const char* text, int& device, int& address, int& value) {
    char* end = nullptr;
    device = static_cast<int>(std::strtol(text, &end, 0));
    if (*end != ':') return false;
    address = static_cast<int>(std::strtol(end + 1, &end, 0));
    if (*end != '=') return false;
    value = static_cast<int>(std::strtol(end + 1, &end, 0));
    return *end == '\0' && device >= 0 && device < 256 && address >= 0 && address < 256 && value >= 0 &&
           value < 256;
}

} // namespace

int main(int argc, char** argv) {
    std::string linkPath, pathFile, error;
    int type = 2;
    long delay = 0;
    bool silent = false;
    struct Poke {
        int device, address, value;
    };
    std::vector<Poke> pokes;
    long baud = 0;
    std::vector<uint16_t> refused;
    sim::MonitorBehaviour behaviour;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--link" && hasValue) {
            linkPath = argv[++i];
        } else if (a == "--type" && hasValue) {
            type = std::atoi(argv[++i]);
        } else if (a == "--delay" && hasValue) {
            delay = std::atol(argv[++i]);
        } else if (a == "--baud" && hasValue) {
            baud = std::atol(argv[++i]);
        } else if (a == "--refuse" && hasValue) {
            char* end = nullptr;
            const long code = std::strtol(argv[++i], &end, 0);
            if (*end != '\0' || code <= 0 || code > 0xFFFF) {
                std::fprintf(stderr, "pelaro-monitor-sim: bad --refuse %s\n", argv[i]);
                return 2;
            }
            refused.push_back(static_cast<uint16_t>(code));
        } else if (a == "--silent") {
            silent = true;
        } else if (a == "--path-file" && hasValue) {
            pathFile = argv[++i];
        } else if (a == "--memory" && hasValue) {
            Poke p{};
            if (!parseMemory(argv[++i], p.device, p.address, p.value)) {
                std::fprintf(stderr, "pelaro-monitor-sim: bad --memory %s\n", argv[i]);
                return 2;
            }
            pokes.push_back(p);
        } else if (const auto taken = hasValue ? behaviour.take(a, argv[i + 1], &error)
                                               : sim::MonitorBehaviour::Take::NotMine;
                   taken != sim::MonitorBehaviour::Take::NotMine) {
            if (taken == sim::MonitorBehaviour::Take::Bad) {
                std::fprintf(stderr, "pelaro-monitor-sim: %s\n", error.c_str());
                return 2;
            }
            ++i;
        } else if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else {
            usage();
            return 2;
        }
    }
    if (linkPath.empty() || delay < 0 || baud < 0 || baud > 10000000) {
        usage();
        return 2;
    }
    sim::LinkTables tables;
    if (!sim::readLinkFile(linkPath, tables, &error)) {
        std::fprintf(stderr, "pelaro-monitor-sim: %s: %s\n", linkPath.c_str(), error.c_str());
        return 1;
    }
    auto protocol = std::make_shared<sim::MonitorProtocol>(std::move(tables), type);
    protocol->setReplyDelay(static_cast<uint32_t>(delay));
    protocol->setSilent(silent);
    constexpr uint8_t kRefusedCode = 0x03;
    protocol->refuseReads(refused, kRefusedCode);
    protocol->refuseWrites(refused, kRefusedCode);
    for (const Poke& p : pokes)
        protocol->setMemory(static_cast<uint8_t>(p.device), static_cast<uint8_t>(p.address),
                            static_cast<uint8_t>(p.value));
    behaviour.applyTo(*protocol);

    sim::MonitorPtyServer server(protocol);
    server.setBaud(static_cast<int>(baud));
    if (!server.open(&error)) {
        std::fprintf(stderr, "pelaro-monitor-sim: %s\n", error.c_str());
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("%s\n", server.path().c_str());
    std::fflush(stdout);
    if (!pathFile.empty()) {
        if (std::FILE* f = std::fopen(pathFile.c_str(), "w")) {
            std::fprintf(f, "%s\n", server.path().c_str());
            std::fclose(f);
        }
    }
    server.serve(g_stop);
    std::fprintf(stderr, "pelaro-monitor-sim: %zu transactions served\n", protocol->transactionCount());
    return 0;
}
