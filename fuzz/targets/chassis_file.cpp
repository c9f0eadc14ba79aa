// A chassis file decoded into the chassis record, and every accessor of the
// record asked.
#include <vector>

#include "modeldb/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    modeldb::ChassisRecord c;
    modeldb::decodeChassisFile(bytes, c);
    if (c.failureTable.size() > modeldb::chassis::kFailureEntries ||
        c.linkedRegisters.size() > modeldb::chassis::kLinkedPairs || c.standardFile.size() > 16 ||
        c.procedureFolder.size() > 16)
        __builtin_trap();
    int sum = 0;
    for (size_t offset = 0; offset < 3000; ++offset) sum += c.specialRegister(offset);
    for (size_t i = 0; i < 12; ++i) sum += c.factoryPresetRegister(i);
    [[maybe_unused]] static volatile int sink;
    sink = sum;  // keeps the accessors from being optimised away
    return 0;
}
