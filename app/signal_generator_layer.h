#pragma once
// The generator layer as the application state drives it at start-up, on a
// confirmed configuration and at exit.
#include "app/state/generator_layer.h"
#include "siggen/signal_generator.h"

namespace app {

class SignalGeneratorLayer final : public appstate::GeneratorLayer {
public:
    explicit SignalGeneratorLayer(siggen::SignalGenerator& sg) : sg_(sg) {}
    void select(int kind, int port, int isaNumber) override { sg_.SgSelect(kind, port, isaNumber); }
    int open() override { return sg_.SgOpen(); }
    void resetDefault() override { sg_.SgResetDefault(); }
    void close() override { sg_.SgClose(); }

private:
    siggen::SignalGenerator& sg_;
};

} // namespace app
