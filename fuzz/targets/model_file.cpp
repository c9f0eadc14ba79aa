// A model file (".mdl") decoded into the model image, then every timing
// number selected from it.
#include <vector>

#include "modeldb/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    modeldb::ModelImage image;
    modeldb::decodeModelFile(bytes, image);
    if (image.presetCount < 0 || static_cast<size_t>(image.presetCount) > modeldb::kMaxPresets ||
        image.adjustCount < 0 || static_cast<size_t>(image.adjustCount) > modeldb::kMaxAdjustTimings ||
        image.avPresetCount < 0 || static_cast<size_t>(image.avPresetCount) > modeldb::kMaxAvPresets)
        __builtin_trap();
    modeldb::SgTiming timing;
    for (int number : {0, 1, 2, 30, 31, 99, 100, 101, 120, 121, 199, 200, 201, 202, -1})
        modeldb::selectTiming(image, number, timing);
    for (size_t screen = 0; screen < 100; ++screen) image.specialHandling(screen);
    return 0;
}
