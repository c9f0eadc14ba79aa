#pragma once
// The one link of the loaded library, over the shared settings store.
#include <new>

#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

Link& processLink();

// Runs an export's body: no exception leaves the library (-42 when memory ran
// out, -47 otherwise) and the result becomes the result word.
template <typename Body> int32_t guardedExport(Body body) {
    int code;
    try {
        code = body(processLink());
    } catch (const std::bad_alloc&) {
        code = kNoBuffer;
    } catch (...) {
        code = kCommFailed;
    }
    try {
        return processLink().word(code);
    } catch (...) {
        return resultWord(kNoBuffer, 0);
    }
}

} // namespace genlink
