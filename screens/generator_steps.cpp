#include "screens/generator_steps.h"

#include "modeldb/model_file.h"
#include "siggen/manual_parameters.h"
#include "siggen/signal_generator.h"

namespace screens {

namespace {
constexpr int kPrimeMode = 201;
} // namespace

bool sendPresetTiming(appstate::ScreenContext& c, int number) {
    siggen::SignalGenerator& sg = c.generator;
    sg.selection() = siggen::SgPatternSelection{siggen::kPatternCrosshatch, siggen::kColourAll, 0};
    siggen::SgTiming timing = sg.timing();
    if (!modeldb::selectTiming(c.model.image, number, timing)) return false;
    sg.applyTiming(timing);
    if (sg.kind() == siggen::kSgKindManual) siggen::ShowManualParameters(c.ui, sg);
    return true;
}

void presentPrimeTimingByHand(appstate::ScreenContext& c) {
    siggen::SignalGenerator& sg = c.generator;
    if (sg.kind() != siggen::kSgKindManual) return;
    siggen::SgTiming timing = sg.timing();
    if (modeldb::selectTiming(c.model.image, kPrimeMode, timing)) {
        timing.mode = kPrimeMode;
        sg.applyTiming(timing);
    }
    siggen::ShowManualParameters(c.ui, sg);
}

} // namespace screens
