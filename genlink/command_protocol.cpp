#include "genlink/command_protocol.h"

#include <algorithm>
#include <cstring>

#include "genlink/result_codes.h"

namespace genlink {

namespace {
constexpr int kRetry = 1;

uint32_t asMs(int32_t v) { return v < 0 ? 0u : static_cast<uint32_t>(v); }
int32_t tenths(size_t bytes) { return static_cast<int32_t>(bytes / 10); }
} // namespace

void CommandProtocol::apply(uint32_t readTotal) {
    TimeoutTriple triple{state_.timeouts.byte, readTotal, state_.timeouts.timeout};
    t_.applyTimeouts(triple);
    state_.applied = triple;
}

int CommandProtocol::greet() {
    t_.purge();
    int32_t byte = 0, cmdAck = 0, dataAck = 0, timeout = 0;
    if (settings_.readTimeoutByte(byte) || settings_.readTimeoutCmdACK(cmdAck) ||
        settings_.readTimeoutDataACK(dataAck) || settings_.readTimeout(timeout))
        return kReadSettingFailed;
    state_.timeouts = {asMs(byte), asMs(cmdAck), asMs(dataAck), asMs(timeout)};
    apply(state_.timeouts.timeout);
    bool sent = false;
    for (int i = 0; i < kAttempts && !sent; ++i) sent = t_.sendByte(ENQ) == 0;
    if (!sent) return kNoGreeting;
    uint8_t b = 0;
    bool got = false;
    for (int i = 0; i < kAttempts && !got; ++i) got = t_.receiveByte(b) == 0;
    return got && b == ACK ? kOk : kNoGreeting;
}

void CommandProtocol::drain() {
    const TimeoutTriple before = state_.applied;
    apply(state_.timeouts.timeout);
    uint8_t b;
    for (size_t i = 0; i < kDrainLimit && t_.receiveByte(b) == 0; ++i) {
    }
    t_.applyTimeouts(before);
    state_.applied = before;
}

int CommandProtocol::answer() {
    uint8_t b = 0;
    if (t_.receiveByte(b) != 0) return kRetry;
    if (b == ACK) return kOk;
    if (b == STX) {
        uint8_t rest[kErrorFrameRest] = {};
        if (t_.receiveBytes(rest, sizeof rest) != 0) return kCommFailed;
        std::optional<int> number = errorFrameNumber(rest, sizeof rest);
        if (!number) return kCommFailed;
        state_.lastError = *number;
        return kRefused;
    }
    if (b != NAK) drain();
    t_.purge();
    return kRetry;
}

int CommandProtocol::sendWithAck(const Bytes& frame) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (t_.sendBytes(frame.data(), frame.size()) != 0) return kCommFailed;
        int r = answer();
        if (r != kRetry) return r;
    }
    return kCommFailed;
}

int CommandProtocol::commandPhase(uint8_t code, const uint8_t* payload, size_t n) {
    t_.purge();
    apply(state_.timeouts.cmdAck);
    return sendWithAck(commandFrame(code, payload, n));
}

bool CommandProtocol::cancelRequested() {
    int32_t cancel = 0;
    return settings_.readProcessCancel(cancel) == 0 && cancel != 0;
}

int CommandProtocol::nak() { return t_.sendByte(NAK) == 0 ? kOk : kCommFailed; }

int CommandProtocol::cmd(uint8_t code, const uint8_t* payload, size_t n) {
    int r = commandPhase(code, payload, n);
    if (r != kOk) return r;
    t_.purge();
    return kOk;
}

int CommandProtocol::down(uint8_t code, const uint8_t* payload, size_t n, const uint8_t* data, size_t length,
                          size_t blockSize, BlockForm form) {
    if (blockSize == 0 || (length && !data)) return kBadArgument;
    int r = commandPhase(code, payload, n);
    if (r != kOk) return r;
    settings_.writeProcessAllSize(tenths(length));
    settings_.writeProcessFinishSize(0);
    settings_.writeProcessCancel(0);
    r = downBlocks(data, length, blockSize, form, false);
    settings_.writeProcessCancel(-1);
    return r;
}

int CommandProtocol::summedDown(uint8_t code, const uint8_t* payload, size_t n, const uint8_t* data,
                                size_t length, size_t blockSize) {
    if (blockSize == 0 || (length && !data)) return kBadArgument;
    blockSize = std::min(blockSize, kMaxSummedData);
    int r = commandPhase(code, payload, n);
    if (r != kOk) return r;
    settings_.writeProcessFinishSize(0);
    settings_.writeProcessCancel(0);
    r = downBlocks(data, length, blockSize, BlockForm::Plain, true);
    settings_.writeProcessCancel(-1);
    return r;
}

int CommandProtocol::downBlocks(const uint8_t* data, size_t length, size_t blockSize, BlockForm form,
                                bool summed) {
    apply(state_.timeouts.dataAck);
    size_t sent = 0;
    bool last = false;
    do {
        const size_t count = std::min(blockSize, length - sent);
        last = sent + count == length;
        const Bytes block = summed ? summedBlock(data + sent, count, last) : dataBlock(form, data + sent, count, last);
        int r = kCommFailed;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            if (cancelRequested()) return kCancelled;
            if (t_.sendBytes(block.data(), block.size()) != 0) return kCommFailed;
            r = answer();
            if (r != kRetry) break;
            r = kCommFailed;
        }
        if (r != kOk) return r;
        sent += count;
        settings_.writeProcessFinishSize(summed ? static_cast<int32_t>(sent) : tenths(sent));
    } while (!last);
    t_.purge();
    return kOk;
}

