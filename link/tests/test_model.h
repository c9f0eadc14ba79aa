#pragma once
// A small monitor model for the link tests: block and single-register
// formats for both ECS types, the group kinds the link treats differently,
// and the named registers of the service sequences.
#include <cstdint>

#include "sim/monitor/link_file.h"

namespace testmodel {

// Formats.
constexpr int kBlockRead = 1, kBlockWrite = 2, kSingleRead = 3, kSingleWrite = 4;
// Devices (the groups' device bytes).
constexpr uint8_t kMainDevice = 0x01, kSlowDevice = 0x02, kWideDevice = 0x03, kFieldDevice = 0x05;
constexpr uint8_t kPlainWideDevice = 0x06;
// Register codes: block << 8 | index.
constexpr uint16_t kNone = 0x0000, kBright = 0x0001, kContrast = 0x0002, kTimer = 0x0003;
constexpr uint16_t kSlow = 0x0100;
constexpr uint16_t kWide = 0x0200, kWide2 = 0x0201;
constexpr uint16_t kModeH = 0x0300;
constexpr uint16_t kField = 0x0400, kKey = 0x0401, kPower = 0x0402, kPowerOffReg = 0x0403;
constexpr uint16_t kUmt = 0x0500, kGuard = 0x0501, kPlainPower = 0x0502;
constexpr uint16_t kHue = 0x0600, kSat = 0x0601;
constexpr uint16_t kPlainWide = 0x0700;
// Addresses.
constexpr uint8_t kMainBase = 0x00, kHueBase = 0x10, kSlowBase = 0x20, kWideBase = 0x40;
constexpr uint8_t kFieldAddress = 0x30, kKeyAddress = 0x31, kPowerAddress = 0x32, kPowerOffAddress = 0x33;
constexpr uint8_t kUmtAddress = 0x34, kGuardAddress = 0x35, kPlainPowerAddress = 0x36, kPlainWideAddress = 0x50;

sim::LinkTables tables(int ecsType);

} // namespace testmodel
