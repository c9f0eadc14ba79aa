#pragma once
// Result codes of the kit and the result word every genlink export returns.
#include <cstdint>

namespace genlink {

constexpr int kOk = 0;
constexpr int kReadSettingFailed = -20;
constexpr int kWriteSettingFailed = -21;
constexpr int kBadArgument = -41;
constexpr int kNoBuffer = -42;
constexpr int kReplyTooLong = -43;
constexpr int kOpenFailed = -44;
constexpr int kCloseFailed = -45;
constexpr int kNoGreeting = -46;
constexpr int kCommFailed = -47;
constexpr int kRefused = -48;
constexpr int kCancelled = -49;
constexpr int kMutexFailed = -60;

// Low byte the code, next byte the generator's error number after a refusal
// and 0xFF otherwise, upper half zero.
constexpr int32_t resultWord(int code, int generatorError) {
    uint32_t detail = code == kRefused ? static_cast<uint32_t>(generatorError) & 0xFFu : 0xFFu;
    return static_cast<int32_t>((detail << 8) | (static_cast<uint32_t>(code) & 0xFFu));
}

} // namespace genlink
