#include "link/ecs_frame.h"

namespace ecs {
namespace {

bool isLiteral(int32_t item) { return item >= 0 && item <= 255; }
bool isData(int32_t item) { return (item & kItemData) != 0; }
int64_t unitsOf(int32_t item) { return item & ~kItemData; }

// Appends to a frame of at most 256 bytes, keeping the type-2 sum.
struct FrameWriter {
    Frame& frame;
    uint16_t sum = 0;
    bool overflow = false;
    void put(uint8_t byte) {
        if (frame.size >= frame.bytes.size()) {
            overflow = true;
            return;
        }
        frame.bytes[frame.size++] = byte;
        sum = static_cast<uint16_t>(sum + byte);
    }
};

} // namespace

uint32_t buildCommandFrame(int ecsType, const Template& tmpl, uint8_t b, uint8_t c,
                           const LinkBuffer& source, Frame& out) {
    const bool type1 = ecsType == 1;
    const int32_t end = terminatorOf(ecsType);
    out.size = 0;
    FrameWriter w{out};
    size_t src = 0;  // shared by every data field of the frame
    bool terminated = false;
    for (int32_t item : tmpl) {
        if (item == end) {
            terminated = true;
            break;
        }
        if (isLiteral(item)) {
            w.put(static_cast<uint8_t>(item));
        } else if (item == kItemParamB) {
            w.put(b);
        } else if (item == kItemParamC) {
            w.put(c);
        } else if (isData(item)) {
            const int64_t n = unitsOf(item);
            for (int64_t l = 0; l < n && !w.overflow; l += type1 ? 2 : 1) {
                if (src >= source.size()) {
                    w.overflow = true;
                    break;
                }
                const uint8_t byte = source[src++];
                if (!type1 || l + 1 == n) {
                    w.put(byte);
                } else {
                    w.put(byte >> 4);
                    w.put(byte & 0x0F);
                }
            }
        }
        if (w.overflow) break;
    }
    if (!terminated || w.overflow) return ECS_ERR_FORMAT;
    if (type1) {
        w.put(0xFF);
    } else {
        w.put(static_cast<uint8_t>(w.sum & 0xFF));
    }
    return w.overflow ? ECS_ERR_FORMAT : ECS_OK;
}

size_t wireLength(int ecsType, const Frame& frame) {
    if (ecsType == 1) {
        for (size_t i = 0; i < frame.size; ++i)
            if (frame.bytes[i] == 0xFF) return i + 1;
        return frame.size;
    }
    if (frame.size < 2) return 0;
    const size_t n = frame.bytes[1];
    return n >= 2 && n <= frame.size ? n : 0;
}

bool answerComplete(int ecsType, const uint8_t* answer, size_t size) {
    if (size >= kLinkBufferSize) return true;
    if (size == 0) return false;
    if (ecsType == 1) return answer[size - 1] == 0xFF;
    if (size < 2) return false;
    return size >= answer[1];
}

uint32_t checkAnswer(int ecsType, const Template& tmpl, const uint8_t* answer, size_t size,
                     LinkBuffer& dest, bool* literalMismatch) {
    if (literalMismatch) *literalMismatch = false;
    const bool type1 = ecsType == 1;
    const int32_t end = terminatorOf(ecsType);
    if (!type1 && size >= 1 && answer[0] == kErrorFrameHead)
        return size >= 3 ? ECS_ERR_MONITOR + answer[2] : ECS_ERR_FORMAT;

    size_t k = 0;
    size_t i = 0;
    uint16_t sum = 0;
    bool terminated = false;
    for (int32_t item : tmpl) {
        if (item == end) {
            terminated = true;
            break;
        }
        if (isLiteral(item)) {
            if (k >= size || answer[k] != static_cast<uint8_t>(item)) {
                if (literalMismatch && !type1) *literalMismatch = true;
                return ECS_ERR_FORMAT;
            }
            sum = static_cast<uint16_t>(sum + answer[k]);
            ++k;
        } else if (item == kItemParamB || item == kItemParamC) {
            // consumes nothing in an answer
        } else if (isData(item)) {
            const int64_t n = unitsOf(item);
            for (int64_t l = 0; l < n; l += type1 ? 2 : 1) {
                if (i >= dest.size()) return ECS_ERR_FORMAT;
                if (!type1 || l + 1 == n) {
                    if (k >= size) return ECS_ERR_FORMAT;
                    dest[i++] = answer[k];
                    sum = static_cast<uint16_t>(sum + answer[k]);
                    ++k;
                } else {
                    if (k + 1 >= size) return ECS_ERR_FORMAT;
                    dest[i++] = static_cast<uint8_t>(((answer[k] & 0x0F) << 4) | (answer[k + 1] & 0x0F));
                    k += 2;
                }
            }
        }
    }
    if (!terminated) return ECS_ERR_FORMAT;
    if (k >= size) return ECS_ERR_FORMAT;
    if (type1) return answer[k] == 0xFF ? ECS_OK : ECS_ERR_FORMAT;
    return answer[k] == static_cast<uint8_t>(sum & 0xFF) ? ECS_OK : ECS_ERR_FORMAT;
}

} // namespace ecs
