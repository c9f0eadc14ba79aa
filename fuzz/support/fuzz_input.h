#pragma once
// One fuzz input cut into what a target needs: single bytes for choices,
// sized parts for files, and the answers a simulated device gives, one chunk
// per message of the host. The writers build inputs of the same layout, for
// the seed corpora.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::vector<uint8_t>;

// A part whose length field holds this value is absent (a missing file).
constexpr uint16_t kAbsentPart = 0xFFFF;

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t remaining() const { return size_ - pos_; }
    bool empty() const { return pos_ >= size_; }
    // The next byte; 0 once the input is used up.
    uint8_t byte();
    uint16_t u16();
    // A 16-bit length, then that many bytes (cut to what is left); nothing
    // when the length is kAbsentPart.
    std::optional<Bytes> part();
    // A length of `lengthBytes` bytes (1 or 2), then that many bytes.
    Bytes chunk(int lengthBytes);
    // Everything not used yet.
    Bytes rest();

private:
    Bytes take(size_t n);
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void putByte(Bytes& out, uint8_t b);
void putU16(Bytes& out, uint16_t v);
void putPart(Bytes& out, const Bytes& part);
void putAbsentPart(Bytes& out);
void putChunk(Bytes& out, const Bytes& chunk, int lengthBytes);
Bytes bytesOf(const std::string& text);

} // namespace fuzz
