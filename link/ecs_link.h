#pragma once
// The monitor link: serial port, command protocol and register access in one
// object, which owns its port for its whole life. Build a new one to change
// the port; load the model's link description into it afterwards.
//
//   ecs::EcsLink link(settings.ecsPort, ui);          // opens "COMn", 9600 8N1, 3000 ms
//   ecs::EcsLink::setEcsType(model.ecsType);
//   link.loadLinkDescription(path);
//   link.serviceEntry(ecs::chassisSequencesFrom(chassis.data(), chassis.size()));
//   link.readRegister(code, value, ecs::kAskMonitor);
#include <string>

#include "link/ecs_registers.h"
#include "platform/clock.h"

namespace ecs {

class EcsLink final : public EcsRegisters {
public:
    // Opens "COM<portNumber>" and configures 9600 baud, 8N1, 3000 ms. A port
    // that cannot be opened is not reported here: the first command fails
    // with ECS_ERR_LINK.
    EcsLink(int portNumber, core::Ui& ui, platform::Clock& clock = platform::systemClock());
    // The same on a named port ("COMn", a device path or "sim:NAME").
    EcsLink(const std::string& portName, core::Ui& ui, platform::Clock& clock = platform::systemClock());
    // Closes the port and an open communication log.
    ~EcsLink() override;
};

} // namespace ecs
