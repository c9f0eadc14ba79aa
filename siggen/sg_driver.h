#pragma once
// One driver per generator family. SgOpen, SgApply and SgClose of the
// generator layer dispatch to the driver installed for the configured kind;
// each driver keeps its own state and words its own failures through the
// generator's Ui.
namespace siggen {

class SignalGenerator;

class SgDriver {
public:
    virtual ~SgDriver() = default;

    // The kind's set-up when the generator is opened.
    virtual void open(SignalGenerator& sg) = 0;

    // Sends the generator's current timing and pattern selection (the timing
    // has passed SgCheckTiming).
    virtual void apply(SignalGenerator& sg) = 0;

    // The kind's close; the generator layer adds the kind's wait after it.
    virtual void close(SignalGenerator& sg) = 0;
};

// Kind 8: the technician sets the generator by hand; the callers show the
// parameter dialog. Kind 9: no generator; the monitor's own patterns are
// switched through its registers by the screens. Neither opens, sends or
// closes anything, and the kind table keeps SgApply from sending to them.
class NoGeneratorDriver final : public SgDriver {
public:
    void open(SignalGenerator&) override {}
    void apply(SignalGenerator&) override {}
    void close(SignalGenerator&) override {}
};

} // namespace siggen
