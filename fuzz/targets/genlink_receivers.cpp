// The generator link's receivers: every exchange kind of the command protocol
// (greeting, command, blocks down and up in both forms, replies with and
// without DLE, summed blocks both ways) against a generator whose whole
// output is the fuzz input. The host's sends always succeed; what the
// generator sends does not depend on them, as with a line full of noise.
//
// Input: the exchange kind, its sizes (two bytes each for length, block
// size and capacity), then the generator's bytes.
#include <cstring>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/generator_settings.h"
#include "genlink/command_protocol.h"
#include "genlink/result_codes.h"

namespace {

class NoiseTransport : public genlink::Transport {
public:
    explicit NoiseTransport(fuzz::Input& in) : in_(in) {}
    int open() override { return 0; }
    int close() override { return 0; }
    void purge() override {}
    void applyTimeouts(const genlink::TimeoutTriple&) override {}
    int sendByte(uint8_t) override { return 0; }
    int sendBytes(const uint8_t* data, size_t n) override { return n == 0 || data ? 0 : genlink::kCommFailed; }
    int receiveByte(uint8_t& b) override {
        if (in_.empty()) return genlink::kCommFailed;
        b = in_.byte();
        return 0;
    }
    int receiveBytes(uint8_t* data, size_t n) override {
        if (in_.remaining() < n) {
            in_.rest();
            return genlink::kCommFailed;
        }
        for (size_t i = 0; i < n; ++i) data[i] = in_.byte();
        return 0;
    }

private:
    fuzz::Input& in_;
};

constexpr size_t kMaxLength = 8192;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const uint8_t kind = in.byte();
    const size_t length = in.u16() % (kMaxLength + 1);
    const size_t blockSize = 1 + in.u16() % 2048;
    const size_t capacity = in.u16() % (kMaxLength + 1);

    NoiseTransport transport(in);
    fuzz::MemorySettings settings;
    genlink::ProtocolState state;
    genlink::CommandProtocol p(transport, settings, state);
    const uint8_t payload[] = {'0', '1', '2'};
    // Exactly the caller's sizes, so a write past them is seen.
    std::vector<uint8_t> dest(kind % 16 >= 5 ? capacity : length);
    std::vector<uint8_t> source(length, 0x5A);
    size_t received = 0;
    const genlink::BlockForm form = kind & 0x10 ? genlink::BlockForm::Plain : genlink::BlockForm::Dle;
    int r = 0;
    switch (kind % 16) {
    case 0: r = p.greet(); break;
    case 1: r = p.cmd(0x41, payload, sizeof payload); break;
    case 2: r = p.down(0x42, payload, sizeof payload, source.data(), length, blockSize, form); break;
    case 3: r = p.up(0x43, payload, sizeof payload, dest.data(), length, blockSize, form); break;
    case 4: r = p.directUp(0x44, payload, sizeof payload, dest.data(), length, blockSize, form); break;
    case 5: r = p.reply(0x45, payload, sizeof payload, dest.data(), capacity, &received, true); break;
    case 6: r = p.reply(0x46, payload, sizeof payload, dest.data(), capacity, &received, false); break;
    case 7: r = p.summedDown(0x47, payload, sizeof payload, source.data(), length, blockSize); break;
    case 8: r = p.summedUp(0x48, payload, sizeof payload, dest.data(), capacity, &received); break;
    default: p.drain(); break;
    }
    // A reply or summed upload that reports success fitted its capacity.
    if (r == genlink::kOk && (kind % 16 == 5 || kind % 16 == 6 || kind % 16 == 8) && received > capacity)
        __builtin_trap();
    return 0;
}
