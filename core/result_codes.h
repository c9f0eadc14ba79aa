#pragma once
// Results of monitor-link operations.
#include <cstdint>

namespace core {

constexpr uint32_t ECS_OK = 1;
constexpr uint32_t ECS_ERR_LINK = 0x20000001;    // callers show "Check RS232C line"
constexpr uint32_t ECS_ERR_FORMAT = 0x20000002;  // callers show " ECS syntax Error "
constexpr uint32_t ECS_ERR_MONITOR = 0x20001000; // plus the monitor's error byte (ECS type 2)

} // namespace core
