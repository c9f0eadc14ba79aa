#pragma once
// The per-model handling a screen runs when it opens and closes, chosen by the
// model's special table for that screen: write the screen's register lists, or
// make preset timing 7 unusable while the screen is open.
#include <cstdint>
#include <string>

#include "app/generator_control_model.h"

namespace core { class Ui; }

namespace app {

extern const char* const kCanNotUse;  // the name that marks an unusable timing

// Shows the failure of a register write made by a screen's own buttons or
// lists: format and link errors have their messages; the link words the rest.
void reportScreenWrite(core::Ui& ui, uint32_t result);

class SpecialScreenHandling {
public:
    SpecialScreenHandling(SpecialScreenModel& model, core::Ui& ui, int screen);
    void enter();
    // Undoes what enter() changed; runs the exit list. Once per enter().
    void exit();

private:
    void writeList(const ScreenRegisters& list);

    SpecialScreenModel& model_;
    core::Ui& ui_;
    int screen_;
    bool entered_ = false;
    bool replaced_ = false;
    std::string savedName_;
};

} // namespace app
