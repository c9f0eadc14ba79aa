#include "genlink/memory_commands.h"

#include <algorithm>
#include <string>
#include <vector>

#include "genlink/fields.h"
#include "genlink/frames.h"
#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

namespace {

constexpr Put D = Put::Dec, H = Put::Hex, P = Put::Program, P3 = Put::Program3, F = Put::Flag;
using C = LimitCheck;
using M = LimitMax;
constexpr std::span<const Slot> none{};

constexpr Slot kProgram[] = {arg(0, P)};
constexpr Slot kProgram3[] = {arg(0, P3)};
constexpr Slot kProgramFlag[] = {arg(0, P), arg(1, F)};
constexpr Slot kProgramName8[] = {arg(0, P), name(Put::Name, 8)};
constexpr Slot kName8[] = {name(Put::Name, 8)};
constexpr Slot kOneDigit[] = {rec(0, D, 1)};
constexpr Slot kGroupDigit[] = {arg(0, D, 1)};
constexpr Slot kGroupList[] = {arg(0, D, 1), rec(0, P, 0, kGroupPrograms)};
constexpr Slot kGroupListRead[] = {rec(0, P, 0, kGroupPrograms)};
constexpr Slot kHighList[] = {arg(0, P, 0, kHighPrograms)};
constexpr Slot kHighNumber[] = {arg(0, D, 1)};
constexpr Slot kAutoDisp[] = {rec(0, D, 3), rec(1, P, 0, 6)};
constexpr Slot kModeQuery[] = {text("2")};
constexpr Slot kIdByte[] = {rec(0, Put::Byte)};
// A bitmap slot's status: five fields, then three characters not read.
constexpr Slot kVbmStatus[] = {rec(0, D, 5), rec(1, D, 5), rec(2, D, 2), rec(3, D, 1), rec(4, D, 1), skip(3)};
constexpr Slot kOptionStatus[] = {rec(0, D, 1), rec(1, D, 2)};
constexpr Slot kCdcNumber[] = {arg(0, D, 1)};
constexpr Slot kCdcRecord[] = {rec(0, D, 5, kCdcWords)};
constexpr Slot kCdcNumberName[] = {arg(0, D, 1), limitedName(M::CDCNameLen)};
constexpr Slot kCdcName[] = {limitedName(M::CDCNameLen)};
constexpr Slot kConfig[] = {rec(0, D, 1), rec(1, D, 1), rec(2, D, 2), rec(3, D, 1, 5)};
constexpr Slot kDevice[] = {arg(0, D, 1)};
constexpr Slot kTwoDigits[] = {rec(0, D, 1), rec(1, D, 1)};
constexpr Slot kProgramFlagsName[] = {arg(0, P3), arg(1, F), arg(2, F), limitedName(M::ProgNameLen)};
constexpr Slot kFlagsName[] = {rec(0, F), rec(1, F), limitedName(M::ProgNameLen)};
constexpr Slot kSlot[] = {arg(0, D, 2)};
constexpr Slot kSlotAll[] = {text("**")};
constexpr Slot kGroupName[] = {arg(0, D, 2), limitedName(M::GroupNameLen)};
constexpr Slot kGroupNameRead[] = {limitedName(M::GroupNameLen)};
constexpr Slot kVbmName[] = {arg(0, D, 2), limitedName(M::VBMNameLen)};
constexpr Slot kVbmNameRead[] = {limitedName(M::VBMNameLen)};
constexpr Slot kNumber[] = {rec(0, Put::Number)};
constexpr Slot kPattern[] = {arg(0, H, 2)};
constexpr Slot kPatternName[] = {arg(0, H, 2), limitedName(M::OptPtnNameLen)};
constexpr Slot kPatternNameRead[] = {limitedName(M::OptPtnNameLen)};
// The fourth form reads names of at most 16 characters back, so no longer one is sent.
constexpr Slot kProgramName16[] = {arg(0, P3), limitedName(M::ProgNameLen, 16)};
constexpr Slot kName16[] = {limitedName(M::ProgNameLen, 16)};

constexpr Guard kWriter[] = {program(Rule::ProgWriter, 0)};
constexpr Guard kReader[] = {program(Rule::ProgReader, 0)};
constexpr Guard kStored[] = {program(Rule::ProgStored, 0)};
constexpr Guard kFourReaders[] = {program(Rule::ProgReader, 0), program(Rule::ProgReader, 1),
                                  program(Rule::ProgReader, 2), program(Rule::ProgReader, 3)};
constexpr Guard kGroup[] = {limit(C::GroupNo, 0)};
constexpr Guard kHigh[] = {limit(C::HighProgNo, 0)};
constexpr Guard kCdc[] = {limit(C::CDCNo, 0)};
constexpr Guard kVbm[] = {limit(C::VbmNo, 0)};
constexpr Guard kOptPtn[] = {limit(C::OptPtnNo, 0)};

constexpr Flow Cmd = Flow::Cmd, Down = Flow::Down, Up = Flow::Up, UpPlain = Flow::UpPlain, Reply = Flow::Reply;

} // namespace

