#include "cli/registers.h"

#include <cctype>
#include <cstdlib>

#include "app/commands.h"
#include "app/state/service_session.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "core/result_codes.h"
#include "core/text_format.h"
#include "link/ecs_registers.h"

namespace cli {

std::vector<RegisterRef> allRegisters(const ecs::EcsRegisters& registers) {
    std::vector<RegisterRef> all;
    for (size_t block = 0; block < registers.blockCount() && block < 256; ++block) {
        for (size_t index = 0; index < 256; ++index) {
            const uint16_t code = static_cast<uint16_t>(block << 8 | index);
            const ecs::RegisterRecord* r = registers.registerRecord(code);
            if (!r) break;
            all.push_back({code, r->nameText()});
        }
    }
    return all;
}

std::optional<RegisterRef> findRegister(const ecs::EcsRegisters& registers, const std::string& text) {
    for (const RegisterRef& r : allRegisters(registers))
        if (r.name == text && !text.empty()) return r;
    if (text.size() < 3 || text.size() > 6 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
    char* end = nullptr;
    const unsigned long code = std::strtoul(text.c_str() + 2, &end, 16);
    if (*end != '\0' || code > 0xFFFF) return std::nullopt;
    const ecs::RegisterRecord* r = registers.registerRecord(static_cast<uint16_t>(code));
    if (!r) return std::nullopt;
    return RegisterRef{static_cast<uint16_t>(code), r->nameText()};
}

std::string codeText(uint16_t code) { return core::strf("0x%04X", code); }

std::optional<int32_t> parseValue(const std::string& text) {
    if (text.empty() || text.size() > 12) return std::nullopt;
    const bool negative = text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    const bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
    if (digits.empty() || (!hex && !std::isdigit(static_cast<unsigned char>(digits[0])))) return std::nullopt;
    char* end = nullptr;
    const long long v = std::strtoll(digits.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (*end != '\0' || v > 0x7FFFFFFFLL) return std::nullopt;
    return static_cast<int32_t>(negative ? -v : v);
}

void reportAccessFailure(Session& session, const char* access, const RegisterRef& reg, uint32_t result) {
    if (result == core::ECS_ERR_LINK) session.ui().message("Check RS232C line");
    else if (result == core::ECS_ERR_FORMAT) session.ui().message(" ECS syntax Error ");
    session.out().error(core::strf("%s of %s (%s) failed: result 0x%08X", access, reg.name.c_str(),
                                   codeText(reg.code).c_str(), result));
}

int inServiceMode(Session& session, bool skip, const std::function<int()>& work) {
    if (skip) return work();
    appstate::ScreenContext context = session.context();
    appstate::ServiceSession service(context);
    if (!service.open()) {
        session.out().error("the monitor did not enter service mode");
        return kExitFailed;
    }
    const int code = work();
    service.close();
    return code;
}

} // namespace cli
