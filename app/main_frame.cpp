#include "app/main_frame.h"

#include "app/station_notices.h"
#include "core/ui.h"
#include "screens/factory_preset.h"
#include "siggen/signal_generator.h"

namespace app {

const char* const kResolutionMessage =
    "Resolution is under 800*600.or System Font is not Normal.\n"
    "This condition can't use this program.Please change condition!";

ViewLayout viewLayout(int screenWidth, int dpiX, int dpiY) {
    ViewLayout l;
    l.width = 800 * dpiX / 96;
    l.height = 575 * dpiY / 96;
    l.centre = l.width < screenWidth;
    l.resolutionWarning = screenWidth <= 800 && dpiX > 96;
    return l;
}

void MainFrame::create() { notices_ = readNoticeFile(commands_.state().home(), commands_.ui()); }

std::string MainFrame::version() const { return releaseVersion(commands_.releaseFile()); }

std::string MainFrame::title() const { return windowTitle(version()); }

bool MainFrame::runMenuCommand(CommandId id) {
    if (id != CommandId::FactoryPreset) return commands_.run(id);
    if (!commands_.enabled(id)) return false;
    menuFactoryPreset();
    return true;
}

void MainFrame::menuFactoryPreset() {
    if (const modeldb::Notice* n = factoryPresetNotice(notices_, commands_.state().modelName())) {
        commands_.ui().message(n->text);
        return;
    }
    appstate::ScreenContext c = commands_.context();
    if (commands_.generator().kind() == siggen::kSgKindAppliance)
        screens::runFactoryPreset(c, screens::FactoryPreset::Variant::Appliance);
    else
        screens::runFactoryPreset(c);
}

bool MainFrame::keyFactoryPreset() {
    // F5 opens the factory preset screen itself: no notice check, no
    // appliance branch.
    if (!commands_.enabled(CommandId::FactoryPreset)) return false;
    appstate::ScreenContext c = commands_.context();
    screens::runFactoryPreset(c);
    return true;
}

bool MainFrame::runKey(core::Key key) {
    switch (key) {
    case core::Key::F2: return commands_.run(CommandId::ModelSelection);
    case core::Key::F3: return commands_.run(CommandId::Configuration);
    case core::Key::F5: return keyFactoryPreset();
    case core::Key::F6: return commands_.run(CommandId::GeneratorControl);
    default: return false;
    }
}

} // namespace app
