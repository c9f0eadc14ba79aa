// The three downloads over the real link against the simulated monitor, in
// both ECS types: what the monitor's transaction record shows written is,
// write for write, what the same run asks of a monitor in memory, and the
// values land in the monitor's memory per mode. A monitor falling silent
// stops the MPU download before the end list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/test_ui.h"
#include "core/text_format.h"
#include "datafiles/mpu_download.h"
#include "datafiles/timing_download.h"
#include "datafiles/umt_init.h"
#include "kit/model_kit.h"
#include "link/ecs_link.h"
#include "link/memory_registers.h"
#include "modeldb/chassis_layout.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "siggen/signal_generator.h"
#include "sim/monitor/sim_monitor.h"
#include "sim_model.h"

using namespace datafiles;
using namespace datafiles::testing;
using Lines = std::vector<std::string>;

namespace {

int monitors = 0;

// The demo's special registers, and a timing table of five per-mode
// registers (the frequencies two bytes wide) at addresses 0x60.. of device k.
constexpr uint16_t kEUmt = 0x0210, kNUser = 0x0402, kNFact = 0x0403, kRestore = 0x0205, kSSave = 0x0204;
constexpr uint16_t kTimingTable = 0x0700;
constexpr uint8_t kTimingAddress = 0x60;

kit::LinkDescription tables(int type) {
    kit::LinkDescription d = simTables(type);
    int8_t modeBytes = 0;  // simTables' per-mode group
    for (size_t g = 0; g < d.groups.size(); ++g)
        if (d.groups[g].label == "PERMODE") modeBytes = static_cast<int8_t>(g);
    const auto wideGroup = static_cast<int8_t>(d.groups.size());
    d.groups.push_back({"MODEWIDE", 1, 4, 0, 0, 0xFFFF, 0});
    auto reg = [](const char* name, int8_t group, uint8_t address, int8_t write, int8_t read) {
        kit::RegisterRecord r;
        r.name = name;
        r.writeFormat = write;
        r.writeAddress = address;
        r.readFormat = read;
        r.readAddress = address;
        r.group = group;
        return r;
    };
    d.blocks.push_back({5, "TIMINGS"});
    for (const kit::RegisterRecord& r :
         {reg("T_Sync", modeBytes, kTimingAddress, 2, 1), reg("T_HPol", modeBytes, kTimingAddress + 1, 2, 1),
          reg("T_VPol", modeBytes, kTimingAddress + 2, 2, 1), reg("T_HFreq", wideGroup, kTimingAddress + 4, 4, 3),
          reg("T_VFreq", wideGroup, kTimingAddress + 6, 4, 3)})
        d.registers.push_back(r);
    return d;
}

void fillModel(modeldb::ModelData& m) {
    fillSimModel(m);
    namespace at = modeldb::chassis;
    auto special = [&](size_t offset, uint16_t code) {
        m.chassis.specialRegisters[(offset - at::kSpecialRegisters) / 2] = static_cast<int16_t>(code);
    };
    special(at::kEUmt, kEUmt);
    special(at::kNFact, kNFact);
    special(at::kNUser, kNUser);
    special(at::kRestore, kRestore);
    special(at::kServiceSave, kSSave);
    for (size_t r = 0; r < 5; ++r) m.chassis.timingRegisters[r] = static_cast<int16_t>(kTimingTable + r);

    modeldb::ModelImage& image = m.image;
    image.presetCount = 3;
    const float frequencies[3][2] = {{31.469f, 59.94f}, {46.875f, 75.0f}, {68.677f, 85.0f}};
    for (size_t i = 0; i < 3; ++i) {
        image.presets[i].hFrequency = frequencies[i][0];
        image.presets[i].vFrequency = frequencies[i][1];
        image.presets[i].syncKind = static_cast<uint8_t>(i);
        image.presets[i].hPolarity = 1;
    }
    image.umtNumber = 1;  // the group MODES
    auto put = [](auto& record, const kit::Bytes& bytes) { std::copy(bytes.begin(), bytes.end(), record.begin()); };
    image.mpuDataCount = 2;
    put(image.mpuData[0], kit::mpuDataRecord({20, 21, 22, 23, 24, 25}));  // GEOMETRY
    put(image.mpuData[1], kit::mpuDataRecord({0, 31, 32}));               // SP2PWR
    image.mpuModeCount = 3;
    for (size_t r = 0; r < 3; ++r) {  // MODES, SP3USR, SP4TIM: 60 + 20 r + 10 j + i
        std::vector<std::vector<int16_t>> modes(3);
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i) modes[static_cast<size_t>(j)].push_back(static_cast<int16_t>(60 + 20 * r + 10 * j + i));
        put(image.mpuMode[r], kit::mpuModeRecord(modes));
    }
}

