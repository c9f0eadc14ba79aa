#include "procedure/step_status.h"

#include "core/result_codes.h"
#include "core/text_format.h"

namespace procedure {

namespace {

std::optional<int32_t> readStatus(appstate::ScreenContext& c, int16_t code, bool& hash) {
    if (code == 0) return std::nullopt;
    const std::string name = c.registers.registerName(static_cast<uint16_t>(code));
    hash = !name.empty() && name[0] == '#';
    int32_t value = 0;
    if (c.registers.readRegister(static_cast<uint16_t>(code), value, ecs::kAskMonitor) != core::ECS_OK)
        return std::nullopt;
    return value;
}

// A set polarity bit shows "+" when the frequency register's name begins with "#", "-" otherwise.
bool plusSign(int32_t polarity, int bit, bool hashName) {
    const bool set = ((polarity >> bit) & 1) != 0;
    return hashName ? set : !set;
}

std::string syncLine(int32_t polarity, bool fourBitKind) {
    const int32_t kind = (polarity >> 2) & (fourBitKind ? 0x0F : 0x03);
    if (fourBitKind) {
        switch (kind) {
        case 0: return "Sync :Sync_G";
        case 2: return "Sync :Comp";
        case 10: return "Sync :Ext";
        default: return "";
        }
    }
    switch (kind) {
    case 0: return "Sync :Ext";
    case 2: return "Sync :Comp";
    case 3: return "Sync :Sync_G";
    default: return "";
    }
}

} // namespace

StepStatusValues readStepStatus(appstate::ScreenContext& c) {
    const modeldb::ChassisRecord& chassis = c.model.chassis;
    StepStatusValues v;
    bool unused = false;
    v.polarity = readStatus(c, chassis.syncPolarityRegister(), v.polarityHash);
    v.hFrequency = readStatus(c, chassis.hFrequencyRegister(), v.hFrequencyHash);
    v.vFrequency = readStatus(c, chassis.vFrequencyRegister(), v.vFrequencyHash);
    v.mode = readStatus(c, chassis.modeNumberRegister(), unused);
    return v;
}

std::string stepStatusText(const StepStatusValues& v) {
    const int32_t polarity = v.polarity.value_or(0);
    const std::string mode = v.mode ? core::strf("Mode :%-3d", *v.mode + 1) : "Mode :";
    std::string h = "HFre :";
    if (v.hFrequency) {
        const double khz = *v.hFrequency / 10.0;
        h = plusSign(polarity, 0, v.hFrequencyHash) ? core::strf("HFre :+%3.2f[KHz]", khz)
                                                     : core::strf("HFre :-%3.2f[KHz]", khz);
    }
    std::string vline = "VFre :";
    if (v.vFrequency) {
        const double hz = *v.vFrequency / 100.0;
        vline = plusSign(polarity, 1, v.vFrequencyHash) ? core::strf("VFre :+%3.2f[Hz]", hz)
                                                         : core::strf("VFre :-%3.2f[Hz]", hz);
    }
    const std::string sync = v.polarity ? syncLine(*v.polarity, v.polarityHash) : "";
    return mode + "\r\n" + h + "\r\n" + vline + "\r\n" + sync;
}

} // namespace procedure
