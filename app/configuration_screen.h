#pragma once
// The configuration dialog: monitor port, generator kind, generator port and
// generator ISA number, each a drop-down list. OK stores the choice and
// rebuilds what depends on it; Cancel changes nothing.
#include <string>
#include <vector>

#include "app/state/app_state.h"
#include "core/screen.h"

namespace core { class Ui; }

namespace app {

class ConfigurationScreen : public core::Screen {
public:
    enum List { MonitorPort = 0, Generator = 1, GeneratorPort = 2, IsaNumber = 3 };
    enum Result { Ok = 1, Cancel = 2 };

    ConfigurationScreen(appstate::AppState& state, core::Ui& ui);
    static constexpr const char* kKind = "Configuration";
    std::string kind() const override { return kKind; }

    // Reads the four keys, selects their items and enables the lists.
    void open();

    const std::vector<std::string>& items(List list) const { return items_[list]; }
    // The item the list shows, and the value that OK would store.
    int shown(List list) const { return shown_[list]; }
    int choice(List list) const { return choice_[list]; }
    bool enabled(List list) const { return enabled_[list]; }
    // For a port item "COMn", the device it maps to on this machine; "" otherwise.
    std::string portDevice(int index) const;

    // The technician picks item `index` of a list.
    void choose(List list, int index);
    void ok();
    void cancel();

    // The list that has the focus: Tab and Backtab move it over the enabled
    // lists, Up and Down choose the previous or next item of the focused
    // list, a row event chooses its item N; Enter is OK, Escape is Cancel,
    // and "OK" and "Cancel" are the buttons.
    List focus() const { return focus_; }
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

    // The fixed name tables, each ending with "END"; the generator names are
    // the kind table's.
    static const char* const kPortNames[];
    static const char* const kIsaNames[];

private:
    void enableLists(int generatorKind, bool opening);

    appstate::AppState& state_;
    core::Ui& ui_;
    std::vector<std::string> items_[4];
    int shown_[4] = {0, 0, 0, 0};
    int choice_[4] = {0, 0, 0, 0};
    int atOpening_[4] = {0, 0, 0, 0};
    bool enabled_[4] = {true, true, false, false};
    List focus_ = MonitorPort;
};

} // namespace app
