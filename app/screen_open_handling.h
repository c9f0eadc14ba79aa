#pragma once
// The per-model handling a screen runs when it opens and closes, chosen by the
// model's special table for that screen: write the screen's register lists, or
// make preset timing 7 unusable while the screen is open.
#include <cstdint>
#include <string>

#include "app/state/screen_context.h"

namespace core { class Ui; }

namespace app {

extern const char* const kCanNotUse;  // the name that marks an unusable timing

// The screens' numbers in the model's special table.
enum SpecialScreen { kFactoryPresetScreen = 0, kGeneratorControlScreen = 1 };

// Shows the failure of a register write made by a screen's own buttons or
// lists: format and link errors have their messages; the link words the rest.
void reportScreenWrite(core::Ui& ui, uint32_t result);

class SpecialScreenHandling {
public:
    SpecialScreenHandling(appstate::ScreenContext& context, int screen);
    void enter();
    // Undoes what enter() changed; runs the exit list. Once per enter().
    void exit();

private:
    int16_t handling() const;
    void writeList(const modeldb::ScreenRegisterList& list);

    appstate::ScreenContext& context_;
    int screen_;
    bool entered_ = false;
    bool replaced_ = false;
    std::string savedName_;
};

} // namespace app
