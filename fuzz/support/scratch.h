#pragma once
// A folder for the files a run writes, one per process, removed at exit.
// Under $TMPDIR (scripts/fuzz points it at /dev/shm where it can). When it
// cannot be made or written, the process says so and exits with status 2.
#include <optional>
#include <string>

#include "fuzz/support/fuzz_input.h"

namespace fuzz {

const std::string& scratchFolder();
// Writes `bytes` to `relative` below the scratch folder, or removes the file
// when there are none (an absent part). Creates folders on the way.
void placeFile(const std::string& relative, const std::optional<Bytes>& bytes);

} // namespace fuzz
