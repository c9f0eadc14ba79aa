#pragma once
// A link open on the simulated generator with every command set installed,
// the host's writes recorded as they reach the generator.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "genlink/link.h"
#include "genlink/result_codes.h"
#include "memory_settings.h"
#include "platform/clock.h"
#include "sim/patgen/drawing_commands.h"
#include "sim/patgen/memory_commands.h"
#include "sim/patgen/program_commands.h"
#include "sim_rig.h"

namespace genlink::testing {

// Keeps each buffer the host wrote, then hands it to the generator.
class RecordingDevice : public platform::SimDevice {
public:
    RecordingDevice(std::shared_ptr<patgen::PatgenCore> core, std::shared_ptr<std::vector<Bytes>> writes)
        : inner_(std::move(core)), writes_(std::move(writes)) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override {
        writes_->emplace_back(data, data + n);
        inner_.fromHost(line, data, n);
    }

private:
    patgen::PatgenSimDevice inner_;
    std::shared_ptr<std::vector<Bytes>> writes_;
};

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.seri.portNo = 7;
        patgen::addProgramCommands(*sim.core);
        patgen::addDrawingCommands(*sim.core);
        patgen::addMemoryCommands(*sim.core);
        patgen::addModel406Commands(*sim.core);
        platform::registerSimDevice(sim.name, [core = sim.core, w = writes] {
            return std::make_shared<RecordingDevice>(core, w);
        });
        LinkEnvironment env;
        env.clock = &clock;
        env.lockName = uniqueName("PGTransMutex");
        env.osClass = hostOsClass;
        link = std::make_unique<Link>(settings, limits, env);
    }
    void TearDown() override {
        if (link->isOpen()) link->close();
    }
    // Memory kind 0 is the memory card; 1..4 the panel ROM types 0..3.
    void open(int kind = 0) {
        settings.dtDevice = kind == 0 ? 0 : 1;
        settings.panelRom = kind == 0 ? 0 : kind - 1;
        ASSERT_EQ(link->open(), kOk);
        ASSERT_EQ(link->memoryKind(), kind);
        writes->clear();
    }
    std::string stored(const std::string& store, const std::string& key) {
        const patgen::Bytes* item = sim.core->item(store, key);
        return item ? std::string(item->begin(), item->end()) : std::string("<none>");
    }
    const patgen::ReceivedCommand& lastCommand() { return sim.core->received().back(); }
    size_t commandsReceived() { return sim.core->received().size(); }
    // The command frame STX, code, payload, ETX.
    static Bytes frame(uint8_t code, const std::string& payload) {
        Bytes b(payload.size() + 3);
        b[0] = STX;
        b[1] = code;
        for (size_t i = 0; i < payload.size(); ++i) b[i + 2] = static_cast<uint8_t>(payload[i]);
        b.back() = ETX;
        return b;
    }

    SimGenerator sim;
    std::shared_ptr<std::vector<Bytes>> writes = std::make_shared<std::vector<Bytes>>();
    platform::FakeClock clock;
    MemorySettings settings;
    CountingLimits limits;
    std::unique_ptr<Link> link;
};

} // namespace genlink::testing
