#include "link/ecs_link.h"

namespace ecs {

EcsLink::EcsLink(int portNumber, core::Ui& ui, platform::Clock& clock) : EcsRegisters(ui, clock) {
    open(portNumber);
    configure(kMonitorBaud, kMonitorByteSize, kNoParity, kOneStopBit, kNormalTimeoutMs);
}

EcsLink::EcsLink(const std::string& portName, core::Ui& ui, platform::Clock& clock) : EcsRegisters(ui, clock) {
    openName(portName);
    configure(kMonitorBaud, kMonitorByteSize, kNoParity, kOneStopBit, kNormalTimeoutMs);
}

EcsLink::~EcsLink() { closeLog(); }

} // namespace ecs
