#include "fuzz/support/scratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "kit/model_kit.h"
#include "kit/temp_folder.h"

namespace fuzz {

namespace {

// A folder that cannot be written is no finding of the target: say so and
// leave at once. An abort here would be reported as a crash on whatever
// input came first (the empty one, on a fresh start) and leave a reproducer
// that reproduces nothing.
[[noreturn]] void cannotWrite(const std::string& what) {
    const char* tmp = std::getenv("TMPDIR");
    std::fprintf(stderr, "fuzz: cannot write %s (TMPDIR=%s); point TMPDIR at a writable folder\n", what.c_str(),
                 tmp ? tmp : "");
    std::fflush(stderr);
    std::_Exit(2);  // no exit handlers: the fuzzer writes no reproducer
}

} // namespace

const std::string& scratchFolder() {
    static kit::TempFolder folder("pelaro-fuzz");
    if (folder.path().empty()) cannotWrite("a scratch folder");
    return folder.path();
}

void placeFile(const std::string& relative, const std::optional<Bytes>& bytes) {
    const std::string path = scratchFolder() + "/" + relative;
    if (bytes) {
        if (!kit::writeFile(path, *bytes)) {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(), ec);
            cannotWrite(path);
        }
    } else {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
}

} // namespace fuzz
