#pragma once
// The simulated monitor's service port as a pure byte processor: bytes from
// the host go in, answers (bytes plus a delay) come out. It recognises each
// frame by the command templates of the model's link description, keeps one
// byte of register memory per device byte and address, and answers with the
// response templates. Faults can be injected per command. All calls are
// serialised by an internal lock, so a server thread and a test may share it.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "sim/monitor/link_file.h"
#include "sim/monitor/signal_status.h"

namespace sim {

struct MonitorFault {
    enum class Kind {
        Silent,       // no answer at all
        Late,         // answer after delayMs
        BadChecksum,  // type 2: checksum off by one; type 1: like BadLiteral
        BadLiteral,   // first fixed byte of the answer changed
        ErrorFrame,   // type 2: error answer with errorCode; type 1: no answer
    };
    Kind kind = Kind::Silent;
    uint32_t delayMs = 0;
    uint8_t errorCode = 0;
    int times = -1;    // commands it applies to; -1 until cleared
    int format = -1;   // only commands of this format number (-1: any)
    int address = -1;  // only commands with this parameter b
    int device = -1;   // only commands with this parameter c
};

struct MonitorTransaction {
    int format = -1;               // -1: the frame matched no command template
    uint8_t b = 0;
    uint8_t c = 0;
    std::vector<uint8_t> data;     // decoded data field of the command
    std::vector<uint8_t> request;  // the frame as received
    std::vector<uint8_t> reply;    // what was sent back (empty: nothing)
    bool wrote = false;            // data went into register memory
};

struct MonitorReply {
    std::vector<uint8_t> bytes;
    uint32_t delayMs = 0;
};

class MonitorProtocol {
public:
    MonitorProtocol(LinkTables tables, int ecsType);

    // Feeds bytes from the host; appends an answer for each complete frame.
    void feed(const uint8_t* data, size_t n, std::vector<MonitorReply>& replies);
    // Drops a partly received frame.
    void resetInput();

    int ecsType() const { return type_; }
    const LinkTables& tables() const { return tables_; }

    uint8_t memory(uint8_t device, uint8_t address) const;
    void setMemory(uint8_t device, uint8_t address, uint8_t value);

    // A register's value in memory, found through the link description (the
    // bytes its read command returns; shift and mask as the link applies
    // them). Unknown registers and pseudo-registers are left alone / read 0.
    // `mode` addresses a register of a per-mode group in that mode (the
    // device byte of mode k is k); -1 takes the device byte of the link.
    void setRegister(uint16_t code, int32_t value, int mode = -1);
    int32_t registerValue(uint16_t code, int mode = -1) const;
    // Status registers that follow the signal at the input, refreshed
    // before every command.
    void setSignalStatus(std::shared_ptr<SignalStatus> status);
    // A register that reads 0 again once a write has set it: the monitor
    // carries the command out (degauss) and clears it.
    void setSelfClearing(uint16_t code);

    // Faults: the first one that matches a command decides its answer.
    void addFault(const MonitorFault& fault);
    void clearFaults();
    void setSilent(bool on);
    // Every answer comes this late (on top of a Late fault).
    void setReplyDelay(uint32_t ms);
    // Writes that touch a register of `codes` are refused: type 2 answers an
    // error frame with errorCode, type 1 stays silent; memory stays unchanged.
    void refuseWrites(const std::vector<uint16_t>& codes, uint8_t errorCode);
    // Reads of the registers of `codes` (their whole read command) are
    // refused the same way.
    void refuseReads(const std::vector<uint16_t>& codes, uint8_t errorCode);

    std::vector<MonitorTransaction> transactions() const;
    size_t transactionCount() const;
    void clearTransactions();

private:
    struct Parsed {
        int format = -1;
        uint8_t b = 0, c = 0;
        std::vector<uint8_t> data;
    };
    bool frameComplete(size_t& length);
    bool possibleStart(uint8_t byte) const;
    bool match(const LinkFormat& f, const uint8_t* frame, size_t n, Parsed& p) const;
    MonitorTransaction handle(const std::vector<uint8_t>& frame, MonitorReply& reply, bool& answer);
    std::vector<uint8_t> answerFor(const LinkFormat& f, uint8_t b, uint8_t c) const;
    std::vector<uint8_t> errorFrame(uint8_t code) const;
    void corruptLiteral(const LinkFormat& f, std::vector<uint8_t>& bytes) const;
    struct Location {
        uint8_t device = 0;
        uint8_t address = 0;
        bool wide = false;
        int shift = 0;
        uint32_t mask = 0xFFFF;
    };
    bool locate(uint16_t code, Location& where, int mode = -1) const;
    void setRegisterLocked(uint16_t code, int32_t value, int mode = -1);

    mutable std::mutex mutex_;
    LinkTables tables_;
    int type_;
    std::vector<uint8_t> input_;
    std::vector<uint8_t> memory_;  // 256 devices x 256 addresses
    std::vector<MonitorFault> faults_;
    uint32_t replyDelay_ = 0;
    std::set<std::pair<int, int>> refused_;  // (device or -1 for any, address)
    struct RefusedRead {
        int format, device, address;  // device -1: any
        bool operator<(const RefusedRead& o) const {
            return std::tie(format, device, address) < std::tie(o.format, o.device, o.address);
        }
    };
    std::set<RefusedRead> refusedReads_;
    uint8_t refuseCode_ = 0;
    std::vector<MonitorTransaction> log_;
    std::shared_ptr<SignalStatus> signal_;
    std::vector<uint16_t> selfClearing_;
};

} // namespace sim
