#include "siggen/vtg_card.h"

namespace siggen {

std::optional<std::string> vtgApplyFailure(int status) {
    if (status == kVtgApplyLoadFailed) return std::string(" VTG File is nothing ! ");
    return std::nullopt;
}

} // namespace siggen
