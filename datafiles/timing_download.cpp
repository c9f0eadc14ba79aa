#include "datafiles/timing_download.h"

#include <algorithm>
#include <cmath>

#include "core/result_codes.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"

namespace datafiles {

namespace {

constexpr double kBias = 0.0005;

int32_t scaled(float value, double scale) {
    const double x = (static_cast<double>(value) + kBias) * scale;
    if (!std::isfinite(x)) return 0;
    return static_cast<int32_t>(std::trunc(std::clamp(x, -2147483648.0, 2147483647.0)));
}

unsigned hex16(int32_t v) { return static_cast<unsigned>(v) & 0xFFFFu; }

} // namespace

std::array<int32_t, 5> timingTableValues(const modeldb::ModelTiming& t) {
    return {t.syncKind, t.hPolarity, t.vPolarity, scaled(t.hFrequency, 10.0), scaled(t.vFrequency, 100.0)};
}

bool TimingDownload::chassisWrite(int16_t code, int32_t value, int flags) {
    if (code == 0) return true;
    return write(static_cast<uint16_t>(code), value, flags) != core::ECS_ERR_LINK || linkLost();
}

RunResult TimingDownload::run() {
    const modeldb::ChassisRecord& chassis = context_.model.chassis;
    const modeldb::ModelImage& image = context_.model.image;
    auto regName = [this](int16_t code) { return name(static_cast<uint16_t>(code)); };
    progress_.start();

    if (!chassisWrite(chassis.eUmtRegister(), 0, ecs::kSendNow)) return RunResult::Stopped;
    list(core::strf("E_umt?:%-15s", regName(chassis.eUmtRegister()).c_str()));

    const int count = std::clamp<int>(image.presetCount, 0, static_cast<int>(modeldb::kMaxPresets));
    for (int i = 0; i < count; ++i) {
        progress_.set(std::min(kTimingLimit, (i + 1) * kPerTiming));
        list(core::strf("Mode = %-5d", i));
        context_.registers.selectMode(i);
        const std::array<int32_t, 5> values = timingTableValues(image.presets[static_cast<size_t>(i)]);
        for (size_t r = 0; r < values.size(); ++r) {
            const int16_t code = chassis.timingRegisters[r];
            if (!chassisWrite(code, values[r], 0)) return RunResult::Stopped;
            list(core::strf("%-15s:%-5d :%4xH", regName(code).c_str(), values[r], hex16(values[r])));
        }
    }
    progress_.set(90);
    list("");

    if (!chassisWrite(chassis.nFactRegister(), count, ecs::kSendNow)) return RunResult::Stopped;
    list(core::strf("N_Fact?:%-15s:%-5d", regName(chassis.nFactRegister()).c_str(), count));
    if (context_.registers.ecsType() == 2) {
        if (!chassisWrite(chassis.restoreRegister(), 0, ecs::kSendNow)) return RunResult::Stopped;
        list(core::strf("Restore?:%-15s", regName(chassis.restoreRegister()).c_str()));
    }
    if (!chassisWrite(chassis.nUserRegister(), count, ecs::kSendNow)) return RunResult::Stopped;
    list(core::strf("N_User ?:%-15s:%-5d", regName(chassis.nUserRegister()).c_str(), count));
    if (!chassisWrite(chassis.sSaveRegister(), 0, ecs::kSendNow)) return RunResult::Stopped;
    list(core::strf("S_save ?:%-15s", regName(chassis.sSaveRegister()).c_str()));
    // Without any of those registers the last timing's block is still kept back.
    if (!sendPending()) return RunResult::Stopped;

    context_.clock.sleepMs(kTimingStoreMs, kWaitTimingStore);
    progress_.set(100);
    context_.ui.refresh();
    context_.clock.sleepMs(kTimingFinishMs, kWaitTimingFinish);
    return RunResult::Completed;
}

} // namespace datafiles
