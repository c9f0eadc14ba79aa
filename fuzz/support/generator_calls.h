#pragma once
// The getter exports of genlink, by index, for the fuzz target and its seeds.
#include <cstddef>
#include <cstdint>

namespace fuzz {

// Argument bytes: a program, slot or group number; a size (capacities and
// counts are derived from it); a selector.
struct GeneratorArgs {
    int32_t a = 0, b = 0, c = 0;
};

size_t generatorCallCount();
// Calls getter `index` (modulo the count) on the process's link.
void callGenerator(size_t index, const GeneratorArgs& args);

} // namespace fuzz
