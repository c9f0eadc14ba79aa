#pragma once
// What the application state asks of the signal-generator layer: take the
// configured kind, port and card number, open the generator, load the default
// timing, and close it. The generator layer implements this; until one is
// attached the application state runs without a generator and says so in
// generatorAttached().
namespace appstate {

class GeneratorLayer {
public:
    virtual ~GeneratorLayer() = default;
    virtual void select(int kind, int port, int isaNumber) = 0;  // SgSelect
    virtual int open() = 0;                                       // SgOpen
    virtual void resetDefault() = 0;                              // SgResetDefault
    virtual void close() = 0;                                     // SgClose
};

} // namespace appstate
