#pragma once
// The two parallel tables of minimums and maximums, filled for one type
// character, with the checks and gets over them.
#include <array>
#include <cstddef>
#include <cstdint>

#include "limtab/limit_layout.h"

namespace limtab {

class LimitTables {
public:
    // The library's tables (the only state it keeps).
    static LimitTables& instance();

    // Rebuilds both tables for the type character.
    void fill(char type);
    char type() const { return type_; }
    const int32_t* minimums() const { return min_.data(); }

    // 0 when every field lies in its range, -41 on the first that does not,
    // on a memory kind outside 0..4 or a null pointer.
    int32_t check(Section section, int32_t kind, const int32_t* values) const;
    int32_t checkOne(Section section, int32_t kind, int32_t value) const { return check(section, kind, &value); }
    // A program number: range 1 of the kind, or any of ranges 2..4 it has.
    int32_t checkProgNo(int32_t kind, int32_t value) const;
    // Copies the section's maximums and minimums.
    int32_t get(Section section, int32_t kind, int32_t* max, int32_t* min) const;
    // Horizontal timing: the variant (0 or 1) is read from max[0].
    int32_t getHTiming(int32_t* max, int32_t* min) const;

private:
    bool inRange(size_t entry, int32_t value) const { return min_[entry] <= value && value <= max_[entry]; }
    std::array<int32_t, kTableEntries> min_{};
    std::array<int32_t, kTableEntries> max_{};
    char type_ = 0;
};

} // namespace limtab
