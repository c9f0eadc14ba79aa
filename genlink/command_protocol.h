#pragma once
// One exchange of the generator's command protocol over an open transport:
// the greeting at open, the command phase with its four attempts, and the
// seven exchange kinds with their data phases, progress and cancel.
#include <cstddef>
#include <cstdint>

#include "genlink/frames.h"
#include "genlink/settings.h"
#include "genlink/transport.h"

namespace genlink {

// The four protocol time-outs in milliseconds, read from the settings at open.
struct ProtocolTimeouts {
    uint32_t byte = 0;
    uint32_t cmdAck = 0;
    uint32_t dataAck = 0;
    uint32_t timeout = 0;
};

// What outlives an exchange: the time-outs, the triple last applied and the
// generator's last error number.
struct ProtocolState {
    ProtocolTimeouts timeouts;
    TimeoutTriple applied;
    int lastError = 0;
};

class CommandProtocol {
public:
    static constexpr int kAttempts = 4;
    // Bytes a drain throws away at most, so a babbling line cannot hang it.
    static constexpr size_t kDrainLimit = 65536;

    CommandProtocol(Transport& transport, Settings& settings, ProtocolState& state)
        : t_(transport), settings_(settings), state_(state) {}

    // Reads the time-outs and sends the enquiry: 0, -20 or -46.
    int greet();
    void drain();

    int cmd(uint8_t code, const uint8_t* payload, size_t n);
    int down(uint8_t code, const uint8_t* payload, size_t n, const uint8_t* data, size_t length, size_t blockSize,
             BlockForm form);
    int up(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t length, size_t blockSize,
           BlockForm form);
    // As up, but the generator answers the command with its data at once.
    int directUp(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t length, size_t blockSize,
                 BlockForm form);
    // One free-length reply into dest; *received is the full count the
    // generator sent (-43 when it exceeds capacity).
    int reply(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t capacity, size_t* received,
              bool withDle);
    int summedDown(uint8_t code, const uint8_t* payload, size_t n, const uint8_t* data, size_t length,
                   size_t blockSize);
    int summedUp(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t capacity, size_t* received);

private:
    void apply(uint32_t readTotal);
    int commandPhase(uint8_t code, const uint8_t* payload, size_t n);
    // The generator's answer to a frame or block: 0 ACK, 1 retry, else a final code.
    int answer();
    int sendWithAck(const Bytes& frame);
    bool cancelRequested();
    int downBlocks(const uint8_t* data, size_t length, size_t blockSize, BlockForm form, bool summed);
    int upBlocks(uint8_t* dest, size_t length, size_t blockSize, BlockForm form);
    int summedBlocks(uint8_t* dest, size_t capacity, size_t* received);
    int nak();

    Transport& t_;
    Settings& settings_;
    ProtocolState& state_;
};

} // namespace genlink