namespace memory {
// name, code, exchange, payload, data, checks, ',' separators, records, reply capacity
const Row progEnable{"PG_ProgEnable", 0x30, Cmd, kProgramFlag, none, kStored};
const Row getProgEnable{"PG_GetProgEnable", 0x56, UpPlain, kProgram, kOneDigit, kReader};
const Row setProgName{"PG_SetProgName", 0x3E, Cmd, kProgramName8, none, kWriter};
const Row getProgName{"PG_GetProgName", 0x50, UpPlain, kProgram, kName8, kReader};
const Row setGroup{"PG_SetGroup", 0x52, Cmd, kGroupList, none, kGroup};
const Row getGroup{"PG_GetGroup", 0x53, UpPlain, kGroupDigit, kGroupListRead, kGroup};
const Row setHighProg{"PG_SetHighProg", 0x2B, Cmd, kHighList, none, kFourReaders};
const Row exeHighProg{"PG_ExeHighProg", 0x2C, Cmd, kHighNumber, none, kHigh};
const Row setAutoDisp{"PG_SetAutoDisp", 0x46, Down, none, kAutoDisp};
const Row getAnaDigiMode{"PG_GetAnaDigiMode", 0x50, UpPlain, kModeQuery, kOneDigit};
const Row getPGID{"PG_GetPGID", 0x3F, Flow::DirectUpPlain, none, kIdByte};
const Row getVBMSts{"PG_GetVBMSts", 0x7D, Up, none, kVbmStatus, {}, false, kVbmSlots};
const Row getOptPtnSts{"PG_GetOptPtnSts", 0x7C, Up, none, kOptionStatus, {}, false, kOptionPatterns};
const Row setCDC{"PG_SetCDC", 0x92, Down, kCdcNumber, kCdcRecord, kCdc};
const Row getCDC{"PG_GetCDC", 0x91, Up, kCdcNumber, kCdcRecord, kCdc};
const Row setCDCName{"PG_SetCDCName", 0x93, Cmd, kCdcNumberName, none, kCdc};
const Row getCDCName{"PG_GetCDCName", 0x94, Reply, kCdcNumber, kCdcName, kCdc};

const Row pg3SetConfig{"PG3_SetConfig", 0x7F, Cmd, kConfig};
const Row pg3GetConfig{"PG3_GetConfig", 0x7E, Up, none, kConfig};
const Row pg3SetDevice{"PG3_SetDevice", 0xC0, Cmd, kDevice};
const Row pg3GetDevice{"PG3_GetDevice", 0xC1, Up, none, kTwoDigits};
const Row pg3MemCardFormat{"PG3_MemCardFormat", 0xBF, Cmd, none};
const Row pg3SetProgName{"PG3_SetProgName", 0xA8, Cmd, kProgramFlagsName, none, kWriter};
const Row pg3GetProgName{"PG3_GetProgName", 0xA9, Reply, kProgram3, kFlagsName, kReader, false, 1, 2};
const Row pg3SetGroupName{"PG3_SetGroupName", 0xAC, Cmd, kGroupName, none, kGroup};
const Row pg3GetGroupName{"PG3_GetGroupName", 0xAD, Reply, kSlot, kGroupNameRead, kGroup};
const Row pg3DelVBM{"PG3_DelVBM", 0xB0, Cmd, kSlot, none, kVbm};
const Row pg3DelAllVBM{"PG3_DelAllVBM", 0xB0, Cmd, kSlotAll};
const Row pg3SetVBMName{"PG3_SetVBMName", 0xB5, Cmd, kVbmName, none, kVbm};
const Row pg3GetVBMName{"PG3_GetVBMName", 0xB6, Reply, kSlot, kVbmNameRead, kVbm};
const Row pg3GetVBMSize{"PG3_GetVBMSize", 0xBA, Reply, kSlot, kNumber, kVbm, false, 1, 32};
const Row pg3DelOptPtn{"PG3_DelOptPtn", 0xB7, Cmd, kPattern, none, kOptPtn};
const Row pg3DelAllOptPtn{"PG3_DelAllOptPtn", 0xB7, Cmd, kSlotAll};
const Row pg3SetOptPtnName{"PG3_SetOptPtnName", 0xB8, Cmd, kPatternName, none, kOptPtn};
const Row pg3GetOptPtnName{"PG3_GetOptPtnName", 0xB9, Reply, kPattern, kPatternNameRead, kOptPtn};
const Row pg3GetOptPtnSize{"PG3_GetOptPtnSize", 0xBB, Reply, kPattern, kNumber, kOptPtn, false, 1, 32};
const Row pg4SetProgName{"PG4_SetProgName", 0x5E, Cmd, kProgramName16, none, kWriter};
const Row pg4GetProgName{"PG4_GetProgName", 0x5F, Flow::ReplyPlain, kProgram3, kName16, kReader};
} // namespace memory

