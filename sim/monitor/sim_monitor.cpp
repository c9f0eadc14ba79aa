#include "sim/monitor/sim_monitor.h"

#include <chrono>
#include <deque>

#include "platform/pseudo_terminal.h"

namespace sim {
namespace {

// The in-process far end of one open port.
class MonitorDevice : public platform::SimDevice {
public:
    explicit MonitorDevice(std::shared_ptr<MonitorProtocol> protocol) : protocol_(std::move(protocol)) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override {
        replies_.clear();
        protocol_->feed(data, n, replies_);
        for (const MonitorReply& r : replies_) line.toHost(r.bytes.data(), r.bytes.size(), r.delayMs);
    }

private:
    std::shared_ptr<MonitorProtocol> protocol_;
    std::vector<MonitorReply> replies_;
};

uint64_t nowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

SimMonitor::SimMonitor(std::shared_ptr<MonitorProtocol> protocol, const std::string& name)
    : protocol_(protocol),
      name_(name),
      registration_(name, [protocol]() { return std::make_shared<MonitorDevice>(protocol); }) {}

MonitorPtyServer::MonitorPtyServer(std::shared_ptr<MonitorProtocol> protocol) : protocol_(std::move(protocol)) {}

MonitorPtyServer::~MonitorPtyServer() { stop(); }

bool MonitorPtyServer::open(std::string* error) {
    if (pty_) return true;
    pty_ = platform::PseudoTerminal::open(error);
    return pty_ != nullptr;
}

const std::string& MonitorPtyServer::path() const {
    static const std::string none;
    return pty_ ? pty_->slavePath() : none;
}

void MonitorPtyServer::serve(const std::atomic<bool>& stop) {
    if (!pty_) return;
    struct Due {
        uint64_t at;
        std::vector<uint8_t> bytes;
    };
    std::deque<Due> due;
    std::vector<MonitorReply> replies;
    uint8_t buf[256];
    while (!stop.load()) {
        uint64_t now = nowMs();
        while (!due.empty() && due.front().at <= now) {
            pty_->write(due.front().bytes.data(), due.front().bytes.size());
            due.pop_front();
        }
        int wait = 50;
        if (!due.empty()) wait = static_cast<int>(std::min<uint64_t>(50, due.front().at - now));
        const long got = pty_->read(buf, sizeof buf, wait);
        if (got <= 0) continue;
        replies.clear();
        protocol_->feed(buf, static_cast<size_t>(got), replies);
        now = nowMs();
        for (MonitorReply& r : replies) {
            uint64_t at = now + r.delayMs;
            if (!due.empty()) at = std::max(at, due.back().at);  // answers keep their order
            due.push_back({at, std::move(r.bytes)});
        }
    }
}

bool MonitorPtyServer::start(std::string* error) {
    if (thread_.joinable()) return true;
    if (!open(error)) return false;
    stop_ = false;
    thread_ = std::thread([this]() { serve(stop_); });
    return true;
}

void MonitorPtyServer::stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

} // namespace sim
