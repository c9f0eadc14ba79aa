#pragma once
// Connects the generator layer to the main window: the "Cont_S&G" command
// (menu and F6) and the generator's notices in the status bar.
#include "app/command_table.h"
#include "app/document_generator_model.h"

namespace appstate { class AppState; }
namespace core { class Ui; }
namespace siggen { class SignalGenerator; }

namespace gui {

class MainWindow;

class GeneratorCommands {
public:
    GeneratorCommands(MainWindow& window, app::CommandDispatcher& commands, appstate::AppState& state,
                      siggen::SignalGenerator& generator, core::Ui& ui);

    void openGeneratorControl();

private:
    siggen::SignalGenerator& generator_;
    core::Ui& ui_;
    app::DocumentGeneratorModel model_;
};

} // namespace gui
