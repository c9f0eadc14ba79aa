#pragma once
// The procedure variables V_1 .. V_100 of one run: a signed 16-bit value and
// a set flag each. Slot 0 exists but is never a valid operand.
#include <array>
#include <cstdint>

namespace procedure {

class VarTable {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 100;

    static bool valid(int number) { return number >= kFirst && number <= kLast; }

    // Every value 0 and every flag clear.
    void clear() {
        values_.fill(0);
        set_.fill(0);
    }
    // Invalid numbers read as 0 and not set.
    int16_t value(int number) const { return valid(number) ? values_[static_cast<size_t>(number)] : 0; }
    bool isSet(int number) const { return valid(number) && set_[static_cast<size_t>(number)] != 0; }
    // Keeps the low 16 bits as a signed value and sets the flag; invalid numbers store nothing.
    void store(int number, int32_t value) {
        if (!valid(number)) return;
        values_[static_cast<size_t>(number)] = static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
        set_[static_cast<size_t>(number)] = 1;
    }
    void unset(int number) {
        if (valid(number)) set_[static_cast<size_t>(number)] = 0;
    }

    bool operator==(const VarTable&) const = default;

private:
    std::array<int16_t, kLast + 1> values_{};
    std::array<uint8_t, kLast + 1> set_{};
};

} // namespace procedure
