#include <gtest/gtest.h>

#include "screens/failure_screen.h"
#include "service_fixture.h"

using namespace screens;
using namespace screens::testing;
using core::InputEvent;
using Wait = platform::FakeClock::Wait;

namespace {
struct Failure : ::testing::Test, ServiceFixture {};
} // namespace

TEST_F(Failure, ListsANamedLinePerBitOfEveryFailureRegister) {
    regs.set(reg::kFailureA, 0x81);
    FailureScreen s(context);
    ASSERT_TRUE(s.open());
    EXPECT_EQ(s.lines(), (std::vector<std::string>{"== Fail_A ==", "H-Deflection     : Error ",
                                                   "V-Deflection     : Normal", "EEPROM           : Error ",
                                                   "== Fail_B ==", "Fan              : Normal"}));
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceEntry"});
}

TEST_F(Failure, ATableWhoseFirstCodeIs0ListsNothing) {
    model.chassis.failureTable[0].code = 0;
    FailureScreen s(context);
    ASSERT_TRUE(s.open());
    EXPECT_TRUE(s.lines().empty());
    regs.clearAccesses();
    s.handle(InputEvent::click("Refresh"));
    EXPECT_TRUE(regs.writes().empty());
    EXPECT_EQ(s.lines(), std::vector<std::string>{"=== Refresh done ==="});
}

TEST_F(Failure, AtMostFiveRegistersAreListed) {
    model.chassis.failureTable.clear();
    for (uint16_t i = 0; i < 7; ++i) {
        regs.define(0x0500 + i, "F" + std::to_string(i));
        model.chassis.failureTable.push_back({static_cast<int16_t>(0x0500 + i), {"Bit"}});
    }
    FailureScreen s(context);
    ASSERT_TRUE(s.open());
    EXPECT_EQ(s.lines().size(), 10u);
    EXPECT_EQ(s.lines()[8], "== F4     ==");
}

TEST_F(Failure, RefreshClearsTheBitsAndPowerCyclesTheMonitor) {
    regs.set(reg::kFailureA, 0x02);
    regs.set(reg::kFailureB, 0x01);
    FailureScreen s(context);
    ASSERT_TRUE(s.open());
    regs.clearAccesses();
    clock.clearSleeps();
    ASSERT_TRUE(s.handle(InputEvent::click("Refresh")));
    EXPECT_EQ(regs.writes(), (std::vector<std::pair<uint16_t, int32_t>>{{reg::kFailureA, 0}, {reg::kFailureB, 0}}));
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"powerOff", "powerOn"}));
    EXPECT_EQ(clock.waits(), (std::vector<Wait>{{kRefreshPowerOffWait, 1000}, {kRefreshPowerOnWait, 2000}}));
    ASSERT_EQ(s.lines().size(), 7u);
    EXPECT_EQ(s.lines()[2], "V-Deflection     : Normal");
    EXPECT_EQ(s.lines()[6], "=== Refresh done ===");
}

TEST_F(Failure, AFailedReadShowsUnknownBitsAndSaysWhy) {
    regs.refuse(reg::kFailureB, core::ECS_ERR_FORMAT);
    FailureScreen s(context);
    ASSERT_TRUE(s.open());
    EXPECT_EQ(s.lines().back(), "Fan              : Unknown");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{" ECS syntax Error "});
}

TEST_F(Failure, AProcedureKeepsServiceModeOpenOnBothEnds) {
    flags.procedureRunning = true;
    ui.answerModal({InputEvent::click("Refresh"), InputEvent::click("Close")});
    EXPECT_EQ(runFailure(context), 1);
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"powerOff", "powerOn"}));
    flags.procedureRunning = false;
    regs.clearAccesses();
    ui.answerModal({InputEvent::press(core::Key::Escape)});
    runFailure(context);
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"serviceEntry", "serviceExit"}));
}
