#pragma once
// A driver that sends nothing, for tests: counts opens, applies and closes, remembers what each
// apply saw and, when given one, words a failure of its own.
#include <string>
#include <vector>

#include "core/ui.h"

#include "siggen/signal_generator.h"

namespace siggen {

struct DriverLog {
    int opens = 0;
    int closes = 0;
    std::vector<SgTiming> timings;
    std::vector<SgPatternSelection> selections;
    std::vector<bool> patternOnly;
    std::string failure;  // shown by each apply when not empty
    size_t applies() const { return timings.size(); }
};

class RecordingDriver : public SgDriver {
public:
    explicit RecordingDriver(DriverLog& log) : log_(log) {}
    void open(SignalGenerator&) override { ++log_.opens; }
    void apply(SignalGenerator& sg) override {
        log_.timings.push_back(sg.timing());
        log_.selections.push_back(sg.selection());
        log_.patternOnly.push_back(sg.patternOnly());
        if (!log_.failure.empty()) sg.ui().message(log_.failure);
    }
    void close(SignalGenerator&) override { ++log_.closes; }

private:
    DriverLog& log_;
};

} // namespace siggen
