#include <gtest/gtest.h>

#include "screens/maintenance_screen.h"
#include "service_fixture.h"

using namespace screens;
using namespace screens::testing;
using core::InputEvent;
using Wait = platform::FakeClock::Wait;

namespace {

struct Maintenance : ::testing::Test, ServiceFixture {
    std::unique_ptr<MaintenanceScreen> screen;
    MaintenanceScreen& open() {
        screen = std::make_unique<MaintenanceScreen>(context);
        EXPECT_TRUE(screen->open());
        regs.clearAccesses();
        clock.clearSleeps();
        return *screen;
    }
    std::vector<Wait> waits() const { return clock.waits(); }
};

} // namespace

TEST_F(Maintenance, ShowsTheIdentifiersAndTheSwitchesTheChassisOffers) {
    regs.set(reg::kFactoryId + 0, 0x5658);  // "VX"
    regs.set(reg::kFactoryId + 1, 0x3137);  // "17"
    regs.set(reg::kFactoryId + 2, 0x0205);  // 2 5
    regs.set(reg::kFactoryId + 3, 0x0941);  // 9 'A'
    MaintenanceScreen& s = open();
    EXPECT_EQ(s.monitorIdText(), "Monitor ID : 1A2B");
    EXPECT_EQ(s.factoryIdText(), "Factory ID : VX17A259");
    EXPECT_TRUE(s.degaussVisible());
    EXPECT_TRUE(s.agingVisible());
    EXPECT_TRUE(s.powerVisible());
    EXPECT_EQ(s.powerCaption(), "POWER OFF");  // on: the button switches it off
    EXPECT_EQ(s.agingCaption(), "Aging ON");
    EXPECT_TRUE(s.noteVisible());
    const core::ScreenView v = s.view();
    ASSERT_EQ(v.buttons.size(), 4u);
    EXPECT_EQ(v.buttons[1].caption, "Aging ON");
    EXPECT_EQ(v.buttons[2].caption, "POWER OFF");
}

TEST_F(Maintenance, ControlBytesOfTheFactoryIdShowAsDotsAndAFailedReadAsDashes) {
    regs.set(reg::kFactoryId + 0, 0x0041);  // a NUL would cut the text short
    MaintenanceScreen& s = open();
    EXPECT_EQ(s.factoryIdText(), "Factory ID : .A...000");

    regs.refuse(reg::kMonitorId, core::ECS_ERR_LINK);
    MaintenanceScreen again(context);
    ASSERT_TRUE(again.open());
    EXPECT_EQ(again.monitorIdText(), "Monitor ID : ----");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Check RS232C line"});
}

TEST_F(Maintenance, MissingRegistersAndClearedFlagsHideTheirParts) {
    model.chassis.showDegauss = 0;
    setSpecial(modeldb::chassis::kFactoryId, 0);
    setSpecial(modeldb::chassis::kAging, 0);
    model.chassis.sequences.powerRegister = 0;
    MaintenanceScreen& s = open();
    EXPECT_FALSE(s.degaussVisible());
    EXPECT_FALSE(s.agingVisible());
    EXPECT_FALSE(s.powerVisible());
    EXPECT_EQ(s.factoryIdText(), "");
    EXPECT_EQ(s.view().buttons.size(), 1u);
    EXPECT_FALSE(s.handle(InputEvent::click("Degauss")));
    EXPECT_FALSE(s.handle(InputEvent::click("POWER ON")));
}

TEST_F(Maintenance, DegaussWritesOne) {
    MaintenanceScreen& s = open();
    EXPECT_TRUE(s.handle(InputEvent::click("Degauss")));
    EXPECT_EQ(regs.writes(), (std::vector<std::pair<uint16_t, int32_t>>{{reg::kDegauss, 1}}));
}

TEST_F(Maintenance, PowerButtonSwitchesWhatItsCaptionSaysWithItsWaits) {
    MaintenanceScreen& s = open();
    ASSERT_TRUE(s.handle(InputEvent::click("POWER OFF")));
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"powerOff"});
    EXPECT_EQ(s.powerCaption(), "POWER ON");
    EXPECT_EQ(s.powerState(), 0);
    EXPECT_EQ(waits(), (std::vector<Wait>{{kPowerSwitchWait, 1000}}));
    clock.clearSleeps();
    ASSERT_TRUE(s.handle(InputEvent::click("POWER ON")));
    EXPECT_EQ(s.powerCaption(), "POWER OFF");
    EXPECT_EQ(s.powerState(), 1);
    EXPECT_EQ(waits(), (std::vector<Wait>{{kPowerSwitchWait, 1000}, {kPowerOnSettleWait, 1000}}));
    // The stale caption no longer names a button.
    EXPECT_FALSE(s.handle(InputEvent::click("POWER ON")));
}