int CommandProtocol::up(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t length,
                        size_t blockSize, BlockForm form) {
    if (blockSize == 0 || (length && !dest)) return kBadArgument;
    int r = commandPhase(code, payload, n);
    if (r != kOk) return r;
    settings_.writeProcessAllSize(tenths(length));
    settings_.writeProcessFinishSize(0);
    settings_.writeProcessCancel(0);
    r = upBlocks(dest, length, blockSize, form);
    settings_.writeProcessCancel(-1);
    return r;
}

int CommandProtocol::directUp(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t length,
                              size_t blockSize, BlockForm form) {
    if (blockSize == 0 || (length && !dest)) return kBadArgument;
    t_.purge();
    apply(state_.timeouts.cmdAck);
    const Bytes frame = commandFrame(code, payload, n);
    if (t_.sendBytes(frame.data(), frame.size()) != 0) return kCommFailed;
    settings_.writeProcessAllSize(tenths(length));
    settings_.writeProcessFinishSize(0);
    settings_.writeProcessCancel(0);
    int r = upBlocks(dest, length, blockSize, form);
    settings_.writeProcessCancel(-1);
    return r;
}

int CommandProtocol::upBlocks(uint8_t* dest, size_t length, size_t blockSize, BlockForm form) {
    apply(state_.timeouts.timeout);
    Bytes block(std::min(blockSize, length) + blockOverhead(form));
    size_t got = 0;
    bool last = false;
    do {
        const size_t count = std::min(blockSize, length - got);
        last = got + count == length;
        const size_t frameLen = count + blockOverhead(form);
        bool good = false;
        for (int attempt = 0; attempt < kAttempts && !good; ++attempt) {
            if (cancelRequested()) return kCancelled;
            std::fill(block.begin(), block.end(), 0);
            const bool moved = t_.receiveBytes(block.data(), frameLen) == 0;
            good = moved && blockIsGood(form, block.data(), frameLen, last);
            if (good) break;
            if (moved) drain();
            t_.purge();
            if (nak() != kOk) return kCommFailed;
        }
        if (!good) return kCommFailed;
        if (!last && t_.sendByte(ACK) != 0) return kCommFailed;
        if (count) std::memcpy(dest + got, block.data() + blockDataOffset(form), count);
        got += count;
        settings_.writeProcessFinishSize(tenths(got));
    } while (!last);
    t_.purge();
    return kOk;
}

int CommandProtocol::reply(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t capacity,
                           size_t* received, bool withDle) {
    if (received) *received = 0;
    if (capacity && !dest) return kBadArgument;
    int r = commandPhase(code, payload, n);
    if (r != kOk) return r;
    apply(state_.timeouts.timeout);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        size_t count = 0;
        bool tooLong = false;
        uint8_t b = 0;
        bool ok = t_.receiveByte(b) == 0;
        bool wrong = ok && b != STX;
        if (ok && !wrong && withDle) {
            ok = t_.receiveByte(b) == 0;
            wrong = ok && b != DLE;
        }
        bool complete = false;
        while (ok && !wrong) {
            if (t_.receiveByte(b) != 0) {
                ok = false;
                break;
            }
            if (b == ETX) {
                complete = true;
                break;
            }
            ++count;
            if (count <= capacity)
                dest[count - 1] = b;
            else
                tooLong = true;
        }
        if (complete) {
            if (received) *received = count;
            if (tooLong) return kReplyTooLong;
            t_.purge();
            return kOk;
        }
        if (wrong) drain();
        t_.purge();
        if (nak() != kOk) return kCommFailed;
    }
    return kCommFailed;
}

int CommandProtocol::summedUp(uint8_t code, const uint8_t* payload, size_t n, uint8_t* dest, size_t capacity,
                              size_t* received) {
    if (received) *received = 0;
    if (capacity && !dest) return kBadArgument;
    int r = commandPhase(code, payload, n);
    if (r != kOk) return r;
    settings_.writeProcessFinishSize(0);
    settings_.writeProcessCancel(0);
    r = summedBlocks(dest, capacity, received);
    settings_.writeProcessCancel(-1);
    return r;
}

int CommandProtocol::summedBlocks(uint8_t* dest, size_t capacity, size_t* received) {
    apply(state_.timeouts.timeout);
    Bytes body(kMaxSummedData + 2);
    size_t total = 0;
    bool tooLong = false;
    for (;;) {
        bool good = false;
        size_t length = 0;
        uint8_t terminator = 0;
        for (int attempt = 0; attempt < kAttempts && !good; ++attempt) {
            if (cancelRequested()) return kCancelled;
            uint8_t header[kSummedHeader] = {};
            const bool headerMoved = t_.receiveBytes(header, sizeof header) == 0;
            length = static_cast<size_t>(header[2]) << 8 | header[3];
            if (headerMoved && header[0] == STX && header[1] == SUMMED && length <= kMaxSummedData &&
                t_.receiveBytes(body.data(), length + 2) == 0) {
                terminator = body[length + 1];
                good = (terminator == ETB || terminator == ETX) && body[length] == summedChecksum(body.data(), length);
            }
            if (good) break;
            drain();
            t_.purge();
            if (nak() != kOk) return kCommFailed;
        }
        if (!good) return kCommFailed;
        // What fits is kept; the rest of an overlong transfer is counted only.
        if (total < capacity) std::memcpy(dest + total, body.data(), std::min(length, capacity - total));
        total += length;
        if (total > capacity) tooLong = true;
        settings_.writeProcessFinishSize(static_cast<int32_t>(std::min<size_t>(total, 0x7FFFFFFF)));
        if (terminator == ETX) break;
        if (t_.sendByte(ACK) != 0) return kCommFailed;
    }
    t_.purge();
    if (received) *received = total;
    return tooLong ? kReplyTooLong : kOk;
}

} // namespace genlink
