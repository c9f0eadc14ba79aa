#pragma once
// One driver per generator family. SgOpen, SgApply and SgClose of the
// generator layer dispatch to the driver installed for the configured kind.
namespace siggen {

class SignalGenerator;

class SgDriver {
public:
    virtual ~SgDriver() = default;

    // The kind's set-up when the generator is opened; failures are reported
    // through the generator's Ui.
    virtual void open(SignalGenerator& sg) = 0;

    // Sends the generator's current timing and pattern selection (the timing
    // has passed SgCheckTiming). Returns the family's status, which SgApply
    // words: pattern generators 0 = sent, 1 = not sent (the driver has said
    // why); timing cards 1 = no timing file; command generators 1 = success,
    // anything else the generator's format error.
    virtual int apply(SignalGenerator& sg) = 0;

    // The kind's close; the generator layer adds the waits that follow it.
    virtual void close(SignalGenerator& sg) = 0;
};

// Kind 8: the technician sets the generator by hand. Nothing to open, send or
// close; the callers show the parameter dialog after an apply.
class ManualDriver final : public SgDriver {
public:
    void open(SignalGenerator&) override {}
    int apply(SignalGenerator&) override { return 0; }
    void close(SignalGenerator&) override {}
};

// Kind 9: no generator; the monitor's own patterns are switched through its
// registers by the screens.
class ApplianceDriver final : public SgDriver {
public:
    void open(SignalGenerator&) override {}
    int apply(SignalGenerator&) override { return 0; }
    void close(SignalGenerator&) override {}
};

} // namespace siggen
