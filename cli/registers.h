#pragma once
// Registers named on the command line: a name of the model's link
// description (case as stored) or a code such as 0x0105 (block, index).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ecs { class EcsRegisters; }

namespace cli {

class Session;

struct RegisterRef {
    uint16_t code = 0;
    std::string name;
};

// Every register of the map, by code.
std::vector<RegisterRef> allRegisters(const ecs::EcsRegisters& registers);
// The register `text` names; nothing when the map has none such.
std::optional<RegisterRef> findRegister(const ecs::EcsRegisters& registers, const std::string& text);
// "0x0105".
std::string codeText(uint16_t code);
// A value written on the command line: decimal, or hexadecimal after 0x; an
// optional minus sign.
std::optional<int32_t> parseValue(const std::string& text);

// What the link's caller shows for a failed access: "Check RS232C line" for
// the link error, " ECS syntax Error " for the format error; a refusal by the
// monitor was already worded by the link. Also says which access failed.
void reportAccessFailure(Session& session, const char* access, const RegisterRef& reg, uint32_t result);

// Runs `work` between the service-entry and service-exit sequences of the
// model (neither when `skip`), as a screen that talks to the monitor does.
// kExitFailed when the monitor did not enter service mode; else work's code.
int inServiceMode(Session& session, bool skip, const std::function<int()>& work);

} // namespace cli
