#include "app/command_table.h"

namespace app {

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = {
        {CommandId::ModelSelection, "&Set up", "&Model Sel          F2", "F2", false},
        {CommandId::Configuration, "&Set up", "&Config              F3", "F3", false},
        {CommandId::Exit, "&Set up", "&Exit", "", true},
        {CommandId::FactoryPreset, "&Adjustment", "F&act_preset          F5", "F5", false},
        {CommandId::GeneratorControl, "&Adjustment", "Cont_S&G              F6", "F6", false},
        {CommandId::Maintenance, "&Adjustment", "&Maintenance", "", false},
        {CommandId::TouchUp, "&Adjustment", "&Touch up", "", true},
        {CommandId::Procedure, "&Adjustment", "&Procedure", "", false},
        {CommandId::DCnv, "&Adjustment", "&DCnv", "", false},
        {CommandId::Failure, "&Adjustment", "&Failure", "", true},
        {CommandId::LoadData, "&File", "&Load Data to Set", "", false},
        {CommandId::SaveData, "&File", "&Save Data to File", "", false},
        {CommandId::Mpu, "&File", "&MPU", "", false},
        {CommandId::UmtInit, "&File", "&UMT Init", "", true},
        {CommandId::Expert, "&Help", "&Expert", "", false},
        {CommandId::Version, "&Help", "&Version", "", true},
    };
    return table;
}

const std::vector<std::string>& menuTitles() {
    static const std::vector<std::string> titles = {"&Set up", "&Adjustment", "&File", "&Help"};
    return titles;
}

void CommandDispatcher::setHandler(CommandId id, Action action, Rule rule) {
    for (Entry& e : entries_) {
        if (e.id == id) {
            e.action = std::move(action);
            e.rule = std::move(rule);
            return;
        }
    }
    entries_.push_back({id, std::move(action), std::move(rule)});
}

const CommandDispatcher::Entry* CommandDispatcher::find(CommandId id) const {
    for (const Entry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

bool CommandDispatcher::enabled(CommandId id) const {
    const Entry* e = find(id);
    return e && e->action && (!e->rule || e->rule());
}

bool CommandDispatcher::run(CommandId id) const {
    if (!enabled(id)) return false;
    find(id)->action();
    return true;
}

} // namespace app
