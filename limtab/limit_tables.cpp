#include "limtab/limit_tables.h"

#include "limtab/limit_values.h"

namespace limtab {

LimitTables& LimitTables::instance()
{
    static LimitTables tables;
    return tables;
}

void LimitTables::fill(char type)
{
    struct Sink : RangeSink {
        LimitTables& t;
        explicit Sink(LimitTables& tables) : t(tables) {}
        void set(Section section, int slot, size_t field, Range range) override
        {
            if (field >= fieldCount(section))
                return;
            size_t entry = firstEntry(section, slot) + field;
            t.min_[entry] = range.min;
            t.max_[entry] = range.max;
        }
    } sink(*this);
    min_.fill(0);
    max_.fill(0);
    fillRanges(type, sink);
    type_ = type;
}

int32_t LimitTables::check(Section section, int32_t kind, const int32_t* values) const
{
    if (!values)
        return kLimitFailed;
    int slot = 0;
    if (isPerKind(section) && (slot = kindSlot(kind)) < 0)
        return kLimitFailed;
    const size_t first = firstEntry(section, slot);
    for (size_t i = 0; i < fieldCount(section); ++i)
        if (!inRange(first + i, values[i]))
            return kLimitFailed;
    return 0;
}

int32_t LimitTables::checkProgNo(int32_t kind, int32_t value) const
{
    const int slot = kindSlot(kind);
    if (slot < 0)
        return kLimitFailed;
    const size_t first = firstEntry(Section::ProgNo, slot);
    if (inRange(first, value))
        return 0;
    for (size_t i = 1; i < fieldCount(Section::ProgNo); ++i) {
        const size_t e = first + i;
        if (min_[e] != -1 && max_[e] != -1 && inRange(e, value))
            return 0;
    }
    return kLimitFailed;
}

int32_t LimitTables::get(Section section, int32_t kind, int32_t* max, int32_t* min) const
{
    if (!max || !min)
        return kLimitFailed;
    int slot = 0;
    if (isPerKind(section) && (slot = kindSlot(kind)) < 0)
        return kLimitFailed;
    const size_t first = firstEntry(section, slot);
    for (size_t i = 0; i < fieldCount(section); ++i) {
        max[i] = max_[first + i];
        min[i] = min_[first + i];
    }
    return 0;
}

int32_t LimitTables::getHTiming(int32_t* max, int32_t* min) const
{
    if (!max || !min)
        return kLimitFailed;
    switch (max[0]) {
    case 0: return get(Section::HTiming0, 0, max, min);
    case 1: return get(Section::HTiming1, 0, max, min);
    default: return kLimitFailed;
    }
}

} // namespace limtab
