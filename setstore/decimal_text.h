#pragma once
// Numbers as the store keeps them: decimal text.
#include <cstdint>
#include <optional>
#include <string>

namespace setstore {

// Reads a number the way "%d" does: leading blanks, an optional sign, at least
// one digit; what follows the digits is ignored. Values beyond int32 saturate.
std::optional<int32_t> parseDecimal(const std::string& text);

// The decimal form of a number, with a minus sign when negative.
std::string formatDecimal(int32_t value);

} // namespace setstore
