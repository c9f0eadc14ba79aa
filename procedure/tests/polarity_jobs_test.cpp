// The polarity kinds over the per-mode registers of the polarity data group.
#include "job_fixture.h"

#include "core/result_codes.h"
#include "modeldb/chassis_layout.h"
#include "procedure/job_kinds.h"

namespace procedure::testing {
namespace {

using Access = ecs::MemoryRegisters::Access;
using Writes = std::vector<std::pair<uint16_t, int32_t>>;
using Calls = std::vector<std::string>;

constexpr uint16_t kModeCount = 0x0402;
constexpr uint16_t kSyncKind = 0x0A10, kHPolarity = 0x0A11, kVPolarity = 0x0A12, kStore = 0x0230;

struct PolarityJobs : JobFixture {
    PolarityJobs() {
        model.chassis.specialRegisters[(modeldb::chassis::kNUser - modeldb::chassis::kSpecialRegisters) / 2] = kModeCount;
        model.chassis.polarityGroup = 2;
        model.standard.groupCount = 2;
        model.standard.groups[0].name = "GEOMETRY";
        model.standard.groups[0].itemCount = 1;
        modeldb::DataGroup& g = model.standard.groups[1];
        g.name = "TIMING";
        g.page = 0x0A;
        g.itemCount = 3;
        g.itemLow[0] = 0x10;
        g.itemLow[1] = 0x11;
        g.itemLow[2] = 0x12;
        model.standard.startList[0] = {0x0002, 1};
        model.standard.endList[0] = {0x0002, 0};
        define(0x0002);
        define(0x0001);
        define(kModeCount, 3);
        regs.definePerMode(kSyncKind, "SyncKind");
        regs.definePerMode(kHPolarity, "H-Pol");
        regs.definePerMode(kVPolarity, "V-Pol");
        regs.setInMode(kHPolarity, 0, 0);
        regs.setInMode(kHPolarity, 1, 1);
        regs.setInMode(kHPolarity, 2, 5);
    }
    kit::PrcStepSpec step(uint8_t kind) { return stepOf(kind).with(Op::Keys, {1}).with(Op::Messages, {-1}); }
};

TEST_F(PolarityJobs, InvertWritesEachModesPolarityBackInvertedBetweenTheStandardSequences) {
    EXPECT_TRUE(runStep(step(JOB_POLARITY_INVERT)).empty());
    EXPECT_EQ(regs.valueInMode(kHPolarity, 0), 1);
    EXPECT_EQ(regs.valueInMode(kHPolarity, 1), 0);
    EXPECT_EQ(regs.valueInMode(kHPolarity, 2), 0);  // anything but 0 becomes 0
    EXPECT_EQ(regs.writes(), (Writes{{kHPolarity, 1}, {kHPolarity, 0}, {kHPolarity, 0}, {0x0001, 0}}));
    EXPECT_EQ(regs.sequences(), (Calls{"standardPreSequence", "standardPostSequence"}));
    EXPECT_EQ(screen.calls, Calls{"buttons"});
    EXPECT_TRUE(clock.waits().empty());  // the group has no store register

    // Each mode is selected, and every read follows a transfer reset and may use the cache.
    std::vector<int> modes;
    const auto& a = regs.accesses();
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind == Access::Kind::SelectMode) modes.push_back(a[i].value);
        if (a[i].kind == Access::Kind::Read && a[i].code != kModeCount) {
            EXPECT_EQ(a[i - 1].kind, Access::Kind::ResetTransfer);
            EXPECT_EQ(a[i].flags, 0);
        }
    }
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 2}));
}

TEST_F(PolarityJobs, InvertStoresTheGroupWhenItHasAStoreRegister) {
    model.standard.groups[1].commitRegister = kStore;
    define(kStore, 1);
    runStep(step(JOB_POLARITY_INVERT));
    const Writes writes = regs.writes();
    ASSERT_EQ(writes.size(), 5u);
    EXPECT_EQ(writes[3], (std::pair<uint16_t, int32_t>{kStore, 0}));
    EXPECT_EQ(writes[4], (std::pair<uint16_t, int32_t>{0x0001, 0}));  // the last polarity handled
    EXPECT_EQ(clock.waits(), (std::vector<platform::FakeClock::Wait>{{kPolarityStoreWait, 2000}}));
}

TEST_F(PolarityJobs, ReadLogsTheFirstModesPolarity) {
    regs.setInMode(kHPolarity, 0, 1);
    EXPECT_EQ(runStep(step(JOB_POLARITY_READ)), Lines{"Mode1 Polality(H) : 1    "});
    EXPECT_TRUE(regs.writes().empty());
    EXPECT_EQ(regs.sequences(), (Calls{"standardPreSequence", "standardPostSequence"}));
}

TEST_F(PolarityJobs, ALinkErrorEndsTheJobWithTheLineMessage) {
    regs.refuse(kVPolarity, core::ECS_ERR_LINK);
    EXPECT_TRUE(runStep(step(JOB_POLARITY_INVERT)).empty());
    EXPECT_TRUE(regs.writes().empty());  // nothing written from a mode read only in part
    EXPECT_EQ(ui.messages(), Lines{"Check RS232C line"});
    EXPECT_EQ(regs.sequences().back(), "standardPostSequence");
    EXPECT_EQ(screen.calls, Calls{"buttons"});  // the operator can still go on
}

TEST_F(PolarityJobs, AMissingPolarityGroupIsReported) {
    for (int16_t group : {int16_t{0}, int16_t{1}, int16_t{3}}) {  // none, a group of one register, beyond the groups
        model.chassis.polarityGroup = group;
        ui.clear();
        EXPECT_EQ(runStep(step(JOB_POLARITY_READ)), Lines{"Polarity data is not registered ."}) << group;
        EXPECT_EQ(ui.messages(), Lines{" Polarity data is not registered .\n Check KovEdit data! "});
        EXPECT_TRUE(regs.accesses().empty());
    }
}

} // namespace
} // namespace procedure::testing
