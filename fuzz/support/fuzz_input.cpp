#include "fuzz/support/fuzz_input.h"

#include <algorithm>

namespace fuzz {

uint8_t Input::byte() { return empty() ? 0 : data_[pos_++]; }

uint16_t Input::u16() {
    const uint8_t low = byte();
    return static_cast<uint16_t>(low | (byte() << 8));
}

Bytes Input::take(size_t n) {
    n = std::min(n, remaining());
    Bytes out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
}

std::optional<Bytes> Input::part() {
    const uint16_t n = u16();
    if (n == kAbsentPart) return std::nullopt;
    return take(n);
}

Bytes Input::chunk(int lengthBytes) { return take(lengthBytes == 1 ? byte() : u16()); }

Bytes Input::rest() { return take(remaining()); }

void putByte(Bytes& out, uint8_t b) { out.push_back(b); }

void putU16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putPart(Bytes& out, const Bytes& part) {
    const size_t n = std::min<size_t>(part.size(), kAbsentPart - 1);
    putU16(out, static_cast<uint16_t>(n));
    out.insert(out.end(), part.begin(), part.begin() + static_cast<long>(n));
}

void putAbsentPart(Bytes& out) { putU16(out, kAbsentPart); }

void putChunk(Bytes& out, const Bytes& chunk, int lengthBytes) {
    const size_t cap = lengthBytes == 1 ? 0xFF : 0xFFFF;
    const size_t n = std::min(chunk.size(), cap);
    if (lengthBytes == 1)
        putByte(out, static_cast<uint8_t>(n));
    else
        putU16(out, static_cast<uint16_t>(n));
    out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<long>(n));
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

} // namespace fuzz
