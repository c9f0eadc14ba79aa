#include "app/screen_open_handling.h"

#include "core/result_codes.h"
#include "core/ui.h"

namespace app {

const char* const kCanNotUse = "Can not use";

namespace {
constexpr int kRegisterLists = 5;
constexpr int kUnusablePreset = 6;  // preset timing 7
constexpr int kListsHandling = 0;
constexpr int kUnusableHandling = 7;
} // namespace

void reportScreenWrite(core::Ui& ui, uint32_t result) {
    if (result == core::ECS_ERR_FORMAT) {
        ui.message(" ECS syntax Error   NG! NG! NG! ");
    } else if (result == core::ECS_ERR_LINK) {
        ui.message(" Can't connect the Monitor ! \n Check Bus line and condition! ");
    }
}

SpecialScreenHandling::SpecialScreenHandling(appstate::ScreenContext& context, int screen)
    : context_(context), screen_(screen) {}

int16_t SpecialScreenHandling::handling() const {
    if (screen_ < 0) return 0;
    return context_.model.image.specialHandling(static_cast<size_t>(screen_));
}

void SpecialScreenHandling::writeList(const modeldb::ScreenRegisterList& list) {
    if (list.codes[0] == 0) return;
    for (size_t i = 0; i < list.codes.size() && list.codes[i] != 0; ++i) {
        reportScreenWrite(context_.ui, context_.registers.writeRegister(static_cast<uint16_t>(list.codes[i]),
                                                                         list.values[i], ecs::kSendNow));
    }
}

void SpecialScreenHandling::enter() {
    entered_ = true;
    modeldb::ModelImage& image = context_.model.image;
    switch (handling()) {
    case kListsHandling:
        if (screen_ >= 0 && screen_ < kRegisterLists) writeList(image.special2[static_cast<size_t>(screen_)]);
        break;
    case kUnusableHandling:
        savedName_ = image.presets[kUnusablePreset].name;
        image.presets[kUnusablePreset].name = kCanNotUse;
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
        context_.model.image.presets[kUnusablePreset].name = savedName_;
        replaced_ = false;
        return;
    }
    if (handling() == kListsHandling && screen_ >= 0 && screen_ < kRegisterLists)
        writeList(context_.model.image.special3[static_cast<size_t>(screen_)]);
}

} // namespace app
