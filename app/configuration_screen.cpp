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

bool ConfigurationScreen::handle(const core::InputEvent& e)
{
    using core::Key;
    if (e.is(Key::Enter) || e.isClick("OK")) {
        ok();
        return true;
    }
    if (e.is(Key::Escape) || e.isClick("Cancel")) {
        cancel();
        return true;
    }
    if (e.is(Key::Tab) || e.is(Key::Backtab)) {
        const int step = e.is(Key::Tab) ? 1 : 3;
        int next = focus_;
        do next = (next + step) % 4;
        while (next > Generator && !enabled_[next]);
        focus_ = static_cast<List>(next);
        changed();
        return true;
    }
    if (e.is(Key::Up) || e.is(Key::Down)) {
        const int index = shown_[focus_] + (e.is(Key::Up) ? -1 : 1);
        if (index < 0 || index >= static_cast<int>(items_[focus_].size())) return true;
        choose(focus_, index);
        return true;
    }
    if (e.kind == core::InputEvent::Kind::Row) {
        if (e.row < 1 || e.row > static_cast<int>(items_[focus_].size())) return false;
        choose(focus_, e.row - 1);
        return true;
    }
    return false;
}

core::ScreenView ConfigurationScreen::view() const
{
    static const char* const names[4] = {"Monitor port", "Signal generator", "Generator port", "Generator ISA number"};
    core::ScreenView v;
    v.title = "Config";
    for (int l = 0; l < 4; ++l) {
        const auto& list = items_[l];
        const int shown = shown_[l];
        std::string value = shown >= 0 && shown < static_cast<int>(list.size()) ? list[static_cast<size_t>(shown)] : "";
        if (l > Generator && !enabled_[l]) value += " (disabled)";
        v.field(names[l], value);
    }
    v.field("Focus", names[focus_]);
    v.buttons = {{"OK"}, {"Cancel"}};
    v.keys = {"Tab", "Backtab", "Up", "Down", "row=N", "Enter", "Escape"};
    return v;
}

} // namespace app
