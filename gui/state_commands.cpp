#include "gui/state_commands.h"

#include "app/configuration_screen.h"
#include "core/ui.h"
#include "gui/configuration_dialog.h"
#include "gui/main_window.h"
#include "gui/model_selection_dialog.h"
#include "modeldb/model_selection.h"

namespace gui {

StateCommands::StateCommands(MainWindow& window, app::CommandDispatcher& commands, appstate::AppState& state,
                             core::Ui& ui)
    : window_(window), state_(state), ui_(ui)
{
    ModelSelectionDialog::registerDialog();
    ConfigurationDialog::registerDialog();
    commands.setHandler(app::CommandId::ModelSelection, [this] { openModelSelection(); });
    commands.setHandler(app::CommandId::Configuration, [this] { openConfiguration(); });
    state_.document().addView([this] { showModel(); });
    window_.updateCommands();
}

void StateCommands::openModelSelection()
{
    modeldb::ModelSelection screen(state_.home(), ui_, state_);
    screen.open();
    ui_.runModal(screen);
}

void StateCommands::openConfiguration()
{
    app::ConfigurationScreen screen(state_, ui_);
    screen.open();
    ui_.runModal(screen);
}

void StateCommands::showModel()
{
    QString file;
    if (state_.debugFlag()) file = "File Name    :" + QString::fromStdString(state_.modelFileName());
    window_.showModel(QString::fromStdString(state_.modelName()), file);
    window_.updateCommands();
}

} // namespace gui
