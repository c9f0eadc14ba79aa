// The settings store's registry file: read from disk as the store reads it,
// then every group of settings loaded from it into its record, as REG_Init
// does; texts must come out terminated within their fields.
#include <cstring>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/scratch.h"
#include "setstore/registry_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::placeFile("setstore/registry.ini", fuzz::Bytes(data, data + size));
    const setstore::RegistryFile file(fuzz::scratchFolder() + "/setstore/registry.ini");
    platform::IniStore tree;
    bool unreadable = false;
    file.read(tree, &unreadable);
    if (unreadable) __builtin_trap();  // the file is there and readable
    for (setstore::GroupId id : setstore::initOrder()) {
        const setstore::GroupSpec& group = setstore::groupSpec(id);
        std::vector<uint8_t> record(group.size, 0);
        setstore::loadGroupValues(tree, group, record.data());
        for (const setstore::ValueSpec& v : group.values) {
            if (v.kind != setstore::ValueKind::Text || !v.stored()) continue;
            if (std::memchr(record.data() + v.offset, 0, v.width) == nullptr) __builtin_trap();
        }
        setstore::saveGroupValues(tree, group, record.data());
    }
    return 0;
}
