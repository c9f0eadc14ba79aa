#include "platform/sim_port.h"

#include <map>
#include <mutex>

namespace platform {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, SimDeviceFactory> factories;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

void registerSimDevice(const std::string& name, SimDeviceFactory factory) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (factory)
        r.factories[name] = std::move(factory);
    else
        r.factories.erase(name);
}

bool simDeviceRegistered(const std::string& name) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.factories.count(name) != 0;
}

std::shared_ptr<SimDevice> makeSimDevice(const std::string& name) {
    SimDeviceFactory factory;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> lock(r.mutex);
        auto it = r.factories.find(name);
        if (it == r.factories.end()) return nullptr;
        factory = it->second;
    }
    return factory();
}

SimRegistration::SimRegistration(std::string name, SimDeviceFactory factory) : name_(std::move(name)) {
    registerSimDevice(name_, std::move(factory));
}

SimRegistration::~SimRegistration() { registerSimDevice(name_, nullptr); }

} // namespace platform