// A monitor in memory holding what the simulated one holds.
void mirror(ecs::MemoryRegisters& regs, const kit::LinkDescription& d, const sim::MonitorProtocol& p) {
    uint16_t code = 0;
    for (size_t block = 0, n = 0; block < d.blocks.size(); ++block) {
        for (size_t index = 0; index < d.blocks[block].count && n < d.registers.size(); ++index, ++n) {
            code = static_cast<uint16_t>(block << 8 | index);
            const kit::RegisterRecord& r = d.registers[n];
            const kit::GroupRecord& g = d.groups[static_cast<size_t>(r.group)];
            auto value = [&](uint8_t device) {
                const int high = p.memory(device, r.readAddress);
                return (g.flags & 4) ? high * 256 + p.memory(device, static_cast<uint8_t>(r.readAddress + 1)) : high;
            };
            if (g.perMode) {
                regs.definePerMode(code, r.name, -32768, 65535);
                for (int k = 0; k < 30; ++k) regs.setInMode(code, k, value(static_cast<uint8_t>(k)));
            } else {
                regs.define(code, r.name, value(g.device), -32768, 65535);
            }
        }
    }
}

struct SimDownloads : ::testing::TestWithParam<int> {
    core::TestUi ui;
    platform::FakeClock clock;
    siggen::SignalGenerator sg{ui, clock};
    modeldb::ModelData model;
    appstate::AppFlags flags;
    platform::testing::TestFolder dir;
    kit::LinkDescription linkTables;
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::unique_ptr<sim::SimMonitor> monitor;
    std::unique_ptr<ecs::EcsLink> link;
    core::OperationLog log;

    void SetUp() override {
        const int type = GetParam();
        linkTables = tables(type);
        protocol = std::make_shared<sim::MonitorProtocol>(linkTables, type);
        monitor = std::make_unique<sim::SimMonitor>(
            protocol, "downloads-" + std::to_string(getpid()) + "-" + std::to_string(monitors++));
        monitor->setBaud(9600);
        link = std::make_unique<ecs::EcsLink>(monitor->portName(), ui, clock);
        link->setEcsType(type);
        const kit::Bytes file = kit::linkDescriptionFile(linkTables);
        ASSERT_EQ(link->loadLinkDescriptionBytes(file.data(), file.size()), 1);
        fillModel(model);
        for (uint8_t a = 0; a < 0x16; ++a) protocol->setMemory(1, a, static_cast<uint8_t>(10 + a));
        protocol->setMemory(5, 0x32, 1);  // powered
        protocol->setMemory(5, 0x50, 9);  // E_umt
    }
    appstate::ScreenContext context(ecs::RegisterAccess& port) {
        return appstate::ScreenContext{model, port, sg, ui, clock, flags, "SIM-1", dir.path()};
    }

    // What a run writes, as "device/address=bytes": from the simulated
    // monitor's transactions, or from a monitor in memory's accesses.
    Lines simWrites() const {
        Lines out;
        for (const sim::MonitorTransaction& t : protocol->transactions()) {
            if (!t.wrote) continue;
            std::string line = core::strf("%02X/%02X=", t.c, t.b);
            for (size_t i = 0; i < t.data.size(); ++i) line += core::strf(i ? ",%d" : "%d", t.data[i]);
            out.push_back(line);
        }
        return out;
    }
    Lines memoryWrites(const ecs::MemoryRegisters& regs) const {
        Lines out;
        int mode = 0;
        auto write = [&](uint16_t code, int32_t v) {
            const kit::RegisterRecord* r = linkTables.registerOf(code);
            if (!r || r->group == 0) return;  // a pseudo-register: nothing is sent
            const kit::GroupRecord& g = linkTables.groups[static_cast<size_t>(r->group)];
            const int device = g.perMode ? mode : g.device;
            out.push_back((g.flags & 4) ? core::strf("%02X/%02X=%d,%d", device, r->writeAddress, (v >> 8) & 0xFF, v & 0xFF)
                                        : core::strf("%02X/%02X=%d", device, r->writeAddress, v & 0xFF));
        };
        auto list = [&](const ecs::StandardList& l) {
            for (const ecs::CodeValue& p : l) {
                if (p.code == 0) break;
                write(static_cast<uint16_t>(p.code), p.value);
            }
        };
        using Kind = ecs::MemoryRegisters::Access::Kind;
        for (const auto& a : regs.accesses()) {
            if (a.kind == Kind::SelectMode) mode = a.value;
            if (a.kind == Kind::Write) write(a.code, a.value);
            if (a.sequence == "powerOn") write(model.chassis.sequences.powerRegister, 1);
            if (a.sequence == "powerOff") write(model.chassis.sequences.powerRegister, 0);
            if (a.sequence == "standardPreSequence") list(model.standard.startList);
            if (a.sequence == "standardPostSequence") list(model.standard.endList);
        }
        return out;
    }

