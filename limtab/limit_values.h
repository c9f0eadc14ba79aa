#pragma once
// The numbers of the limit tables: the type character of the model, and every
// range per memory kind and per type character.
#include <cstdint>
#include <string>

#include "limtab/limit_layout.h"

namespace limtab {

struct Range {
    int32_t min;
    int32_t max;
};
// A range the model or memory kind does not have.
inline constexpr Range kNone{-1, -1};

// The type character of a model name; the comparison includes the NUL that
// ends the name, so "PG-410 " is not "PG-410". Unknown names give 'D'.
char typeCharacterFor(const char* name, size_t size);

// Calls set(section, slot, field, range) for every range of the type character.
class RangeSink {
public:
    virtual ~RangeSink() = default;
    virtual void set(Section section, int slot, size_t field, Range range) = 0;
};
void fillRanges(char type, RangeSink& sink);

} // namespace limtab
