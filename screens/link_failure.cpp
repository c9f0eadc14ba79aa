#include "screens/link_failure.h"

#include "core/ui.h"

namespace screens {

const char* const kLinkErrorText = "Check RS232C line";
const char* const kFormatErrorText = " ECS syntax Error ";

void LinkFailure::report(core::Ui& ui) {
    const uint32_t result = first_;
    first_ = core::ECS_OK;
    if (result == core::ECS_ERR_LINK) ui.message(kLinkErrorText);
    else if (result == core::ECS_ERR_FORMAT) ui.message(kFormatErrorText);
}

} // namespace screens