TEST_F(Maintenance, Kind9PowerStatesAreTwoAndThreeAndTheNoteIsHidden) {
    useKind(siggen::kSgKindAppliance);
    regs.set(reg::kPower, 3);
    MaintenanceScreen& s = open();
    EXPECT_EQ(s.powerState(), 3);
    EXPECT_EQ(s.powerCaption(), "POWER ON");
    EXPECT_FALSE(s.noteVisible());
    s.handle(InputEvent::click("Power"));
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"powerOn"});
    EXPECT_EQ(s.powerState(), 2);
    EXPECT_EQ(s.powerCaption(), "POWER OFF");
    s.handle(InputEvent::click("POWER OFF"));
    EXPECT_EQ(s.powerState(), 3);
    EXPECT_EQ(s.powerCaption(), "POWER ON");

    regs.set(reg::kPower, 1);  // bit 0 alone is not "on" for kind 9
    MaintenanceScreen other(context);
    ASSERT_TRUE(other.open());
    EXPECT_EQ(other.powerState(), 1);
    EXPECT_EQ(other.powerCaption(), "POWER ON");
}

TEST_F(Maintenance, AFailedPowerSwitchKeepsCaptionAndState) {
    MaintenanceScreen& s = open();
    regs.disconnect();
    s.handle(InputEvent::click("POWER OFF"));
    EXPECT_EQ(s.powerCaption(), "POWER OFF");
    EXPECT_EQ(s.powerState(), 1);
    EXPECT_TRUE(clock.waitsNamed(kPowerSwitchWait).empty());
}

TEST_F(Maintenance, AgingOnIsConfirmedByReadingItBack) {
    MaintenanceScreen& s = open();
    ASSERT_TRUE(s.handle(InputEvent::click("Aging ON")));
    EXPECT_EQ(s.agingCaption(), "Aging OFF");
    EXPECT_EQ(s.agingState(), 1);
    EXPECT_EQ(waits(), (std::vector<Wait>{{kAgingStartWait, 1000}, {kAgingReadBackWait, 200}, {kAgingOnSettleWait, 3000}}));
    clock.clearSleeps();
    ASSERT_TRUE(s.handle(InputEvent::click("Aging")));
    EXPECT_EQ(s.agingCaption(), "Aging ON");
    EXPECT_EQ(waits(), (std::vector<Wait>{{kAgingStartWait, 1000}, {kAgingReadBackWait, 200}}));
}

TEST_F(Maintenance, AnAgingRegisterThatNeverReadsBackKeepsAgingOnAfterThreeTries) {
    regs.ignoreWrites(reg::kAging);
    MaintenanceScreen& s = open();
    s.handle(InputEvent::click("Aging ON"));
    EXPECT_EQ(valuesWritten(reg::kAging), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(s.agingCaption(), "Aging ON");
    EXPECT_EQ(s.agingState(), 0);
    EXPECT_EQ(clock.waitsNamed(kAgingReadBackWait), (std::vector<uint32_t>{200, 200, 200}));
    EXPECT_EQ(clock.waitsNamed(kAgingOnSettleWait), std::vector<uint32_t>{3000});
}

TEST_F(Maintenance, ClosingSwitchesAgingOffThenLeavesServiceMode) {
    regs.set(reg::kAging, 1);
    MaintenanceScreen& s = open();
    EXPECT_EQ(s.agingCaption(), "Aging OFF");
    EXPECT_TRUE(s.handle(InputEvent::press(core::Key::Escape)));
    EXPECT_EQ(regs.value(reg::kAging), 0);
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceExit"});
    EXPECT_EQ(clock.waitsNamed(kAgingStartWait).size(), 0u);  // only the tries
    EXPECT_TRUE(s.closed());
}

TEST_F(Maintenance, AHandSetGeneratorGetsThePrimeTimingBeforeServiceEntry) {
    useKind(siggen::kSgKindManual);
    model.image.primeMode = 2;
    MaintenanceScreen s(context);
    ASSERT_TRUE(s.open());
    ASSERT_EQ(ui.manualParameters().size(), 1u);
    EXPECT_EQ(ui.manualParameters()[0].rows[0].value, "Prime Mode");
    EXPECT_EQ(ui.manualParameters()[0].rows[1].value, "Timing 2");
    EXPECT_EQ(sg.timing().mode, 201);
}

TEST_F(Maintenance, ANotConnectedMonitorClosesAtOnce) {
    regs.disconnect();
    EXPECT_EQ(runMaintenance(context), 0);
    EXPECT_TRUE(ui.modalKinds().empty());
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceEntry"});
}

TEST_F(Maintenance, ClicksArrivingWhilePowerSwitchesAreDropped) {
    MaintenanceScreen& s = open();
    // A click that reaches the screen while it waits for the monitor.
    struct ClickingClock : platform::FakeClock {
        MaintenanceScreen* screen = nullptr;
        bool taken = false;
        void sleepMs(uint32_t ms, std::string_view what) override {
            if (screen) taken = screen->handle(InputEvent::click("POWER ON"));
            platform::FakeClock::sleepMs(ms, what);
        }
    } clicking;
    appstate::ScreenContext c{model, regs, sg, ui, clicking, flags, "CM-17X", ""};
    MaintenanceScreen nested(c);
    ASSERT_TRUE(nested.open());
    clicking.screen = &nested;
    nested.handle(InputEvent::click("POWER OFF"));
    EXPECT_TRUE(clicking.taken);
    EXPECT_EQ(nested.powerCaption(), "POWER ON");
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"serviceEntry", "powerOff"}));
    (void)s;
}
