#include "sim/monitor/monitor_protocol.h"

#include <algorithm>

namespace sim {
namespace {

constexpr size_t kMaxFrame = 256;
constexpr int32_t kParamB = 0x1000, kParamC = 0x4000, kData = 0x2000;
constexpr uint8_t kUnknownCommand = 0x01;

bool isLiteral(int32_t item) { return item >= 0 && item <= 255; }
int64_t unitsOf(int32_t item) { return item & ~kData; }

} // namespace

MonitorProtocol::MonitorProtocol(LinkTables tables, int ecsType)
    : tables_(std::move(tables)), type_(ecsType == 1 ? 1 : 2), memory_(256 * 256, 0) {}

uint8_t MonitorProtocol::memory(uint8_t device, uint8_t address) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return memory_[device * 256u + address];
}

void MonitorProtocol::setMemory(uint8_t device, uint8_t address, uint8_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    memory_[device * 256u + address] = value;
}

bool MonitorProtocol::locate(uint16_t code, Location& where, int mode) const {
    const LinkRegister* r = tables_.registerOf(code);
    if (!r || r->group <= 0 || static_cast<size_t>(r->group) >= tables_.groups.size()) return false;
    const LinkGroup& g = tables_.groups[static_cast<size_t>(r->group)];
    if (mode >= 0 && (!g.perMode || mode > 255)) return false;
    where.device = mode >= 0 ? static_cast<uint8_t>(mode) : g.device;
    where.address = static_cast<uint8_t>(r->readAddress + r->readPosition);
    where.wide = (g.flags & 4) != 0;
    where.shift = std::clamp<int>(r->shift, 0, 15);
    where.mask = r->mask == 0 ? 0xFFFFu : static_cast<uint32_t>(r->mask);
    return true;
}

void MonitorProtocol::setRegisterLocked(uint16_t code, int32_t value, int mode) {
    Location at;
    if (!locate(code, at, mode)) return;
    uint8_t* high = &memory_[at.device * 256u + at.address];
    uint8_t* low = &memory_[at.device * 256u + ((at.address + 1) & 0xFF)];
    uint32_t raw = at.wide ? (static_cast<uint32_t>(*high) << 8) | *low : *high;
    const uint32_t m = at.mask << at.shift;
    raw = (raw & ~m) | ((static_cast<uint32_t>(value) << at.shift) & m);
    if (at.wide) {
        *high = static_cast<uint8_t>(raw >> 8);
        *low = static_cast<uint8_t>(raw);
    } else {
        *high = static_cast<uint8_t>(raw);
    }
}

void MonitorProtocol::setRegister(uint16_t code, int32_t value, int mode) {
    std::lock_guard<std::mutex> lock(mutex_);
    setRegisterLocked(code, value, mode);
}

int32_t MonitorProtocol::registerValue(uint16_t code, int mode) const {
    std::lock_guard<std::mutex> lock(mutex_);
    Location at;
    if (!locate(code, at, mode)) return 0;
    const uint32_t high = memory_[at.device * 256u + at.address];
    const uint32_t raw = at.wide ? (high << 8) | memory_[at.device * 256u + ((at.address + 1) & 0xFF)] : high;
    return static_cast<int32_t>((raw >> at.shift) & at.mask);
}

void MonitorProtocol::setSignalStatus(std::shared_ptr<SignalStatus> status) {
    std::lock_guard<std::mutex> lock(mutex_);
    signal_ = std::move(status);
}

void MonitorProtocol::setSelfClearing(uint16_t code) {
    std::lock_guard<std::mutex> lock(mutex_);
    selfClearing_.push_back(code);
}

void MonitorProtocol::addFault(const MonitorFault& fault) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back(fault);
}

void MonitorProtocol::clearFaults() {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
    refused_.clear();
    refusedReads_.clear();
    replyDelay_ = 0;
}

void MonitorProtocol::setSilent(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.erase(std::remove_if(faults_.begin(), faults_.end(),
                                 [](const MonitorFault& f) {
                                     return f.kind == MonitorFault::Kind::Silent && f.times < 0 && f.format < 0 &&
                                            f.address < 0 && f.device < 0;
                                 }),
                  faults_.end());
    if (on) faults_.insert(faults_.begin(), MonitorFault{});
}

void MonitorProtocol::setReplyDelay(uint32_t ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    replyDelay_ = ms;
}

void MonitorProtocol::refuseWrites(const std::vector<uint16_t>& codes, uint8_t errorCode) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuseCode_ = errorCode;
    for (uint16_t code : codes) {
        const LinkRegister* r = tables_.registerOf(code);
        if (!r || r->group <= 0 || static_cast<size_t>(r->group) >= tables_.groups.size()) continue;
        const LinkGroup& g = tables_.groups[static_cast<size_t>(r->group)];
        const int device = g.perMode ? -1 : g.device;
        bool block = false;
        if (r->writeFormat > 0 && static_cast<size_t>(r->writeFormat) < tables_.formats.size())
            block = tables_.formats[static_cast<size_t>(r->writeFormat)].blockFlag == 1;
        const int address = (r->writeAddress + (block ? r->writePosition : 0)) & 0xFF;
        refused_.insert({device, address});
        if (g.flags & 4) refused_.insert({device, (address + 1) & 0xFF});
    }
}

