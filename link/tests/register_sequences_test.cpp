#include <gtest/gtest.h>

#include "link_fixture.h"

using namespace ecs;
using namespace testmodel;
using Kind = sim::MonitorFault::Kind;

namespace {

ServiceList list(std::initializer_list<std::pair<uint16_t, int16_t>> entries) {
    ServiceList l;
    size_t i = 0;
    for (auto [code, value] : entries) {
        l.codes[i] = code;
        l.values[i] = value;
        ++i;
    }
    return l;
}

// Single-register writes that reached the monitor, as (address, value).
std::vector<std::pair<int, int>> singleWrites(const sim::MonitorProtocol& p) {
    std::vector<std::pair<int, int>> out;
    for (const auto& t : p.transactions())
        if (t.format == kSingleWrite && !t.data.empty()) out.push_back({t.b, t.data[0]});
    return out;
}

constexpr const char* kCannotConnect = " Can't connect the Monitor ! \n Check Bus line and condition! ";
constexpr const char* kBusNg = " Bus is NG ! \n Check connection . ";

class Sequences : public ::testing::TestWithParam<int> {
protected:
    Sequences() : f(GetParam()) {
        chassis.keyRegister = kKey;
        chassis.umtRegister = kUmt;
        chassis.powerRegister = kPower;
    }
    LinkFixture f;
    ChassisSequences chassis;
};

INSTANTIATE_TEST_SUITE_P(BothTypes, Sequences, ::testing::Values(1, 2));

using P = std::pair<int, int>;

} // namespace

TEST_P(Sequences, ServiceEntryWritesWaitsAndEndsWithKeyOff) {
    f.link->setMonitorNotConnected(true);
    chassis.entry = list({{kField, 2}, {kTimer, 3}, {kUmt, 9}});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_OK);
    EXPECT_FALSE(f.link->monitorNotConnected());
    EXPECT_EQ(f.clock.sleeps(), std::vector<uint32_t>({100, 100, 100}));
    // "!Key": key off writes 1.
    EXPECT_EQ(singleWrites(*f.protocol), std::vector<P>({{kFieldAddress, 0x20}, {kUmtAddress, 9}, {kKeyAddress, 1}}));
    EXPECT_TRUE(f.ui.messages().empty());
}

TEST_P(Sequences, ServiceEntryThatCannotReachTheMonitorSetsTheFlag) {
    chassis.entry = list({{kUmt, 1}, {kGuard, 2}});
    f.protocol->setSilent(true);
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_ERR_LINK);
    EXPECT_TRUE(f.link->monitorNotConnected());
    ASSERT_FALSE(f.ui.messages().empty());
    EXPECT_EQ(f.ui.messages().back(), kCannotConnect);
    // Stopped at the first entry: two attempts, no key write.
    EXPECT_EQ(f.traffic(), 2u);
}

TEST_P(Sequences, ServiceEntryFormatErrorIsShownAndTheListGoesOn) {
    chassis.entry = list({{kUmt, 1}, {kGuard, 2}});
    f.protocol->addFault({Kind::BadLiteral, 0, 0, 2, kSingleWrite, kUmtAddress});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_OK);
    EXPECT_NE(std::find(f.ui.messages().begin(), f.ui.messages().end(), " ECS syntax Error "), f.ui.messages().end());
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kGuardAddress), 2);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kKeyAddress), 1);
}

// Entry 0 is guarded (-935: recovery block of 3 entries, then entry 5).
class GuardedStep : public Sequences {
protected:
    GuardedStep() {
        chassis.entry = list({{kGuard, -935}, {kUmt, 11}, {kTimer, 2}, {kPowerOffReg, 13}, {kField, 1}, {kPlainPower, 15}});
    }
};

INSTANTIATE_TEST_SUITE_P(BothTypes, GuardedStep, ::testing::Values(1, 2));

TEST_P(GuardedStep, AcceptedGuardSkipsTheRecoveryBlock) {
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_OK);
    // -935 written as its low byte; entries 1..4 skipped; entry 5; key off.
    EXPECT_EQ(singleWrites(*f.protocol), std::vector<P>({{kGuardAddress, 0x59}, {kPlainPowerAddress, 15}, {kKeyAddress, 1}}));
    EXPECT_TRUE(f.clock.sleeps().empty());
}

