#pragma once
// Frames and blocks of the generator's wire protocol, built and checked as pure
// functions over byte buffers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace genlink {

constexpr uint8_t STX = 0x02;
constexpr uint8_t ETX = 0x03;
constexpr uint8_t ENQ = 0x05;
constexpr uint8_t ACK = 0x06;
constexpr uint8_t DLE = 0x10;
constexpr uint8_t DC1 = 0x11;
constexpr uint8_t NAK = 0x15;
constexpr uint8_t ETB = 0x17;
constexpr uint8_t SUMMED = 0x90;  // second byte of a summed block

constexpr size_t kMaxSummedData = 1024;
constexpr size_t kErrorFrameRest = 4;  // what follows the STX of an error frame
constexpr size_t kSummedHeader = 4;    // STX, 0x90, length high, length low

enum class BlockForm { Dle, Plain };

using Bytes = std::vector<uint8_t>;

// STX, code, payload, ETX.
Bytes commandFrame(uint8_t code, const uint8_t* payload, size_t n);

// One data block; `last` picks ETX over ETB.
Bytes dataBlock(BlockForm form, const uint8_t* data, size_t n, bool last);
size_t blockOverhead(BlockForm form);

// Low 8 bits of the two length bytes and all data bytes.
uint8_t summedChecksum(const uint8_t* data, size_t n);
// STX, 0x90, length (high byte first), data, checksum, ETB or ETX. n <= 1024.
Bytes summedBlock(const uint8_t* data, size_t n, bool last);

// Checks a received data block of a known form and size; the data sits at
// blockDataOffset(form).
bool blockIsGood(BlockForm form, const uint8_t* block, size_t blockLen, bool last);
size_t blockDataOffset(BlockForm form);

// The generator's error number from the four bytes after STX (DC1, two
// characters, ETX); nothing when they are not an error frame.
std::optional<int> errorFrameNumber(const uint8_t* rest, size_t n);
// STX, DC1, the number as two characters, ETX.
Bytes errorFrame(int number);

// Reads a decimal integer the C way: leading blanks and a sign, stops at the
// first non-digit; 0 when there are no digits.
int readDecimalPrefix(const char* text, size_t n);

} // namespace genlink
