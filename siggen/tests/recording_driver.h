#pragma once
// A driver for tests: counts opens, applies and closes, remembers what each
// apply saw and returns a scripted status.
#include <vector>

#include "siggen/signal_generator.h"

namespace siggen {

struct DriverLog {
    int opens = 0;
    int closes = 0;
    std::vector<SgTiming> timings;
    std::vector<SgPatternSelection> selections;
    std::vector<bool> patternOnly;
    int status = 0;
    size_t applies() const { return timings.size(); }
};

class RecordingDriver : public SgDriver {
public:
    explicit RecordingDriver(DriverLog& log) : log_(log) {}
    void open(SignalGenerator&) override { ++log_.opens; }
    int apply(SignalGenerator& sg) override {
        log_.timings.push_back(sg.timing());
        log_.selections.push_back(sg.selection());
        log_.patternOnly.push_back(sg.patternOnly());
        return log_.status;
    }
    void close(SignalGenerator&) override { ++log_.closes; }

private:
    DriverLog& log_;
};

} // namespace siggen
