#include "procedure/step_generator.h"

#include "core/result_codes.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "modeldb/model_file.h"
#include "procedure/prc_layout.h"
#include "platform/clock.h"
#include "siggen/manual_parameters.h"
#include "siggen/signal_generator.h"

namespace procedure {

const char* const kStepWait = "step wait";

namespace {

constexpr int kLastPattern = 16;
constexpr int kLastColour = 6;
constexpr int kBoxedWhiteLevel = 100;
constexpr int kBoxedWhiteBox = 50;

bool timingAllowed(const modeldb::ModelImage& image, int t) {
    return t == prc::kUnchanged || t == kPrimeTiming || (t >= 1 && t <= image.presetCount) ||
           (t >= 101 && t <= 100 + image.adjustCount);
}

bool colourAllowed(int c) {
    return c == prc::kUnchanged || (c >= 0 && c <= kLastColour) ||
           (c >= kInvertedColourBase && c <= kInvertedColourBase + kLastColour);
}

} // namespace

bool setStepSignal(appstate::ScreenContext& c, GeneratorMemory& memory, uint8_t timingNumber, uint8_t pattern,
                   uint8_t colour) {
    int t = timingNumber;
    if (t == kPrimeTiming) t = c.model.image.primeMode;
    if (!timingAllowed(c.model.image, t)) {
        c.ui.message(core::strf("SIGNAL No.[%3d] is not allowed ! \n Check the data. ", t));
        return false;
    }
    if (pattern > kLastPattern && pattern != prc::kUnchanged) {
        c.ui.message(core::strf("PATTERN No.[%3d] is not allowed ! \n Check the data. ", pattern));
        return false;
    }
    if (!colourAllowed(colour)) {
        c.ui.message(core::strf("RGB No.[%3d] is not allowed ! \n Check the data. ", colour));
        return false;
    }

    siggen::SignalGenerator& sg = c.generator;
    bool timingChanged = false;
    bool patternChanged = false;
    bool colourChanged = false;
    if (t != prc::kUnchanged && t != memory.lastTiming) {
        siggen::SgTiming timing = sg.timing();
        if (modeldb::selectTiming(c.model.image, t, timing)) {
            sg.timing() = timing;
            memory.lastTiming = t;
            timingChanged = true;
        }
    }
    if (pattern == kPatternBoxedWhite) {
        sg.setSpecialWhite(kBoxedWhiteLevel, kBoxedWhiteBox);
        sg.selection().pattern = siggen::kPatternSpecialWhite;
        memory.lastPattern = kPatternBoxedWhite;
        patternChanged = true;
    } else if (pattern != prc::kUnchanged && pattern != memory.lastPattern) {
        sg.selection().pattern = pattern;
        memory.lastPattern = pattern;
        patternChanged = true;
    }
    if (colour != prc::kUnchanged) {
        const int invert = colour >= kInvertedColourBase ? 1 : 0;
        const int gun = invert ? colour - kInvertedColourBase : colour;
        if (gun != memory.lastColour || invert != memory.lastInvert) {
            if (invert != memory.lastInvert) patternChanged = true;  // the generator redraws the pattern
            sg.selection().colour = gun;
            sg.selection().invert = invert;
            memory.lastColour = gun;
            memory.lastInvert = invert;
            colourChanged = true;
        }
    }
    if (!timingChanged && !patternChanged && !colourChanged) return true;
    sg.setPatternOnly(!timingChanged);
    sg.setPatternChanged(!timingChanged && patternChanged ? 1 : 0);
    sg.SgApply();
    if (sg.kind() == siggen::kSgKindManual) siggen::ShowManualParameters(c.ui, sg);
    return true;
}

void switchInternalPattern(appstate::ScreenContext& c, GeneratorMemory& memory, int colour) {
    for (int16_t reg : memory.patternRegisters)
        if (reg == -1) return;
    std::array<bool, 3> target{};
    if (colour == siggen::kColourAll) target = {true, true, true};
    else if (colour == siggen::kColourR) target = {true, false, false};
    else return;
    for (size_t i = 0; i < target.size(); ++i)
        if (memory.patternOn[i] != target[i])
            c.registers.writeRegister(static_cast<uint16_t>(memory.patternRegisters[i]), 1, ecs::kSendNow);
    memory.patternOn = target;
}

uint32_t waitCodeMs(int code) {
    if (code >= 1 && code <= 10) return 10u * static_cast<uint32_t>(code);
    if (code >= 11 && code <= 18) return 150u + 50u * static_cast<uint32_t>(code - 11);
    if (code >= 19 && code <= 23) return 600u + 100u * static_cast<uint32_t>(code - 19);
    if (code >= 24 && code <= 31) return 1500u + 500u * static_cast<uint32_t>(code - 24);
    if (code >= 32 && code <= 36) return 6000u + 1000u * static_cast<uint32_t>(code - 32);
    if (code >= 37 && code <= 40) return 15000u + 5000u * static_cast<uint32_t>(code - 37);
    return 0;
}

} // namespace procedure
