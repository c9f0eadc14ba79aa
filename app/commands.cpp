#include "app/commands.h"

#include "app/configuration_screen.h"
#include "app/generator_control_screen.h"
#include "app/procedure_commands.h"
#include "core/ui.h"
#include "modeldb/model_selection.h"
#include "screens/factory_preset.h"
#include "screens/failure_screen.h"
#include "screens/maintenance_screen.h"
#include "procedure/procedure_lists.h"
#include "procedure/procedure_runner.h"
#include "procedure/procedure_select.h"

namespace app {

Commands::Commands(appstate::AppState& state, siggen::SignalGenerator& generator, core::Ui& ui,
                   platform::Clock& clock)
    : state_(state), generator_(generator), ui_(ui), clock_(clock) {
    dispatcher_.setHandler(CommandId::ModelSelection, [this] { openModelSelection(); });
    dispatcher_.setHandler(CommandId::Configuration, [this] { openConfiguration(); });
    dispatcher_.setHandler(CommandId::GeneratorControl, [this] {
        appstate::ScreenContext c = context();
        runGeneratorControl(c);
    });
    // The service screens, enabled by the chassis record's flags. F5 and the
    // menu open the factory preset screen directly.
    dispatcher_.setHandler(
        CommandId::FactoryPreset,
        [this] {
            appstate::ScreenContext c = context();
            screens::runFactoryPreset(c);
        },
        [this] { return state_.document().chassis().factoryPresetAvailable != 0; });
    dispatcher_.setHandler(
        CommandId::Maintenance,
        [this] {
            appstate::ScreenContext c = context();
            screens::runMaintenance(c);
        },
        [this] { return state_.document().chassis().maintenanceAvailable != 0; });
    dispatcher_.setHandler(
        CommandId::Failure,
        [this] {
            appstate::ScreenContext c = context();
            screens::runFailure(c);
        },
        [this] { return state_.document().chassis().failureAvailable != 0; });
    dispatcher_.setHandler(CommandId::Procedure, [this] { openProcedureSelect(procedure::kAdjustmentList); });
    dispatcher_.setHandler(CommandId::TouchUp, [this] { openProcedureSelect(procedure::kTouchUpList); });
    dispatcher_.setHandler(
        CommandId::DCnv, [this] { openProcedureSelect(procedure::kDcnvList); },
        [this] { return procedure::hasDcnvProcedure(state_.document().data(), state_.home()); });
}

void Commands::setExitAction(std::function<void()> exit) { dispatcher_.setHandler(CommandId::Exit, std::move(exit)); }

MainView Commands::mainView() const {
    MainView v;
    v.modelName = state_.modelName();
    if (state_.flags().debug) v.fileLine = "File Name    :" + state_.modelFileName();
    return v;
}

appstate::ScreenContext Commands::context() {
    return appstate::ScreenContext{state_.document().data(), state_.link(), generator_, ui_, clock_,
                                   state_.flags(), state_.modelName(), state_.home()};
}

const std::vector<std::string>& Commands::screenKinds() {
    static const std::vector<std::string> kinds = {
        modeldb::ModelSelection::kKind,
        ConfigurationScreen::kKind,
        GeneratorControlScreen::kKind,
        AppliancePanel::kKind,
        screens::FactoryPreset::kKind,
        screens::MaintenanceScreen::kKind,
        screens::FailureScreen::kKind,
        procedure::ProcedureSelect::kKind,
    };
    return kinds;
}

void Commands::openModelSelection() {
    modeldb::ModelSelection screen(state_.home(), ui_, state_);
    screen.open();
    ui_.runModal(screen);
}

void Commands::openProcedureSelect(int listKind) {
    procedure::NoStepRunner noRunner;
    appstate::ScreenContext c = context();
    runProcedureSelect(c, listKind, procedureRunner_ ? *procedureRunner_ : noRunner);
}

void Commands::openConfiguration() {
    ConfigurationScreen screen(state_, ui_);
    screen.open();
    ui_.runModal(screen);
}

} // namespace app
