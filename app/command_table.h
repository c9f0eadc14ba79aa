#pragma once
// The main window's commands: menu, text, function key, and what runs them.
// The GUI renders this table; a command without a handler is disabled, and a
// handler may add its own enabling rule.
#include <functional>
#include <string>
#include <vector>

namespace app {

enum class CommandId {
    ModelSelection,
    Configuration,
    Exit,
    FactoryPreset,
    GeneratorControl,
    Maintenance,
    TouchUp,
    Procedure,
    DCnv,
    Failure,
    LoadData,
    SaveData,
    Mpu,
    UmtInit,
    Expert,
    Version,
    TimingDownload,  // no menu entry: the expert screen and pelaro-cli open it
};

struct Command {
    CommandId id;
    std::string menu;     // "&Set up", "&Adjustment", "&File", "&Help"
    std::string text;     // the menu text, key text included
    std::string key;      // "F2", or empty
    bool separatorBefore; // a separator precedes it in its menu
};

// The commands in menu order (the timing download has no menu entry).
const std::vector<Command>& commandTable();
// The menus in order.
const std::vector<std::string>& menuTitles();

class CommandDispatcher {
public:
    using Action = std::function<void()>;
    using Rule = std::function<bool()>;

    // Installs the action of a command; `rule` (default: always) enables it.
    void setHandler(CommandId id, Action action, Rule rule = {});
    bool enabled(CommandId id) const;
    // Runs the command when enabled; false otherwise.
    bool run(CommandId id) const;

private:
    struct Entry {
        CommandId id;
        Action action;
        Rule rule;
    };
    const Entry* find(CommandId id) const;
    std::vector<Entry> entries_;
};

} // namespace app
