#pragma once
// The first failed register access of one action, shown once when the action
// ends: a screen that reads eight registers over a broken line says so once,
// not eight times. Errors the monitor reported itself (ECS type 2) were
// already shown by the link.
#include <cstdint>

#include "core/result_codes.h"

namespace core { class Ui; }

namespace screens {

extern const char* const kLinkErrorText;    // "Check RS232C line"
extern const char* const kFormatErrorText;  // " ECS syntax Error "

class LinkFailure {
public:
    // True when `result` is ECS_OK; otherwise remembers it if it is the first.
    bool ok(uint32_t result) {
        if (result != core::ECS_OK && first_ == core::ECS_OK) first_ = result;
        return result == core::ECS_OK;
    }
    bool failed() const { return first_ != core::ECS_OK; }
    // Shows the text of the first failure, if any, and forgets it.
    void report(core::Ui& ui);

private:
    uint32_t first_ = core::ECS_OK;
};

} // namespace screens
