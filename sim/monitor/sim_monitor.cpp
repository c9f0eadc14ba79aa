#include "sim/monitor/sim_monitor.h"

#include <chrono>
#include <deque>

#include "platform/pseudo_terminal.h"

namespace sim {
namespace {

// The in-process far end of one open port. With a bit rate, an answer is
// readable once its command and itself have crossed the line, on the port's
// clock. That clock counts whole milliseconds, so an answer is readable from
// the millisecond after it arrived; a command the host writes within that
// millisecond counts as sent when the line fell free, so the rounding does
// not add up over a run.
class MonitorDevice : public platform::SimDevice {
public:
    MonitorDevice(std::shared_ptr<MonitorProtocol> protocol, int baud) : protocol_(std::move(protocol)), wire_(baud) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override {
        replies_.clear();
        protocol_->feed(data, n, replies_);
        const uint64_t nowMs = line.nowMs();
        if (wire_.enabled()) wire_.fromHost(nowMs == readyMs_ ? wire_.freeNs() : nowMs * 1'000'000, n);
        for (const MonitorReply& r : replies_) {
            uint32_t delay = r.delayMs;
            if (wire_.enabled()) {
                readyMs_ = (wire_.answerReady(r.delayMs, r.bytes.size()) + 999'999) / 1'000'000;
                delay = static_cast<uint32_t>(readyMs_ - nowMs);
            }
            line.toHost(r.bytes.data(), r.bytes.size(), delay);
        }
    }

private:
    std::shared_ptr<MonitorProtocol> protocol_;
    std::vector<MonitorReply> replies_;
    WireTime wire_;
    uint64_t readyMs_ = ~uint64_t{0};  // when the last answer became readable
};

uint64_t nowNs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

SimMonitor::SimMonitor(std::shared_ptr<MonitorProtocol> protocol, const std::string& name)
    : protocol_(protocol),
      name_(name),
      baud_(std::make_shared<std::atomic<int>>(0)),
      registration_(name, [protocol, baud = baud_]() { return std::make_shared<MonitorDevice>(protocol, baud->load()); }) {}

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
        uint64_t atNs;
        std::vector<uint8_t> bytes;
    };
    std::deque<Due> due;
    std::vector<MonitorReply> replies;
    WireTime wire(baud_);
    uint8_t buf[256];
    while (!stop.load()) {
        uint64_t now = nowNs();
        while (!due.empty() && due.front().atNs <= now) {
            pty_->write(due.front().bytes.data(), due.front().bytes.size());
            due.pop_front();
        }
        int waitMs = 50;
        if (!due.empty()) {
            const uint64_t left = due.front().atNs - now;
            if (left < 1'000'000) {
                // Less than the poll's resolution: hold the answer back exactly.
                std::this_thread::sleep_for(std::chrono::nanoseconds(left));
                continue;
            }
            waitMs = static_cast<int>(std::min<uint64_t>(50, left / 1'000'000));
        }
        const long got = pty_->read(buf, sizeof buf, waitMs);
        if (got <= 0) continue;
        replies.clear();
        protocol_->feed(buf, static_cast<size_t>(got), replies);
        now = nowNs();
        if (wire.enabled()) wire.fromHost(now, static_cast<size_t>(got));
        for (MonitorReply& r : replies) {
            uint64_t at = wire.enabled() ? wire.answerReady(r.delayMs, r.bytes.size()) : now + r.delayMs * 1'000'000ull;
            if (!due.empty()) at = std::max(at, due.back().atNs);  // answers keep their order
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
