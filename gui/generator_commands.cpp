#include "gui/generator_commands.h"

#include "app/generator_control_screen.h"
#include "gui/generator_control_dialog.h"
#include "gui/main_window.h"
#include "siggen/signal_generator.h"

namespace gui {

GeneratorCommands::GeneratorCommands(MainWindow& window, app::CommandDispatcher& commands, appstate::AppState& state,
                                     siggen::SignalGenerator& generator, core::Ui& ui)
    : generator_(generator), ui_(ui), model_(state) {
    registerGeneratorDialogs();
    generator_.setLog([&window](const std::string& line) { window.statusLog(QString::fromStdString(line)); });
    commands.setHandler(app::CommandId::GeneratorControl, [this] { openGeneratorControl(); });
    window.updateCommands();
}

void GeneratorCommands::openGeneratorControl() { app::runGeneratorControl(model_, generator_, ui_); }

} // namespace gui