TEST_P(GuardedStep, RefusedGuardRunsTheRecoveryBlockThenContinuesAtItsTarget) {
    // Both attempts of the first guarded write fail the answer check.
    f.protocol->addFault({Kind::BadChecksum, 0, 0, 2, kSingleWrite, kGuardAddress});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_OK);
    EXPECT_EQ(singleWrites(*f.protocol),
              std::vector<P>({{kGuardAddress, 0x59}, {kGuardAddress, 0x59}, {kUmtAddress, 11}, {kPowerOffAddress, 13},
                              {kGuardAddress, 0x59}, {kPlainPowerAddress, 15}, {kKeyAddress, 1}}));
    EXPECT_EQ(f.clock.sleeps(), std::vector<uint32_t>({100, 100}));
    EXPECT_EQ(std::count(f.ui.messages().begin(), f.ui.messages().end(), std::string(" ECS syntax Error   NG! NG! NG! ")), 0);
}

TEST_P(GuardedStep, GuardRefusedTwiceShowsNgAndStillContinues) {
    f.protocol->addFault({Kind::BadChecksum, 0, 0, 4, kSingleWrite, kGuardAddress});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_OK);
    EXPECT_EQ(std::count(f.ui.messages().begin(), f.ui.messages().end(), std::string(" ECS syntax Error   NG! NG! NG! ")), 1);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kPlainPowerAddress), 15);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kFieldAddress), 0);
}

TEST_P(Sequences, GuardWhoseTargetLiesBehindDoesNotLoop) {
    // -901: no recovery block, target 1, which is before entry 2.
    chassis.entry = list({{kUmt, 1}, {kPowerOffReg, 2}, {kGuard, -901}, {kPlainPower, 3}});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_OK);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kPlainPowerAddress), 3);
    EXPECT_EQ(singleWrites(*f.protocol).size(), 5u);
}

TEST_P(Sequences, ServiceExitKeyOnUmtOnThenTheList) {
    chassis.exit = list({{kField, 1}, {kGuard, 4}});
    EXPECT_EQ(f.link->serviceExit(chassis), ECS_OK);
    EXPECT_EQ(singleWrites(*f.protocol),
              std::vector<P>({{kKeyAddress, 0}, {kUmtAddress, 1}, {kFieldAddress, 0x10}, {kGuardAddress, 4}}));
}

TEST_P(Sequences, ServiceExitLinkErrorEndsTheListAndKeepsTheFlag) {
    chassis.exit = list({{kGuard, 4}});
    f.protocol->setSilent(true);
    EXPECT_EQ(f.link->serviceExit(chassis), ECS_ERR_LINK);
    EXPECT_FALSE(f.link->monitorNotConnected());
    std::vector<std::string> expected = {" ECS Error(KEY ON/OFF) ", " ECS Error(UMT ON/OFF) ", kBusNg};
    std::vector<std::string> shown;
    for (const std::string& m : f.ui.messages())
        if (m.rfind("ECS2", 0) != 0) shown.push_back(m);
    EXPECT_EQ(shown, expected);
}

TEST_P(Sequences, PowerRegisters) {
    // "#Power": on writes 0 to it, off writes 0 to the register after it.
    f.protocol->setMemory(kFieldDevice, kPowerAddress, 9);
    f.protocol->setMemory(kFieldDevice, kPowerOffAddress, 9);
    EXPECT_EQ(f.link->powerOn(chassis), ECS_OK);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kPowerAddress), 0);
    EXPECT_EQ(f.link->powerOff(chassis), ECS_OK);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kPowerOffAddress), 0);
    chassis.powerRegister = kPlainPower;
    EXPECT_EQ(f.link->powerOn(chassis), ECS_OK);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kPlainPowerAddress), 1);
    EXPECT_EQ(f.link->powerOff(chassis), ECS_OK);
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kPlainPowerAddress), 0);
    f.protocol->setSilent(true);
    EXPECT_EQ(f.link->powerOn(chassis), ECS_ERR_LINK);
    EXPECT_EQ(f.ui.messages().back(), " ECS Error(POWER ON) ");
    EXPECT_EQ(f.link->powerOff(chassis), ECS_ERR_LINK);
    EXPECT_EQ(f.ui.messages().back(), " ECS Error(POWER OFF) ");
    // No power register: nothing sent.
    chassis.powerRegister = 0;
    const size_t before = f.traffic();
    EXPECT_EQ(f.link->powerOn(chassis), ECS_OK);
    EXPECT_EQ(f.traffic(), before);
}

