#pragma once
// Everything a screen works with, handed to it in one piece: the loaded
// model's data, the register port of the monitor link, the signal
// generator, the Ui, the clock and the application flags. The command table
// builds one for each screen it opens; tests fill one with model data,
// MemoryRegisters and a generator with a recording driver.
#include <string>

#include "link/register_access.h"
#include "modeldb/model_data.h"

namespace core { class Ui; }
namespace platform { class Clock; }
namespace siggen { class SignalGenerator; }

namespace appstate {

// Flags of the application state that screens read or set.
struct AppFlags {
    bool expert = false;            // enables the expert screen
    uint16_t debugState = 0;        // 3: the About box's debug controls are unlocked
    bool debug = false;             // "Debug ON"
    bool procedureRunning = false;  // a procedure's step runner is open
};

struct ScreenContext {
    modeldb::ModelData& model;
    ecs::RegisterAccess& registers;
    siggen::SignalGenerator& generator;
    core::Ui& ui;
    platform::Clock& clock;
    AppFlags& flags;
    std::string modelName;  // the current model as the database names it
    std::string home;       // the program home: data, message and procedure files
};

} // namespace appstate
