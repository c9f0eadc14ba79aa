#pragma once
// The generator layer: the configured kind, port and card number, the one
// current timing record and pattern selection, and the operations the rest of
// pelaro calls to open, close and set the generator. Every timing passes
// SgCheckTiming before a driver sends it.
//
//   SignalGenerator sg(ui, clock);
//   sg.setLog([&](const std::string& line) { statusBar(line); });
//   sg.SgSelect(kind, port, isaNumber);
//   sg.SgOpen();
//   sg.SgResetDefault();           // default timing, pattern 0, all guns, applied
//   sg.selectPattern(kPatternWhite); // pattern-only apply; false when already in force
//   sg.SgClose();
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "siggen/sg_driver.h"
#include "siggen/sg_kind.h"
#include "siggen/sg_timing.h"

namespace core { class Ui; }
namespace platform { class Clock; }

namespace siggen {

// Receives one line for the GUI's status-bar log (generator notices that are
// not worth a message box).
using SgLog = std::function<void(const std::string&)>;

class SignalGenerator {
public:
    SignalGenerator(core::Ui& ui, platform::Clock& clock);
    ~SignalGenerator();
    SignalGenerator(const SignalGenerator&) = delete;
    SignalGenerator& operator=(const SignalGenerator&) = delete;

    void setLog(SgLog log) { log_ = std::move(log); }
    // Installs the driver of `kind` (0..10), replacing any before it.
    void installDriver(int kind, std::unique_ptr<SgDriver> driver);

    // Three setters; nothing reaches the hardware.
    void SgSelect(int kind, int port, int isaNumber);
    // Opens and sets up the configured kind. Always 1; failures are messages.
    int SgOpen();
    // Closes the configured kind, then waits as the kind table says. Always 1.
    int SgClose();
    // Checks and sends the current timing and selection as far as the kind
    // table says, then waits the kind's settle time.
    void SgApply();
    // Default timing, pattern 0, all guns, no inversion, both flags clear; applied.
    void SgResetDefault();
    // 1 when the timing may be sent (possibly after halving the dot clock or
    // moving to an even total in place), 0 when not; a dot clock or frequency
    // that is not a finite number is refused as it stands.
    int SgCheckTiming();

    // Shows a model timing: copies it in, clears both flags, applies.
    void applyTiming(const SgTiming& timing);
    // Pattern, colour or inversion changes: false (nothing sent) when the
    // value is already in force; otherwise sets it and applies pattern-only.
    bool selectPattern(int32_t pattern);
    bool selectColour(int32_t colour);
    bool selectInvert(int32_t invert);

    int16_t kind() const { return static_cast<int16_t>(kind_); }
    int port() const { return port_; }
    int isaNumber() const { return isaNumber_; }
    SgTiming& timing() { return timing_; }
    const SgTiming& timing() const { return timing_; }
    SgPatternSelection& selection() { return selection_; }
    const SgPatternSelection& selection() const { return selection_; }

    bool patternOnly() const { return patternOnly_; }
    void setPatternOnly(bool on) { patternOnly_ = on; }
    int patternChanged() const { return patternChanged_; }
    void setPatternChanged(int value) { patternChanged_ = value; }
    int16_t showConversion() const { return showConversion_; }
    void setShowConversion(int16_t on) { showConversion_ = on; }

    // Special-white level and box area in percent, kept within 0..100.
    int16_t specialWhiteLevel() const { return specialWhiteLevel_; }
    int16_t specialWhiteBox() const { return specialWhiteBox_; }
    void setSpecialWhite(int level, int box);

    core::Ui& ui() { return ui_; }
    // The drivers' waits go through the generator's clock.
    platform::Clock& clock() { return clock_; }
    void log(const std::string& line) const;

private:
    SgDriver* driver(int kind) const;
    const char* kindName() const;
    // Refuses a timing whose dot clock or frequencies are not finite numbers.
    bool timingIsFinite();
    void wait(const SgWait& wait);

    core::Ui& ui_;
    platform::Clock& clock_;
    SgLog log_;
    std::array<std::unique_ptr<SgDriver>, kSgKindCount> drivers_;

    int kind_ = 0;
    int port_ = 0;
    int isaNumber_ = 0;
    SgTiming timing_;
    SgPatternSelection selection_;
    bool patternOnly_ = false;
    int patternChanged_ = 0;
    int16_t showConversion_ = 0;
    int16_t specialWhiteLevel_ = 0;
    int16_t specialWhiteBox_ = 0;
};

} // namespace siggen