void MonitorProtocol::refuseReads(const std::vector<uint16_t>& codes, uint8_t errorCode) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuseCode_ = errorCode;
    for (uint16_t code : codes) {
        const LinkRegister* r = tables_.registerOf(code);
        if (!r || r->group <= 0 || static_cast<size_t>(r->group) >= tables_.groups.size() || r->readFormat <= 0) continue;
        const LinkGroup& g = tables_.groups[static_cast<size_t>(r->group)];
        refusedReads_.insert({r->readFormat, g.perMode ? -1 : g.device, r->readAddress});
    }
}

std::vector<MonitorTransaction> MonitorProtocol::transactions() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

size_t MonitorProtocol::transactionCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_.size();
}

void MonitorProtocol::clearTransactions() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
}

void MonitorProtocol::resetInput() {
    std::lock_guard<std::mutex> lock(mutex_);
    input_.clear();
}

bool MonitorProtocol::possibleStart(uint8_t byte) const {
    for (size_t i = 1; i < tables_.formats.size(); ++i) {
        const int32_t first = tables_.formats[i].command[0];
        if (!isLiteral(first) || first == byte) return true;
    }
    return false;
}

bool MonitorProtocol::frameComplete(size_t& length) {
    if (type_ == 1) {
        auto end = std::find(input_.begin(), input_.end(), uint8_t{0xFF});
        if (end != input_.end()) {
            length = static_cast<size_t>(end - input_.begin()) + 1;
            return true;
        }
        if (input_.size() >= kMaxFrame) input_.clear();
        return false;
    }
    for (;;) {
        while (!input_.empty() && !possibleStart(input_[0])) input_.erase(input_.begin());
        if (input_.size() < 2) return false;
        if (input_[1] < 2) {
            input_.erase(input_.begin());
            continue;
        }
        if (input_.size() < input_[1]) return false;
        length = input_[1];
        return true;
    }
}

void MonitorProtocol::feed(const uint8_t* data, size_t n, std::vector<MonitorReply>& replies) {
    std::lock_guard<std::mutex> lock(mutex_);
    input_.insert(input_.end(), data, data + n);
    size_t length = 0;
    while (frameComplete(length)) {
        std::vector<uint8_t> frame(input_.begin(), input_.begin() + static_cast<long>(length));
        input_.erase(input_.begin(), input_.begin() + static_cast<long>(length));
        MonitorReply reply;
        bool answer = false;
        log_.push_back(handle(frame, reply, answer));
        if (answer) replies.push_back(std::move(reply));
    }
}

bool MonitorProtocol::match(const LinkFormat& f, const uint8_t* frame, size_t n, Parsed& p) const {
    const bool type1 = type_ == 1;
    const int32_t end = type1 ? 255 : 0x8000;
    size_t k = 0;
    unsigned sum = 0;
    p = Parsed{};  // nothing of an earlier candidate's match carries over
    for (int32_t item : f.command) {
        if (item == end) {
            if (type1) return k + 1 == n && frame[k] == 0xFF;
            return k + 1 == n && frame[k] == (sum & 0xFF);
        }
        if (isLiteral(item)) {
            if (k >= n || frame[k] != item) return false;
            sum += frame[k++];
        } else if (item == kParamB || item == kParamC) {
            if (k >= n) return false;
            (item == kParamB ? p.b : p.c) = frame[k];
            sum += frame[k++];
        } else if (item & kData) {
            const int64_t units = unitsOf(item);
            if (units > static_cast<int64_t>(kMaxFrame)) return false;
            for (int64_t l = 0; l < units; l += type1 ? 2 : 1) {
                if (type1 && l + 1 != units) {
                    if (k + 1 >= n || frame[k] > 0x0F || frame[k + 1] > 0x0F) return false;
                    p.data.push_back(static_cast<uint8_t>((frame[k] << 4) | frame[k + 1]));
                    k += 2;
                } else {
                    if (k >= n) return false;
                    p.data.push_back(frame[k]);
                    sum += frame[k++];
                }
            }
        }
    }
    return false;  // no terminator among the items
}

std::vector<uint8_t> MonitorProtocol::answerFor(const LinkFormat& f, uint8_t b, uint8_t c) const {
    const bool type1 = type_ == 1;
    const int32_t end = type1 ? 255 : 0x8000;
    std::vector<uint8_t> out;
    size_t offset = 0;
    auto mem = [&]() { return memory_[c * 256u + ((b + offset++) & 0xFF)]; };
    for (int32_t item : f.response) {
        if (item == end || out.size() >= kMaxFrame - 1) break;
        if (isLiteral(item)) {
            out.push_back(static_cast<uint8_t>(item));
        } else if (item == kParamB || item == kParamC) {
        } else if (item & kData) {
            const int64_t units = std::min<int64_t>(unitsOf(item), kMaxFrame);
            for (int64_t l = 0; l < units && out.size() < kMaxFrame - 1; l += type1 ? 2 : 1) {
                const uint8_t v = mem();
                if (type1 && l + 1 != units) {
                    out.push_back(v >> 4);
                    out.push_back(v & 0x0F);
                } else {
                    out.push_back(v);
                }
            }
        }
    }
    if (type1) {
        out.push_back(0xFF);
    } else {
        unsigned sum = 0;
        for (uint8_t v : out) sum += v;
        out.push_back(static_cast<uint8_t>(sum & 0xFF));
    }
    return out;
}

