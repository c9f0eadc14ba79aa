#pragma once
// The simulated monitor behind an in-process "sim:NAME" port, and served on a
// pseudo-terminal for other processes. Both share one MonitorProtocol, which
// tests use to set memory, inject faults and look at the transactions.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/sim_port.h"
#include "sim/monitor/monitor_protocol.h"
#include "sim/monitor/wire_time.h"

namespace platform {
class PseudoTerminal;
}

namespace sim {

// Registers the monitor as "sim:NAME" for as long as it lives.
class SimMonitor {
public:
    SimMonitor(std::shared_ptr<MonitorProtocol> protocol, const std::string& name = "monitor");
    MonitorProtocol& protocol() { return *protocol_; }
    std::string portName() const { return "sim:" + name_; }
    // Answers take the wire time of `baud` (0: at once) on the port's clock;
    // for ports opened afterwards.
    void setBaud(int baud) { *baud_ = baud; }

private:
    std::shared_ptr<MonitorProtocol> protocol_;
    std::string name_;
    std::shared_ptr<std::atomic<int>> baud_;
    platform::SimRegistration registration_;
};

// Serves the protocol on the far end of a pseudo-terminal.
class MonitorPtyServer {
public:
    explicit MonitorPtyServer(std::shared_ptr<MonitorProtocol> protocol);
    ~MonitorPtyServer();
    MonitorPtyServer(const MonitorPtyServer&) = delete;
    MonitorPtyServer& operator=(const MonitorPtyServer&) = delete;

    // Opens the pseudo-terminal; false with *error when it cannot.
    bool open(std::string* error = nullptr);
    // The device path a host opens.
    const std::string& path() const;
    // Answers take the wire time of `baud` (0: at once); before serving.
    void setBaud(int baud) { baud_ = baud; }
    // Serves on the calling thread until `stop` is set (checked every 50 ms).
    void serve(const std::atomic<bool>& stop);
    // Serves on a thread of its own until stop() or destruction.
    bool start(std::string* error = nullptr);
    void stop();
    MonitorProtocol& protocol() { return *protocol_; }

private:
    std::shared_ptr<MonitorProtocol> protocol_;
    std::unique_ptr<platform::PseudoTerminal> pty_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    int baud_ = 0;
};

} // namespace sim
