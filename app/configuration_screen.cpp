#include "app/configuration_screen.h"

#include <cstring>

#include "core/ui.h"
#include "platform/port_map.h"
#include "siggen/sg_kind.h"

namespace app {
namespace {

std::vector<std::string> fill(const char* const* table, size_t limit)
{
    std::vector<std::string> items;
    for (size_t i = 0; i < limit && std::strcmp(table[i], "END") != 0; ++i) items.emplace_back(table[i]);
    return items;
}

} // namespace

const char* const ConfigurationScreen::kPortNames[] = {"NON", "COM1", "COM2", "COM3", "COM4", "COM5", "END"};
const char* const ConfigurationScreen::kIsaNames[] = {"NON", "ISA1", "Default", "ISA3", "ISA4", "END"};

ConfigurationScreen::ConfigurationScreen(appstate::AppState& state, core::Ui& ui) : state_(state), ui_(ui)
{
    items_[MonitorPort] = fill(kPortNames, 10);
    items_[Generator] = siggen::sgKindNames(15);
    items_[GeneratorPort] = fill(kPortNames, 10);
    items_[IsaNumber] = fill(kIsaNames, 10);
}

void ConfigurationScreen::open()
{
    appstate::Profile& p = state_.profile();
    atOpening_[MonitorPort] = p.getInt("ECS_PORT", 0);
    atOpening_[Generator] = p.getInt("SG_NAME", 0);
    atOpening_[GeneratorPort] = p.getInt("SG_PORT", 0);
    atOpening_[IsaNumber] = p.getInt("SG_ISANO", 0);
    for (int l = 0; l < 4; ++l) choice_[l] = shown_[l] = atOpening_[l];
    enableLists(choice_[Generator], true);
    changed();
}

std::string ConfigurationScreen::portDevice(int index) const
{
    if (index < 1 || index >= static_cast<int>(items_[MonitorPort].size())) return {};
    return platform::resolvePortName(items_[MonitorPort][index]);
}

void ConfigurationScreen::enableLists(int kind, bool opening)
{
    const siggen::SgLists lists = siggen::sgConfigurationLists(kind, opening);
    enabled_[GeneratorPort] = lists.port;
    enabled_[IsaNumber] = lists.isa;
}

void ConfigurationScreen::choose(List list, int index)
{
    if (index < 0 || index >= static_cast<int>(items_[list].size())) return;
    switch (list) {
    case MonitorPort:
        if (index != 0 && index == choice_[GeneratorPort]) {
            // Refused: the previous choice stays, and the list shows it again.
            shown_[list] = choice_[list];
            changed();
            ui_.message("Ecs Port is same as SG Port -> Change Port No.");
            return;
        }
        break;
    case GeneratorPort:
        if (index != 0 && index == choice_[MonitorPort]) {
            shown_[list] = choice_[list];
            changed();
            ui_.message("SG Port is same as Ecs Port -> Change Port No.");
            return;
        }
        break;
    case Generator:
        enableLists(index, false);
        break;
    case IsaNumber:
        break;
    }
    choice_[list] = shown_[list] = index;
    changed();
}

void ConfigurationScreen::ok()
{
    appstate::PortConfiguration c;
    c.ecsPort = choice_[MonitorPort];
    c.sgName = choice_[Generator];
    c.sgPort = choice_[GeneratorPort];
    c.sgIsaNumber = choice_[IsaNumber];
    state_.applyConfiguration(c);
    close(Ok);
}

void ConfigurationScreen::cancel() { close(Cancel); }

} // namespace app
