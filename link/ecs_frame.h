#pragma once
// Frames of the monitor's service port, built and checked as pure functions over
// byte buffers. A format record's templates say which bytes a command carries
// and which an answer must hold; the ECS type picks the wire variant:
//   type 1: nibble-coded data fields, frame ended by 0xFF;
//   type 2: bytes as they are, second byte the frame length, additive checksum.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/result_codes.h"

namespace ecs {

using core::ECS_ERR_FORMAT;
using core::ECS_ERR_LINK;
using core::ECS_ERR_MONITOR;
using core::ECS_OK;

constexpr size_t kLinkBufferSize = 256;
using LinkBuffer = std::array<uint8_t, kLinkBufferSize>;

constexpr size_t kTemplateItems = 16;
using Template = std::array<int32_t, kTemplateItems>;

// Template items other than literals 0..255.
constexpr int32_t kItemParamB = 0x1000;
constexpr int32_t kItemParamC = 0x4000;
constexpr int32_t kItemData = 0x2000;   // plus the unit count n
constexpr int32_t kEndType1 = 255;
constexpr int32_t kEndType2 = 0x8000;
constexpr uint8_t kErrorFrameHead = 0x60;  // type 2 error answer

// Every ECS type other than 1 is handled as type 2.
inline int32_t terminatorOf(int ecsType) { return ecsType == 1 ? kEndType1 : kEndType2; }

// One command format of the model (152 bytes in the link description file).
struct FormatRecord {
    static constexpr size_t kSize = 152;
    std::array<uint8_t, 20> head{};  // not interpreted by the link
    Template command{};
    Template response{};
    int32_t blockFlag = 0;           // 1: one data field carries a whole block
};

struct Frame {
    LinkBuffer bytes{};
    size_t size = 0;
};

// Builds the command frame of `tmpl` with parameter bytes b and c and data from
// `source`. ECS_ERR_FORMAT when the template has no terminator among its 16
// items or the frame would exceed 256 bytes.
uint32_t buildCommandFrame(int ecsType, const Template& tmpl, uint8_t b, uint8_t c,
                           const LinkBuffer& source, Frame& out);

// How many bytes of a built frame go on the wire: type 1 up to and including
// the first 0xFF, type 2 the frame's length byte. 0 when a type-2 length byte
// is below 2 or beyond the built frame (such a frame is never sent).
size_t wireLength(int ecsType, const Frame& frame);

// Whether the `size` bytes received so far form a complete answer: type 1 at
// the first 0xFF, type 2 once the count given by the second byte (at least 2)
// has arrived; always at 256 bytes.
bool answerComplete(int ecsType, const uint8_t* answer, size_t size);

// Checks a received answer against `tmpl` and stores its data fields into
// `dest`. Returns ECS_OK, ECS_ERR_FORMAT, or for type 2 error frames
// ECS_ERR_MONITOR + code. *literalMismatch (when given) tells a type-2 literal
// that did not match, the case the link reports to the technician.
uint32_t checkAnswer(int ecsType, const Template& tmpl, const uint8_t* answer, size_t size,
                     LinkBuffer& dest, bool* literalMismatch = nullptr);

} // namespace ecs
