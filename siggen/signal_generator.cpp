#include "siggen/signal_generator.h"

#include <algorithm>
#include <cmath>

#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"

namespace siggen {

namespace {

constexpr const char* kHFrequencyRefused = "SG can't set this Timing. >> [HFre]";
constexpr const char* kVFrequencyRefused = "SG can't set this Timing. >> [VFre]";

// A value converted to a 16-bit count as the generator layer stores it:
// truncated toward zero, then kept to its low 16 bits. Values no 32-bit
// integer holds (or not a number) count as 0.
int16_t toInt16(double x) {
    if (!std::isfinite(x) || x >= 2147483648.0 || x <= -2147483649.0) return 0;
    return static_cast<int16_t>(static_cast<int32_t>(x));
}

} // namespace

SignalGenerator::SignalGenerator(core::Ui& ui, platform::Clock& clock) : ui_(ui), clock_(clock) {
    drivers_[kSgKindManual] = std::make_unique<NoGeneratorDriver>();
    drivers_[kSgKindAppliance] = std::make_unique<NoGeneratorDriver>();
}

SignalGenerator::~SignalGenerator() = default;

void SignalGenerator::installDriver(int kind, std::unique_ptr<SgDriver> driver) {
    if (kind < 0 || kind >= kSgKindCount) return;
    drivers_[static_cast<size_t>(kind)] = std::move(driver);
}

SgDriver* SignalGenerator::driver(int kind) const {
    if (kind < 0 || kind >= kSgKindCount) return nullptr;
    return drivers_[static_cast<size_t>(kind)].get();
}

void SignalGenerator::log(const std::string& line) const {
    if (log_) log_(line);
}

const char* SignalGenerator::kindName() const {
    const SgKind* k = sgKind(kind_);
    return k ? k->name : "?";
}

void SignalGenerator::SgSelect(int kind, int port, int isaNumber) {
    kind_ = kind;
    port_ = port;
    isaNumber_ = isaNumber;
}

int SignalGenerator::SgOpen() {
    if (!sgKind(kind_)) return 1;  // indices above the table open nothing
    if (SgDriver* d = driver(kind_)) {
        d->open(*this);
    } else {
        log(core::strf("SG %s: no driver for this generator kind in this build; not opened", kindName()));
    }
    return 1;
}

int SignalGenerator::SgClose() {
    SgDriver* d = driver(kind_);
    if (!d) return 1;
    d->close(*this);
    wait(sgKind(kind_)->afterClose);
    return 1;
}

void SignalGenerator::SgApply() {
    const SgKind* k = sgKind(kind_);
    if (!k) {
        // No limits and no driver exist for such an index: nothing is sent.
        log(core::strf("SG kind %d is unknown; timing and pattern not sent", kind_));
        return;
    }
    if (k->apply == SgApplyScope::Nothing) return;
    if (SgCheckTiming() == 0) return;
    if (k->apply == SgApplyScope::CheckOnly) return;

    SgDriver* d = driver(kind_);
    if (!d) {
        log(core::strf("SG %s: no driver for this generator kind in this build; timing and pattern not sent",
                       kindName()));
        return;
    }
    d->apply(*this);
    wait(k->afterApply);
}

void SignalGenerator::wait(const SgWait& w) {
    if (w.ms > 0) clock_.sleepMs(w.ms, w.what);
}

void SignalGenerator::SgResetDefault() {
    patternOnly_ = false;
    patternChanged_ = 0;
    selection_ = SgPatternSelection{kPatternCrosshatch, kColourAll, 0};
    timing_ = defaultSgTiming();
    SgApply();
}

int SignalGenerator::SgCheckTiming() {
    const SgCapability* cap = sgCapability(kind_);
    if (!cap) return 0;
    if (!timingIsFinite()) return 0;
    SgTiming& t = timing_;

    if (std::trunc(static_cast<double>(t.dotClock) + 1.0) > cap->maxDotClockMHz) {
        if (showConversion_) ui_.message("SG can't set this Timing .\nConvert :somedata devided by 2 !");
        t.dotClock = t.dotClock / 2.0f;
        if (std::trunc(static_cast<double>(t.dotClock) + 1.0) > cap->maxDotClockMHz) {
            if (showConversion_) ui_.message("SG can't set this Timing .\nConvert :somedata devided by 2(4) !");
            t.dotClock = t.dotClock / 2.0f;
        }
    }
    if (std::trunc(t.hFrequency / 1000.0f) > cap->maxHFrequencyKHz) {
        ui_.message(kHFrequencyRefused);
        return 0;
    }
    if (std::trunc(t.vFrequency) > cap->maxVFrequencyHz) {
        ui_.message(kVFrequencyRefused);
        return 0;
    }

    // Horizontal total in dots.
    const int16_t n = toInt16(static_cast<double>(t.dotClock / (t.hFrequency / 1000.0f) * 1000.0f) + 0.5);
    if (n <= 0 || n % 2 == 0) return 1;

    // Odd total: move to the next lower even total at the same H frequency.
    const float p = t.hTotal / static_cast<float>(n);
    auto dots = [p](float period) { return toInt16(static_cast<double>(period / p) + 0.5); };
    const int16_t nTotal = static_cast<int16_t>(dots(t.hTotal) - 1);
    const int16_t nBlank = dots(t.hBlanking);
    const int16_t nFront = dots(t.hFront);
    const int16_t nSync = dots(t.hSync);
    const int16_t nBack = dots(t.hBack);
    const int16_t nActive = static_cast<int16_t>(dots(t.hActive) - 1);

    const float total = static_cast<float>(nTotal);
    t.dotClock = static_cast<float>(total * t.hFrequency / 1000000.0f + 0.0005);
    const float q = 1.0f / t.hFrequency / total * 1000000.0f;
    t.hTotal = total * q;
    t.hBlanking = static_cast<float>(nBlank) * q;
    t.hFront = static_cast<float>(nFront) * q;
    t.hSync = static_cast<float>(nSync) * q;
    t.hBack = static_cast<float>(nBack) * q;
    t.hActive = static_cast<float>(nActive) * q;
    return 1;
}

bool SignalGenerator::timingIsFinite() {
    // A corrupt model file can carry any bit pattern. Without a dot clock the
    // horizontal timing is as undefined as without a line rate.
    const SgTiming& t = timing_;
    if (!std::isfinite(t.dotClock) || !std::isfinite(t.hFrequency)) {
        ui_.message(kHFrequencyRefused);
        return false;
    }
    if (!std::isfinite(t.vFrequency)) {
        ui_.message(kVFrequencyRefused);
        return false;
    }
    return true;
}

void SignalGenerator::applyTiming(const SgTiming& timing) {
    timing_ = timing;
    patternOnly_ = false;
    patternChanged_ = 0;
    SgApply();
}

bool SignalGenerator::selectPattern(int32_t pattern) {
    if (selection_.pattern == pattern) return false;
    selection_.pattern = pattern;
    patternOnly_ = true;
    patternChanged_ = 1;
    SgApply();
    return true;
}

bool SignalGenerator::selectColour(int32_t colour) {
    if (selection_.colour == colour) return false;
    selection_.colour = colour;
    patternOnly_ = true;
    patternChanged_ = 0;
    SgApply();
    return true;
}

bool SignalGenerator::selectInvert(int32_t invert) {
    if (selection_.invert == invert) return false;
    selection_.invert = invert;
    patternOnly_ = true;
    patternChanged_ = 1;
    SgApply();
    return true;
}

void SignalGenerator::setSpecialWhite(int level, int box) {
    specialWhiteLevel_ = static_cast<int16_t>(std::clamp(level, 0, 100));
    specialWhiteBox_ = static_cast<int16_t>(std::clamp(box, 0, 100));
}

} // namespace siggen
