// A standard file decoded into the standard block, and every register code of
// its data groups computed.
#include <vector>

#include "modeldb/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    modeldb::StandardBlock s;
    modeldb::decodeStandardFile(bytes, s);
    if (s.groupCount < 0 || static_cast<size_t>(s.groupCount) > modeldb::kMaxDataGroups ||
        s.linkDescriptionFile.size() > 16)
        __builtin_trap();
    int sum = 0;
    for (size_t g = 0; g < static_cast<size_t>(s.groupCount); ++g) {
        const modeldb::DataGroup& d = s.groups[g];
        if (d.name.size() > 20) __builtin_trap();
        sum += d.special();
        for (size_t item = 0; item < 300; ++item) sum += d.registerCode(item);
    }
    [[maybe_unused]] static volatile int sink;
    sink = sum;  // keeps the accessors from being optimised away
    return 0;
}
