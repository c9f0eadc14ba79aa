#include "siggen/qd_generator.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "core/text_format.h"

namespace siggen {

void QdFirmware::readReply(const char* reply, size_t size) {
    version_ = 0;
    if (!reply) return;
    const char* end = reply + strnlen(reply, size);
    const char* p = reply;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) ++p;
    if (p < end && *p == '+') ++p;
    double value = 0;
    // from_chars reads the number the same whatever the process's locale is.
    const std::from_chars_result read = std::from_chars(p, end, value, std::chars_format::fixed);
    if (read.ec == std::errc() && std::isfinite(value)) version_ = value;
}

std::optional<std::string> qdApplyFailure(int status) {
    if (status == kQdApplyOk) return std::nullopt;
    if (status == kQdHTotalNotEven) return std::string(" Quntum SG can't set the timing ! \nHtot is not even.");
    return core::strf(" Quntum SG can't set the timing ! \nStatus = %4d", status);
}

} // namespace siggen