    // Runs `run` on the simulated monitor and on its mirror in memory, and
    // compares what each was sent.
    void runBoth(const std::function<RunResult(appstate::ScreenContext&)>& run) {
        ecs::MemoryRegisters regs;
        regs.setEcsType(GetParam());
        mirror(regs, linkTables, *protocol);
        auto memoryContext = context(regs);
        ASSERT_EQ(run(memoryContext), RunResult::Completed);
        const Lines expected = memoryWrites(regs);

        protocol->clearTransactions();
        auto simContext = context(*link);
        ASSERT_EQ(run(simContext), RunResult::Completed);
        EXPECT_TRUE(ui.messages().empty()) << ui.messages().front();
        EXPECT_EQ(simWrites(), expected);
        EXPECT_GT(expected.size(), 10u);
    }
};

TEST_P(SimDownloads, MpuDataReachesTheMonitorWriteForWrite) {
    runBoth([this](appstate::ScreenContext& c) { return MpuDownload(c, log).run(); });
    EXPECT_EQ(protocol->memory(1, 0), 20);   // GEOMETRY from MPU_DATA 0
    EXPECT_EQ(protocol->memory(1, 2), 12);   // skipped
    EXPECT_EQ(protocol->memory(1, 3), 13);   // constant: never written
    EXPECT_EQ(protocol->memory(1, 5), 25);
    for (uint8_t k = 0; k < kModes; ++k) {   // MODES from MPU_MODE 0, per mode
        EXPECT_EQ(protocol->memory(k, 0x40), 60 + 10 * k);
        EXPECT_EQ(protocol->memory(k, 0x41), 61 + 10 * k);
    }
    EXPECT_EQ(protocol->memory(1, 0x13), 100 + 10 + 2);  // SP4TIM last: MPU_MODE 2, mode 1, item 2
    EXPECT_EQ(protocol->memory(1, 0x10), 26);            // the selectors restored
    EXPECT_EQ(protocol->memory(1, 0x15), 31);
    EXPECT_EQ(protocol->memory(5, 0x50), 0);             // E_umt
    EXPECT_EQ(protocol->memory(5, 0x30), 0);             // the end list ran
}

TEST_P(SimDownloads, TimingsReachTheTableOfEachMode) {
    runBoth([this](appstate::ScreenContext& c) { return TimingDownload(c, log).run(); });
    for (uint8_t k = 0; k < 3; ++k) EXPECT_EQ(protocol->memory(k, kTimingAddress), k);  // sync kind
    EXPECT_EQ(protocol->memory(0, kTimingAddress + 4) * 256 + protocol->memory(0, kTimingAddress + 5), 314);
    EXPECT_EQ(protocol->memory(0, kTimingAddress + 6) * 256 + protocol->memory(0, kTimingAddress + 7), 5994);
    EXPECT_EQ(protocol->memory(2, kTimingAddress + 6) * 256 + protocol->memory(2, kTimingAddress + 7), 8500);
    EXPECT_EQ(protocol->memory(7, 0x03), 3);  // N_Fact
    EXPECT_EQ(protocol->memory(7, 0x02), 3);  // N_User
}

TEST_P(SimDownloads, UmtInitWritesItsGroupForEachPresetMode) {
    for (uint8_t k = 0; k < 3; ++k) protocol->setMemory(k, 0x41, 0xEE);
    runBoth([this](appstate::ScreenContext& c) { return UmtInit(c, log).run(); });
    for (uint8_t k = 0; k < 3; ++k) EXPECT_EQ(protocol->memory(k, 0x41), 61 + 10 * k);
    EXPECT_EQ(protocol->memory(1, 0x14), 0);  // MODES committed
    EXPECT_EQ(protocol->memory(7, 0x03), 3);
}

TEST_P(SimDownloads, AMonitorFallingSilentStopsTheMpuDownloadBeforeTheEndList) {
    log.setListener([this] {
        if (!log.lines().empty() && log.lines().back().rfind("LABEL = MODES", 0) == 0) protocol->setSilent(true);
    });
    auto c = context(*link);
    EXPECT_EQ(MpuDownload(c, log).run(), RunResult::Stopped);
    EXPECT_EQ(ui.messages().back(), "Check RS232C line");
    EXPECT_EQ(log.lines().back(), "Mode = 0    ");
    protocol->setSilent(false);
    EXPECT_EQ(protocol->memory(5, 0x30), 1);  // still in service mode: no end list
    EXPECT_EQ(protocol->memory(1, 0), 20);    // GEOMETRY was written
}

INSTANTIATE_TEST_SUITE_P(EcsTypes, SimDownloads, ::testing::Values(1, 2));

} // namespace
