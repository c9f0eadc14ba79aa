#include "genlink/parallel_transport.h"

#include <algorithm>

#include "genlink/result_codes.h"
#include "platform/clock.h"

namespace genlink {

namespace {
int32_t limitUnsigned(int32_t v, uint32_t low, uint32_t high) {
    uint32_t u = static_cast<uint32_t>(v);
    return static_cast<int32_t>(std::clamp(u, low, high));
}
} // namespace

ParallelRecord limitParallelRecord(const ParallelRecord& r) {
    ParallelRecord l = r;
    l.rcvTimeOut = limitUnsigned(r.rcvTimeOut, 100, 1000);
    l.sndTimeOut = limitUnsigned(r.sndTimeOut, 100, 1000);
    l.errTimeOut = limitUnsigned(r.errTimeOut, 100, 1000);
    l.dirWait = limitUnsigned(r.dirWait, 0, 100);
    l.ioWait = limitUnsigned(r.ioWait, 0, 100);
    l.msecWait = limitUnsigned(r.msecWait, 0, 5000);
    return l;
}

std::array<uint8_t, pgpio::kParameterBytes> parallelParameterBlock(const ParallelRecord& l) {
    const int32_t values[6] = {l.timeOutMethod, l.rcvTimeOut, l.sndTimeOut, l.errTimeOut, l.dirWait, l.ioWait};
    std::array<uint8_t, pgpio::kParameterBytes> block{};
    for (size_t i = 0; i < 6; ++i)
        for (size_t b = 0; b < 4; ++b) block[i * 4 + b] = static_cast<uint8_t>(static_cast<uint32_t>(values[i]) >> (8 * b));
    return block;
}

void ParallelTransport::control(uint32_t code, const uint8_t* in, size_t inLen, uint8_t* out, size_t outLen) {
    size_t returned = 0;
    device_->control(code, in, inLen, out, outLen, &returned);
}

uint32_t ParallelTransport::status() {
    uint8_t out[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    control(pgpio::kStatus, nullptr, 0, out, sizeof out);
    return uint32_t{out[0]} | uint32_t{out[1]} << 8 | uint32_t{out[2]} << 16 | uint32_t{out[3]} << 24;
}

uint32_t ParallelTransport::waiting() {
    uint8_t out[2] = {0, 0};
    control(pgpio::kWaiting, nullptr, 0, out, sizeof out);
    return uint32_t{out[0]} | uint32_t{out[1]} << 8;
}

int ParallelTransport::open() {
    ParallelRecord rec;
    if (settings_.readKeyPara(rec) != 0) return kReadSettingFailed;
    device_ = opener_ ? opener_() : nullptr;
    if (!device_) return kOpenFailed;
    const auto block = parallelParameterBlock(limitParallelRecord(rec));
    control(pgpio::kSetParameters, block.data(), block.size());
    control(pgpio::kEndSend);
    return kOk;
}

int ParallelTransport::close() {
    if (!device_) return kCloseFailed;
    device_.reset();
    return kOk;
}

void ParallelTransport::purge() {
    if (device_) control(pgpio::kPurge);
}

void ParallelTransport::applyTimeouts(const TimeoutTriple& t) {
    waits_.byteWait = t.byteGap;
    waits_.readWait = t.readTotal;
    waits_.writeWait = t.writeTotal;
}

int ParallelTransport::sendBytes(const uint8_t* data, size_t n) {
    if (!device_) return kCommFailed;
    for (size_t i = 0; i < n; ++i) {
        const uint64_t deadline = clock_.tickMs() + (i == 0 ? waits_.writeWait : waits_.byteWait);
        for (;;) {
            control(pgpio::kPutByte, data + i, 1);
            if (status() == 0) break;
            if (passed(deadline)) {
                control(pgpio::kEndSend);
                return kCommFailed;
            }
        }
    }
    control(pgpio::kEndSend);
    return kOk;
}

int ParallelTransport::receiveBytes(uint8_t* data, size_t n) {
    if (!device_) return kCommFailed;
    if (n == 0) return kOk;
    uint64_t deadline = clock_.tickMs() + waits_.readWait;
    uint32_t count = waiting();
    while (count < 1) {
        if (passed(deadline)) return kCommFailed;
        count = waiting();
    }
    deadline = clock_.tickMs() + waits_.byteWait;
    uint32_t seen = count;
    while (count < n) {
        count = waiting();
        if (count > seen) {
            seen = count;
            deadline = clock_.tickMs() + waits_.byteWait;
        } else if (passed(deadline)) {
            return kCommFailed;
        }
    }
    control(pgpio::kFetch, nullptr, 0, data, n);
    return status() == 0 ? kOk : kCommFailed;
}

} // namespace genlink
