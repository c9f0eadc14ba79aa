#pragma once
// No exception leaves the library: every export runs its body through
// guardedExport, which turns any throw (memory running out, most likely) into
// the export's documented failure result.
#include <cstdint>

namespace limtab {

template <typename Result, typename Body> Result guardedExport(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// For the export that returns nothing.
template <typename Body> void guardedExport(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

} // namespace limtab