std::vector<uint8_t> MonitorProtocol::errorFrame(uint8_t code) const {
    return {0x60, 0x04, code, static_cast<uint8_t>((0x60 + 0x04 + code) & 0xFF)};
}

void MonitorProtocol::corruptLiteral(const LinkFormat& f, std::vector<uint8_t>& bytes) const {
    const bool type1 = type_ == 1;
    const int32_t end = type1 ? 255 : 0x8000;
    // Find where the first fixed byte lies (not the type-2 length byte).
    size_t pos = 0;
    long target = -1;
    for (int32_t item : f.response) {
        if (item == end) break;
        if (isLiteral(item)) {
            if (type1 || pos != 1) {
                target = static_cast<long>(pos);
                break;
            }
            ++pos;
        } else if ((item & kData) && item != kParamB && item != kParamC) {
            const int64_t units = unitsOf(item);
            pos += static_cast<size_t>(units);  // a unit is one byte on the wire in both types
        }
    }
    if (target < 0 || static_cast<size_t>(target) + 1 >= bytes.size()) target = static_cast<long>(bytes.size()) - 1;
    uint8_t& v = bytes[static_cast<size_t>(target)];
    uint8_t changed = v ^ 0x01;
    if (changed == 0xFF || (!type1 && target == 0 && changed == 0x60)) changed = v ^ 0x02;
    v = changed;
    if (!type1) {
        unsigned sum = 0;
        for (size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
        bytes.back() = static_cast<uint8_t>(sum & 0xFF);
    }
}

MonitorTransaction MonitorProtocol::handle(const std::vector<uint8_t>& frame, MonitorReply& reply, bool& answer) {
    MonitorTransaction t;
    t.request = frame;
    Parsed p;
    const LinkFormat* f = nullptr;
    for (size_t i = 1; i < tables_.formats.size(); ++i) {
        if (match(tables_.formats[i], frame.data(), frame.size(), p)) {
            f = &tables_.formats[i];
            p.format = static_cast<int>(i);
            break;
        }
    }
    reply.delayMs = replyDelay_;
    if (!f) {
        answer = type_ != 1;
        if (answer) reply.bytes = errorFrame(kUnknownCommand);
        t.reply = reply.bytes;
        return t;
    }
    t.format = p.format;
    t.b = p.b;
    t.c = p.c;
    t.data = p.data;

    const MonitorFault* fault = nullptr;
    for (MonitorFault& candidate : faults_) {
        if (candidate.times == 0) continue;
        if (candidate.format >= 0 && candidate.format != p.format) continue;
        if (candidate.address >= 0 && candidate.address != p.b) continue;
        if (candidate.device >= 0 && candidate.device != p.c) continue;
        if (candidate.times > 0) --candidate.times;
        fault = &candidate;
        break;
    }

    bool refused = false;
    for (size_t j = 0; j < p.data.size() && !refused; ++j) {
        const int address = (p.b + static_cast<int>(j)) & 0xFF;
        refused = refused_.count({p.c, address}) || refused_.count({-1, address});
    }
    refused = refused || refusedReads_.count({p.format, p.c, p.b}) || refusedReads_.count({p.format, -1, p.b});
    using Kind = MonitorFault::Kind;
    if (refused || (fault && fault->kind == Kind::ErrorFrame)) {
        answer = type_ != 1;
        if (answer) reply.bytes = errorFrame(refused ? refuseCode_ : fault->errorCode);
        t.reply = reply.bytes;
        return t;
    }
    if (fault && fault->kind == Kind::Silent) {
        answer = false;
        return t;
    }
    if (signal_)
        for (const auto& [code, value] : signal_->registerValues(tables_)) setRegisterLocked(code, value);
    for (size_t j = 0; j < p.data.size(); ++j) memory_[p.c * 256u + ((p.b + j) & 0xFF)] = p.data[j];
    t.wrote = !p.data.empty();
    for (uint16_t code : selfClearing_) {
        Location at;
        if (!t.wrote || !locate(code, at) || at.device != p.c) continue;
        if (static_cast<uint8_t>(at.address - p.b) < p.data.size()) setRegisterLocked(code, 0);
    }
    reply.bytes = answerFor(*f, p.b, p.c);
    if (fault && fault->kind == Kind::Late) reply.delayMs += fault->delayMs;
    if (fault && fault->kind == Kind::BadChecksum && type_ != 1) reply.bytes.back() = static_cast<uint8_t>(reply.bytes.back() + 1);
    if (fault && (fault->kind == Kind::BadLiteral || (fault->kind == Kind::BadChecksum && type_ == 1)))
        corruptLiteral(*f, reply.bytes);
    answer = true;
    t.reply = reply.bytes;
    return t;
}

} // namespace sim
