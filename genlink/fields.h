#pragma once
// Encodings of the ASCII fields inside command payloads and replies.
#include <cstddef>
#include <cstdint>
#include <string>

namespace genlink {

// Exactly `width` digits of value modulo 10^width, leading zeros. Negative
// values are written as their magnitude.
std::string decimalField(int64_t value, int width);
// Exactly `width` digits 0-9A-F of value modulo 16^width.
std::string hexField(uint64_t value, int width);
// '1' for a negative value, else '0', then the magnitude in width - 1 digits.
std::string signedField(int64_t value, int width);
// '1' or '0' then the magnitude without leading zeros.
std::string freeSigned(int64_t value);
// The magnitude without leading zeros.
std::string freeUnsigned(int64_t value);
// The first `width` characters of name, padded with blanks.
std::string nameField(const std::string& name, int width);

// Read back. Each reads exactly the field (shorter text reads what is there);
// a character out of place ends the number.
int64_t readDecimalField(const char* text, size_t width);
int64_t readHexField(const char* text, size_t width);
// First character '0' positive, anything else negative.
int64_t readSignedField(const char* text, size_t width);
// Cut to the field, stops at NUL, trailing blanks stripped.
std::string readNameField(const char* text, size_t width);

} // namespace genlink
