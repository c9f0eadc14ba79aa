#include "app/document_generator_model.h"

#include <algorithm>

#include "app/state/app_state.h"
#include "core/result_codes.h"
#include "modeldb/model_file.h"

namespace app {

namespace {

ScreenRegisters fromList(const std::array<modeldb::ScreenRegisterList, 5>& lists, int screen) {
    ScreenRegisters r;
    if (screen < 0 || screen >= static_cast<int>(lists.size())) return r;
    const auto& l = lists[static_cast<size_t>(screen)];
    r.codes = l.codes;
    r.values = l.values;
    return r;
}

bool validPreset(int index) { return index >= 0 && index < static_cast<int>(modeldb::kMaxPresets); }

} // namespace

std::string DocumentGeneratorModel::modelName() const { return state_.modelName(); }

int DocumentGeneratorModel::presetCount() const {
    return std::clamp<int>(state_.document().modelImage().presetCount, 0, static_cast<int>(modeldb::kMaxPresets));
}

std::string DocumentGeneratorModel::presetName(int index) const {
    if (!validPreset(index)) return {};
    return state_.document().modelImage().presets[static_cast<size_t>(index)].name;
}

void DocumentGeneratorModel::setPresetName(int index, const std::string& name) {
    if (!validPreset(index)) return;
    state_.document().modelImage().presets[static_cast<size_t>(index)].name = name;
}

bool DocumentGeneratorModel::selectTiming(int number, siggen::SgTiming& out) {
    return modeldb::selectTiming(state_.document().modelImage(), number, out);
}

int16_t DocumentGeneratorModel::specialHandling(int screen) const {
    if (screen < 0) return 0;
    return state_.document().modelImage().specialHandling(static_cast<size_t>(screen));
}

ScreenRegisters DocumentGeneratorModel::entryRegisters(int screen) const {
    return fromList(state_.document().modelImage().special2, screen);
}

ScreenRegisters DocumentGeneratorModel::exitRegisters(int screen) const {
    return fromList(state_.document().modelImage().special3, screen);
}

uint32_t DocumentGeneratorModel::writeRegister(uint16_t code, int32_t value, int flags) {
    if (!state_.document().hasLink()) return core::ECS_ERR_LINK;
    return state_.link().writeRegister(code, value, flags);
}

std::string DocumentGeneratorModel::registerName(uint16_t code) const {
    if (!state_.document().hasLink()) return {};
    return state_.link().registerName(code);
}

std::array<int16_t, kPanelButtonCount> DocumentGeneratorModel::panelButtons() const {
    return state_.document().chassis().panelButtons;
}

} // namespace app