namespace {

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

constexpr size_t kAutoDispLong = 21, kAutoDispShort = 15;
constexpr int kDdcMaxCount = 999;
constexpr int32_t kDdcMaxAddress = 0xFFFF;
constexpr size_t kPairDigits = 6;

// The group's program count, when the group and the count are acceptable.
bool groupProgramCount(Link& link, int32_t group, int32_t count, size_t& programs) {
    int32_t max = 0;
    if (link.limits().check(LimitCheck::GroupNo, link.memoryKind(), &group) != 0) return false;
    if (link.limits().maximum(LimitMax::GroupProgCnt, link.memoryKind(), max) != 0 || max < 0) return false;
    if (count != max && count != 2 * max) return false;
    programs = static_cast<size_t>(max);
    return true;
}

// The raw selector byte travels inside the command frame: it must not end or start one.
bool ddcArguments(int32_t selector, int32_t address, int32_t count, const void* buffer) {
    const uint8_t s = static_cast<uint8_t>(selector & 0xFF);
    return buffer && count > 0 && count <= kDdcMaxCount && address >= 0 && address <= kDdcMaxAddress && s != STX &&
           s != ETX;
}

std::string ddcPayload(int32_t selector, int32_t address, int32_t count) {
    return std::string(1, static_cast<char>(selector & 0xFF)) + hexField(static_cast<uint32_t>(address), 4) +
           decimalField(count, 3);
}

int hexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

int getAutoDisp(Link& link, int32_t* record) {
    if (!record) return kBadArgument;
    uint8_t text[kAutoDispLong] = {};
    size_t received = 0;
    const int r = link.exchange(
        [&](CommandProtocol& p) { return p.reply(0x40, nullptr, 0, text, sizeof text, &received, true); });
    if (r != kOk) return r;
    if (received < kAutoDispShort) return kCommFailed;
    const size_t width = received == kAutoDispLong ? 3 : 2;
    const char* t = reinterpret_cast<const char*>(text);
    int32_t parsed[kAutoDispWords];
    parsed[0] = static_cast<int32_t>(readDecimalField(t, 3));
    for (size_t i = 1; i < kAutoDispWords; ++i)
        parsed[i] = static_cast<int32_t>(readDecimalField(t + 3 + (i - 1) * width, width));
    std::copy(parsed, parsed + kAutoDispWords, record);
    return kOk;
}

int setAnaDigiMode(Link& link, int32_t mode) {
    static constexpr Slot kMode[] = {arg(0, D, 1)};
    static const Row row{"PG_SetAnaDigiMode", 0x50, Cmd, kMode};
    if (mode == 2) return kBadArgument;
    return runRow(link, row, {.args = &mode});
}

int setGroupPairs(Link& link, uint8_t code, int32_t group, const int32_t* pairs, int32_t count) {
    size_t programs = 0;
    if (!pairs || !groupProgramCount(link, group, count, programs) || group > 99) return kBadArgument;
    std::string payload = decimalField(group, 2);
    for (size_t i = 0; i < 2 * programs; ++i) {
        if (pairs[i] < 0 || pairs[i] > 999) return kBadArgument;
        payload += decimalField(pairs[i], 3);
    }
    return link.exchange([&](CommandProtocol& p) { return p.cmd(code, bytes(payload), payload.size()); });
}

int getGroupPairs(Link& link, uint8_t code, int32_t group, int32_t* pairs, int32_t count) {
    size_t programs = 0;
    if (!pairs || !groupProgramCount(link, group, count, programs) || group > 99) return kBadArgument;
    const std::string payload = decimalField(group, 2);
    std::vector<uint8_t> text(programs * kPairDigits + 1, 0);
    size_t received = 0;
    const int r = link.exchange([&](CommandProtocol& p) {
        return p.reply(code, bytes(payload), payload.size(), text.data(), programs * kPairDigits, &received, true);
    });
    if (r != kOk) return r;
    if (received % kPairDigits != 0) return kCommFailed;
    for (size_t i = 0; i < 2 * programs; ++i)
        pairs[i] = 3 * i < received ? static_cast<int32_t>(readDecimalField(
                                          reinterpret_cast<const char*>(text.data()) + 3 * i, 3))
                                    : 0;
    return kOk;
}

int getDdc(Link& link, uint8_t code, int32_t selector, int32_t address, int32_t count, uint8_t* buffer) {
    if (!ddcArguments(selector, address, count, buffer)) return kBadArgument;
    const std::string payload = ddcPayload(selector, address, count);
    const size_t digits = 2 * static_cast<size_t>(count);
    std::vector<uint8_t> text(digits, 0);
    const int r = link.exchange([&](CommandProtocol& p) {
        return p.up(code, bytes(payload), payload.size(), text.data(), digits, digits, BlockForm::Dle);
    });
    if (r != kOk) return r;
    std::vector<uint8_t> data(static_cast<size_t>(count));
    for (size_t i = 0; i < data.size(); ++i) {
        const int high = hexDigit(text[2 * i]), low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return kCommFailed;
        data[i] = static_cast<uint8_t>(high << 4 | low);
    }
    std::copy(data.begin(), data.end(), buffer);
    return kOk;
}

int setDdc(Link& link, int32_t selector, int32_t address, int32_t count, const uint8_t* data) {
    if (!ddcArguments(selector, address, count, data)) return kBadArgument;
    const std::string payload = ddcPayload(selector, address, count);
    std::string digits;
    digits.reserve(2 * static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) digits += hexField(data[i], 2);
    return link.exchange([&](CommandProtocol& p) {
        return p.down(0xCA, bytes(payload), payload.size(), bytes(digits), digits.size(), digits.size(),
                      BlockForm::Dle);
    });
}

} // namespace genlink
