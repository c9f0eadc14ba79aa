#include "gui/screen_dialogs.h"

#include <map>

#include "gui/configuration_dialog.h"
#include "gui/generator_control_dialog.h"
#include "gui/model_selection_dialog.h"
#include "gui/service_screen_dialogs.h"
#include "gui/procedure_select_dialog.h"

namespace gui {

namespace {
std::map<std::string, DialogFactory>& factories() {
    static std::map<std::string, DialogFactory> f;
    return f;
}

template <typename Dialog, typename Screen>
void add(const char* kind) {
    registerScreenDialog(kind, [](core::Screen& s, QWidget* parent) -> QDialog* {
        return new Dialog(static_cast<Screen&>(s), parent);
    });
}
} // namespace

void registerScreenDialog(const std::string& kind, DialogFactory factory) { factories()[kind] = std::move(factory); }

QDialog* makeScreenDialog(core::Screen& screen, QWidget* parent) {
    auto it = factories().find(screen.kind());
    return it == factories().end() ? nullptr : it->second(screen, parent);
}

bool hasScreenDialog(const std::string& kind) { return factories().count(kind) != 0; }

void registerScreenDialogs() {
    add<ModelSelectionDialog, modeldb::ModelSelection>(modeldb::ModelSelection::kKind);
    add<ConfigurationDialog, app::ConfigurationScreen>(app::ConfigurationScreen::kKind);
    add<GeneratorControlDialog, app::GeneratorControlScreen>(app::GeneratorControlScreen::kKind);
    add<AppliancePanelDialog, app::AppliancePanel>(app::AppliancePanel::kKind);
    add<FactoryPresetDialog, screens::FactoryPreset>(screens::FactoryPreset::kKind);
    add<MaintenanceDialog, screens::MaintenanceScreen>(screens::MaintenanceScreen::kKind);
    add<FailureDialog, screens::FailureScreen>(screens::FailureScreen::kKind);
    add<ProcedureSelectDialog, procedure::ProcedureSelect>(procedure::ProcedureSelect::kKind);
}

std::vector<std::string> kindsWithoutDialog(const std::vector<std::string>& kinds) {
    std::vector<std::string> missing;
    for (const std::string& k : kinds)
        if (!hasScreenDialog(k)) missing.push_back(k);
    return missing;
}

} // namespace gui
