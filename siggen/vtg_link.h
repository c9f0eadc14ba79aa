#pragma once
// The timing-card library's operations as the timing-card driver uses them.
#include <cstdint>
#include <memory>
#include <string>

namespace siggen {

class VtgLink {
public:
    virtual ~VtgLink() = default;
    // The card's 8-bit handle (-1: no card), from the value kept since the last call.
    virtual int32_t openCard(int32_t card) = 0;
    // The value to keep for the next open.
    virtual int32_t closeCard(int32_t handle) = 0;
    // Loads a file into the card: 1 = failed.
    virtual int16_t loadTiming(int32_t handle, const std::string& path) = 0;
    virtual int16_t loadPicture(int32_t handle, const std::string& path) = 0;
    virtual int16_t loadColour(int32_t handle, const std::string& path) = 0;
};

// The calls of the timing-card library.
std::unique_ptr<VtgLink> makeVtg32Link();

} // namespace siggen