TEST_P(Sequences, StandardListsWaitWriteAndStopOnALinkError) {
    StandardList start{};
    start[0] = {kTimer, 4};
    start[1] = {kUmt, 7};
    start[2] = {0x7FFFF, 1};  // no such register
    start[3] = {kGuard, 8};
    EXPECT_EQ(f.link->standardPreSequence(start), ECS_OK);
    EXPECT_EQ(f.clock.sleeps(), std::vector<uint32_t>({100, 100, 100, 100}));
    EXPECT_EQ(f.ui.messages(), std::vector<std::string>({" ECS syntax Error "}));
    EXPECT_EQ(singleWrites(*f.protocol), std::vector<P>({{kUmtAddress, 7}, {kGuardAddress, 8}}));
    f.protocol->setSilent(true);
    f.protocol->clearTransactions();
    f.ui.clear();
    EXPECT_EQ(f.link->standardPostSequence(start), ECS_ERR_LINK);
    EXPECT_EQ(f.ui.messages().back(), kBusNg);
    EXPECT_EQ(f.traffic(), 2u);  // stopped after the first write's two attempts
}

// A "Timer" value of a corrupt file would wait up to years: beyond 3000 steps
// (five minutes) the sequence stops before waiting or writing anything more.
TEST_P(Sequences, TimerBeyondFiveMinutesStopsTheServiceListAsCorrupt) {
    chassis.entry = list({{kUmt, 1}, {kTimer, 3000}, {kTimer, 3001}, {kGuard, 2}});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_ERR_FORMAT);
    EXPECT_EQ(f.clock.totalSlept(), 3000u * 100u);
    EXPECT_EQ(f.ui.messages(),
              std::vector<std::string>({" Timer value 3001 is out of range (0..3000): the file is corrupt. "}));
    // Neither the entry after the timer nor the key-off write went out.
    EXPECT_EQ(singleWrites(*f.protocol), std::vector<P>({{kUmtAddress, 1}}));
    EXPECT_FALSE(f.link->monitorNotConnected());

    f.ui.clear();
    f.clock.clearSleeps();
    chassis.exit = list({{kTimer, 32767}, {kField, 1}});
    EXPECT_EQ(f.link->serviceExit(chassis), ECS_ERR_FORMAT);
    EXPECT_EQ(f.clock.totalSlept(), 0u);
    EXPECT_EQ(f.ui.messages(),
              std::vector<std::string>({" Timer value 32767 is out of range (0..3000): the file is corrupt. "}));
}

TEST_P(Sequences, TimerBeyondFiveMinutesInARecoveryBlockStopsTheList) {
    chassis.entry = list({{kGuard, -911}, {kTimer, 5000}, {kField, 1}});
    f.protocol->addFault({Kind::BadChecksum, 0, 0, 2, kSingleWrite, kGuardAddress});
    EXPECT_EQ(f.link->serviceEntry(chassis), ECS_ERR_FORMAT);
    EXPECT_EQ(f.clock.totalSlept(), 0u);
    EXPECT_EQ(f.ui.messages().back(), " Timer value 5000 is out of range (0..3000): the file is corrupt. ");
    EXPECT_EQ(f.protocol->memory(kFieldDevice, kFieldAddress), 0);
}

TEST_P(Sequences, TimerBeyondFiveMinutesStopsTheStandardLists) {
    StandardList end{};
    end[0] = {kTimer, 3000};
    end[1] = {kTimer, 0x7FFFFFFF};  // 32-bit lists: years
    end[2] = {kUmt, 7};
    EXPECT_EQ(f.link->standardPostSequence(end), ECS_ERR_FORMAT);
    EXPECT_EQ(f.clock.totalSlept(), 3000u * 100u);
    EXPECT_EQ(f.ui.messages(),
              std::vector<std::string>({" Timer value 2147483647 is out of range (0..3000): the file is corrupt. "}));
    EXPECT_EQ(f.traffic(), 0u);
}
