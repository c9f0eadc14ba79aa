#include "app/screen_open_handling.h"

#include "core/result_codes.h"
#include "core/ui.h"

namespace app {

const char* const kCanNotUse = "Can not use";

namespace {
constexpr int kRegisterLists = 5;
constexpr int kUnusablePreset = 6;  // preset timing 7
constexpr int kSendNow = 1;
} // namespace

void reportScreenWrite(core::Ui& ui, uint32_t result) {
    if (result == core::ECS_ERR_FORMAT) {
        ui.message(" ECS syntax Error   NG! NG! NG! ");
    } else if (result == core::ECS_ERR_LINK) {
        ui.message(" Can't connect the Monitor ! \n Check Bus line and condition! ");
    }
}

SpecialScreenHandling::SpecialScreenHandling(SpecialScreenModel& model, core::Ui& ui, int screen)
    : model_(model), ui_(ui), screen_(screen) {}

void SpecialScreenHandling::writeList(const ScreenRegisters& list) {
    if (list.codes[0] == 0) return;
    for (size_t i = 0; i < list.codes.size() && list.codes[i] != 0; ++i) {
        reportScreenWrite(ui_, model_.writeRegister(static_cast<uint16_t>(list.codes[i]), list.values[i], kSendNow));
    }
}

void SpecialScreenHandling::enter() {
    entered_ = true;
    switch (model_.specialHandling(screen_)) {
    case 0:
        if (screen_ >= 0 && screen_ < kRegisterLists) writeList(model_.entryRegisters(screen_));
        break;
    case 7:
        savedName_ = model_.presetName(kUnusablePreset);
        model_.setPresetName(kUnusablePreset, kCanNotUse);
        replaced_ = true;
        break;
    default:
        break;
    }
}

void SpecialScreenHandling::exit() {
    if (!entered_) return;
    entered_ = false;
    if (replaced_) {
        // Restore what was replaced even if the table changed meanwhile.
        model_.setPresetName(kUnusablePreset, savedName_);
        replaced_ = false;
        return;
    }
    if (model_.specialHandling(screen_) == 0 && screen_ >= 0 && screen_ < kRegisterLists)
        writeList(model_.exitRegisters(screen_));
}

} // namespace app
