#include "link/ecs_link.h"

namespace ecs {

EcsLink::EcsLink(int portNumber, core::Ui& ui, platform::Clock& clock)
    : port_(clock), format_(port_, log_, ui), registers_(format_, port_, ui, clock) {
    port_.open(portNumber);
    port_.configure(kMonitorBaud, kMonitorByteSize, kNoParity, kOneStopBit, kNormalTimeoutMs);
}

EcsLink::EcsLink(const std::string& portName, core::Ui& ui, platform::Clock& clock)
    : port_(clock), format_(port_, log_, ui), registers_(format_, port_, ui, clock) {
    port_.openName(portName);
    port_.configure(kMonitorBaud, kMonitorByteSize, kNoParity, kOneStopBit, kNormalTimeoutMs);
}

EcsLink::~EcsLink() = default;

bool EcsLink::openLog(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += ecsType() == 1 ? "ecs.log" : "ecs2.log";
    return log_.open(path);
}

} // namespace ecs
