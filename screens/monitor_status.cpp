#include "screens/monitor_status.h"

#include "core/text_format.h"

namespace screens {

namespace {

bool beginsWithHash(const std::string& name) { return !name.empty() && name[0] == '#'; }

std::optional<int32_t> readStatus(appstate::ScreenContext& c, int16_t code, LinkFailure& failure) {
    if (code == 0) return std::nullopt;
    int32_t value = 0;
    if (!failure.ok(c.registers.readRegister(static_cast<uint16_t>(code), value, ecs::kAskMonitor)))
        return std::nullopt;
    return value;
}

} // namespace

std::string syncKindText(int32_t polarityValue, bool fourBitKind) {
    const int32_t kind = (polarityValue >> 2) & (fourBitKind ? 0x0F : 0x03);
    if (fourBitKind) {
        switch (kind) {
        case 0: return "Sync_G";
        case 2: return "Comp";
        case 10: return "Ext";
        default: return "";
        }
    }
    switch (kind) {
    case 0: return "Ext";
    case 2: return "Comp";
    case 3: return "Sync_G";
    default: return "";
    }
}

std::string frequencyText(FrequencyLine line, int32_t value, std::optional<int32_t> polarityValue, bool hashName) {
    const bool horizontal = line == FrequencyLine::Horizontal;
    const double shown = horizontal ? value / 10.0 : value / 100.0;
    if (!polarityValue) return horizontal ? core::strf("%3.2f[KHz]", shown) : core::strf("%3.2f[Hz]", shown);
    const bool bit = (*polarityValue >> (horizontal ? 0 : 1)) & 1;
    const bool plus = hashName ? bit : !bit;
    if (horizontal) return plus ? core::strf("+%3.2f[KHz]", shown) : core::strf("-%3.2f[KHz]", shown);
    return plus ? core::strf("+%3.2f[Hz]", shown) : core::strf("-%3.2f[Hz]", shown);
}

MonitorStatus readMonitorStatus(appstate::ScreenContext& c, LinkFailure& failure) {
    const modeldb::ChassisRecord& chassis = c.model.chassis;
    MonitorStatus s;
    const auto polarity = readStatus(c, chassis.syncPolarityRegister(), failure);
    const auto h = readStatus(c, chassis.hFrequencyRegister(), failure);
    const auto v = readStatus(c, chassis.vFrequencyRegister(), failure);
    const auto mode = readStatus(c, chassis.modeNumberRegister(), failure);
    auto nameOf = [&](int16_t code) { return c.registers.registerName(static_cast<uint16_t>(code)); };
    if (polarity) s.sync = syncKindText(*polarity, beginsWithHash(nameOf(chassis.syncPolarityRegister())));
    if (h)
        s.hFrequency = frequencyText(FrequencyLine::Horizontal, *h, polarity,
                                     beginsWithHash(nameOf(chassis.hFrequencyRegister())));
    if (v)
        s.vFrequency = frequencyText(FrequencyLine::Vertical, *v, polarity,
                                     beginsWithHash(nameOf(chassis.vFrequencyRegister())));
    if (mode) {
        s.modeNumber = *mode + 1;
        s.mode = core::strf("%-5d", *s.modeNumber);
    }
    return s;
}

} // namespace screens
