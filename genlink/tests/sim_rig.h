#pragma once
// An in-process simulated generator on a COM port of a private port map.
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/sim_port.h"
#include "platform/testing/test_folder.h"
#include "sim/patgen/patgen_sim_device.h"

namespace genlink::testing {

inline std::string uniqueName(const std::string& base) {
    static std::atomic<int> counter{0};
    return base + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

class SimGenerator {
public:
    explicit SimGenerator(int portNo = 7)
        : core(std::make_shared<patgen::PatgenCore>()),
          name(uniqueName("patgen")),
          comports_("COMPORTS", folder_.file("comports.ini")) {
        folder_.write("comports.ini", "[COM]\nCOM" + std::to_string(portNo) + "=sim:" + name + "\n");
        patgen::registerPatgenSim(core, name);
    }
    ~SimGenerator() { platform::registerSimDevice(name, nullptr); }

    std::shared_ptr<patgen::PatgenCore> core;
    std::string name;

private:
    platform::testing::TestFolder folder_;
    platform::testing::ScopedEnv comports_;
};

} // namespace genlink::testing
