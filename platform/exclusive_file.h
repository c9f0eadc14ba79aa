#pragma once
// A file opened for writing that no other writer may open at the same time
// (an exclusive lock held until it is closed; a second open fails rather than
// mixing two writers' lines).
#include <cstdio>
#include <string>

namespace platform {

// Creates or truncates `path` and returns it open for writing, locked. Null
// with *error when it cannot be opened or another writer holds it.
std::FILE* openExclusiveForWriting(const std::string& path, std::string* error = nullptr);

} // namespace platform
