#include <gtest/gtest.h>

#include "screens/factory_preset.h"
#include "service_fixture.h"

using namespace screens;
using namespace screens::testing;
using core::InputEvent;
using core::Key;

namespace {

InputEvent alt(char c) { return InputEvent::charKey(c, true); }
InputEvent press(Key k) { return InputEvent::press(k); }

struct Preset : ::testing::Test, ServiceFixture {
    std::unique_ptr<FactoryPreset> screen;
    FactoryPreset& open(FactoryPreset::Variant variant = FactoryPreset::Variant::Timings, bool av = false) {
        screen = std::make_unique<FactoryPreset>(context, variant, av);
        EXPECT_TRUE(screen->open());
        regs.clearAccesses();
        return *screen;
    }
    bool feed(const InputEvent& e) { return screen->handle(e); }
    std::string valueText(size_t slider) const { return screen->sliders().slider(slider).valueText; }
};

} // namespace

TEST_F(Preset, OpensWithTheTimingListAndSliderRangesButSendsNothing) {
    FactoryPreset& s = open();
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{});  // cleared after the entry
    ASSERT_EQ(s.rows().size(), 12u);
    EXPECT_EQ(s.rows()[0], " 1:Timing 1       ");
    EXPECT_EQ(s.rows()[11], "12:Timing 12      ");
    EXPECT_EQ(s.marks(), std::vector<std::string>(12, ""));
    EXPECT_EQ(s.selectedRow(), -1);
    EXPECT_FALSE(s.adjusting());
    EXPECT_EQ(driver.applies(), 0u);
    const PresetSlider& pos = s.sliders().slider(1);
    EXPECT_EQ(pos.name, "H-Pos ");
    EXPECT_EQ(pos.min, -32);
    EXPECT_EQ(pos.max, 31);
    EXPECT_EQ(s.sliders().slider(0).name, "H-Size");
    EXPECT_FALSE(s.sliders().visible(6));  // no register named there
    EXPECT_EQ(s.focus(), FactoryPreset::kFocusList);
    // No row: the sliders take nothing.
    EXPECT_FALSE(feed(alt('Q')));
    EXPECT_TRUE(regs.writes().empty());
}

TEST_F(Preset, ARowSendsItsTimingAndTheMonitorsModeMakesTheScreenReady) {
    regs.set(reg::kSyncPolarity, 0b1001);  // composite, H bit set, V bit clear
    sg.selection() = {siggen::kPatternWhite, siggen::kColourR, 1};
    FactoryPreset& s = open();
    EXPECT_TRUE(feed(alt('3')));
    ASSERT_EQ(driver.applies(), 1u);
    EXPECT_EQ(driver.timings[0].name, "Timing 3");
    EXPECT_EQ(driver.selections[0], (siggen::SgPatternSelection{0, 3, 0}));
    EXPECT_FALSE(driver.patternOnly[0]);
    EXPECT_EQ(s.marks()[2], "*");
    EXPECT_EQ(s.selectedRow(), 2);
    EXPECT_TRUE(s.adjusting());
    EXPECT_EQ(s.status().mode, "3    ");
    EXPECT_EQ(s.status().hFrequency, "-31.50[KHz]");  // a set bit is "-" unless the name begins with "#"
    EXPECT_EQ(s.status().vFrequency, "+59.94[Hz]");
    EXPECT_EQ(s.status().sync, "Comp");
    EXPECT_EQ(valueText(0), "100  ");
    EXPECT_EQ(valueText(1), "-6   ");  // signed byte where the minimum is not 0
    EXPECT_TRUE(ui.messages().empty());

    // The same row again sends nothing; Alt+0 is the tenth row.
    EXPECT_TRUE(feed(InputEvent::selectRow(3)));
    EXPECT_EQ(driver.applies(), 1u);
    EXPECT_TRUE(feed(alt('0')));
    EXPECT_EQ(driver.timings.back().name, "Timing 10");
    EXPECT_EQ(s.marks()[2], "*");
    EXPECT_EQ(s.marks()[9], "*");
    EXPECT_EQ(s.marks()[4], "");
}

TEST_F(Preset, TheHashNameRulesTurnTheSignsAndWidenTheSyncKind) {
    regs.define(reg::kHFrequency, "#H-Freq", 315, 0, 0xFFFF);
    regs.define(reg::kSyncPolarity, "#SyncPol", (10 << 2) | 0b01);
    FactoryPreset& s = open();
    feed(alt('1'));
    EXPECT_EQ(s.status().hFrequency, "+31.50[KHz]");
    EXPECT_EQ(s.status().vFrequency, "+59.94[Hz]");
    EXPECT_EQ(s.status().sync, "Ext");
    EXPECT_EQ(syncKindText(3 << 2, false), "Sync_G");
    EXPECT_EQ(syncKindText(1 << 2, false), "");
    EXPECT_EQ(syncKindText(0, true), "Sync_G");
    EXPECT_EQ(frequencyText(FrequencyLine::Vertical, 7512, std::nullopt, false), "75.12[Hz]");
}

TEST_F(Preset, AModeMismatchDeselectsTheRowAndClearsTheSliders) {
    monitorMode = [](int timing) { return timing == 3 ? 5 : timing; };
    FactoryPreset& s = open();
    feed(alt('3'));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"The monitor has selected mode 5 instead of 3."});
    EXPECT_EQ(s.selectedRow(), -1);
    EXPECT_FALSE(s.adjusting());
    EXPECT_EQ(s.marks()[2], "*");
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(valueText(i), "");
        EXPECT_EQ(s.sliders().slider(i).value, s.sliders().slider(i).min);
    }
    EXPECT_FALSE(feed(alt('Q')));
    // The technician fixes the generator and chooses the row again.
    monitorMode = [](int timing) { return timing; };
    feed(alt('3'));
    EXPECT_EQ(driver.applies(), 2u);
    EXPECT_TRUE(s.adjusting());
}

TEST_F(Preset, SliderKeysAndTypedValuesWriteClampedValues) {
    FactoryPreset& s = open();
    feed(alt('1'));
    regs.clearAccesses();
    ASSERT_TRUE(feed(alt('Q')));
    EXPECT_EQ(s.selectedSlider(), 0);
    for (Key k : {Key::Up, Key::PageUp, Key::Down, Key::PageDown, Key::Home, Key::End}) EXPECT_TRUE(feed(press(k)));
    EXPECT_EQ(valuesWritten(reg::kPresets), (std::vector<int32_t>{101, 121, 120, 100, 255, 0}));
    for (const auto& a : regs.accesses()) {
        if (a.kind == ecs::MemoryRegisters::Access::Kind::Write) {
            EXPECT_EQ(a.flags, ecs::kSendNow);
        }
    }

    // Page Up five below the maximum stops at the maximum.
    feed(InputEvent::typed("250"));
    feed(press(Key::Enter));
    feed(press(Key::PageUp));
    EXPECT_EQ(regs.value(reg::kPresets), 255);

    // "0 " is zero, "0" and text reading as 0 are refused, large values clamp.
    feed(InputEvent::typed("0 "));
    feed(press(Key::Enter));
    EXPECT_EQ(regs.value(reg::kPresets), 0);
    feed(InputEvent::typed("40"));
    feed(press(Key::Enter));
    for (const char* refused : {"0", "abc", ""}) {
        feed(InputEvent::typed(refused));
        feed(press(Key::Enter));
        EXPECT_EQ(valueText(0), "40   ") << refused;
    }
    feed(InputEvent::typed("999"));
    feed(press(Key::Enter));
    EXPECT_EQ(regs.value(reg::kPresets), 255);

    ASSERT_TRUE(feed(alt('W')));
    feed(InputEvent::typed("-40"));
    feed(press(Key::Enter));
    EXPECT_EQ(regs.value(reg::kPresets + 1), -32);
    EXPECT_EQ(valueText(1), "-32  ");
    EXPECT_TRUE(s.modified());
    EXPECT_FALSE(feed(alt('U')));  // slider 7 has no register
}

TEST_F(Preset, AChangedModeAsksBeforeTheNextRowAndYesSavesIt) {
    FactoryPreset& s = open();
    feed(alt('1'));
    feed(alt('Q'));
    feed(press(Key::Up));
    ui.answerYesNo(true);
    regs.clearAccesses();
    feed(alt('2'));
    EXPECT_EQ(ui.questions(), std::vector<std::string>{"Do you save previous mode ?"});
    // Saved while the monitor still shows the previous mode, read back, then the new timing.
    ASSERT_FALSE(regs.writes().empty());
    EXPECT_EQ(regs.writes()[0], (std::pair<uint16_t, int32_t>{reg::kUserSave, 0}));
    EXPECT_EQ(driver.timings.back().name, "Timing 2");
    EXPECT_FALSE(s.modified());
}

TEST_F(Preset, NoKeepsTheWritesButStoresNothing) {
    FactoryPreset& s = open();
    feed(alt('1'));
    feed(alt('E'));
    feed(press(Key::Down));
    ui.answerYesNo(false);
    feed(alt('2'));
    EXPECT_EQ(regs.value(reg::kPresets + 2), 119);  // the write stays in the monitor
    EXPECT_TRUE(valuesWritten(reg::kUserSave).empty());
    EXPECT_FALSE(s.modified());
    // Unchanged, nothing is asked; closing asks only after a change.
    feed(alt('3'));
    feed(alt('E'));
    feed(press(Key::Up));
    ui.answerYesNo(true);
    feed(press(Key::Escape));
    EXPECT_EQ(ui.questions().size(), 2u);
    EXPECT_EQ(valuesWritten(reg::kUserSave), std::vector<int32_t>{0});
    EXPECT_TRUE(s.closed());
}

TEST_F(Preset, RestoreInEcsType1WritesTheRestoreRegisterOnly) {
    regs.setEcsType(1);
    FactoryPreset& s = open();
    feed(alt('1'));
    feed(alt('Q'));
    feed(press(Key::Up));
    regs.clearAccesses();
    EXPECT_TRUE(feed(InputEvent::click("Restore")));
    EXPECT_EQ(regs.writes(), (std::vector<std::pair<uint16_t, int32_t>>{{reg::kRestore, 0}}));
    EXPECT_TRUE(regs.sequences().empty());
    EXPECT_TRUE(clock.waitsNamed(kRestorePowerOffWait).empty());
    EXPECT_FALSE(s.modified());
}

TEST_F(Preset, RestoreInEcsType2PowerCyclesTheMonitorWithItsWaits) {
    regs.setEcsType(2);
    FactoryPreset& s = open();
    feed(alt('1'));
    regs.clearAccesses();
    const size_t before = clock.waits().size();
    feed(InputEvent::click("Restore"));
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"powerOff", "powerOn"}));
    const std::vector<platform::FakeClock::Wait> waits(clock.waits().begin() + static_cast<long>(before),
                                                       clock.waits().end());
    EXPECT_EQ(waits, (std::vector<platform::FakeClock::Wait>{{kRestorePowerOffWait, 1000}, {kRestorePowerOnWait, 1000}}));
    // The registers were read again after the power cycle.
    EXPECT_EQ(regs.accesses().back().kind, ecs::MemoryRegisters::Access::Kind::Read);
    EXPECT_EQ(valueText(0), "100  ");
    EXPECT_TRUE(s.adjusting());
}

TEST_F(Preset, TabWalksListSlidersAndButtonsAndEnterPressesTheFocusedOne) {
    FactoryPreset& s = open();
    std::vector<int> order;
    for (int i = 0; i < 10; ++i) {
        feed(press(Key::Tab));
        order.push_back(s.focus());
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6, 9, 10, 11, 0}));
    feed(press(Key::Backtab));
    EXPECT_EQ(s.focus(), FactoryPreset::kFocusClose);
    feed(press(Key::Backtab));
    feed(press(Key::Backtab));
    EXPECT_EQ(s.focus(), FactoryPreset::kFocusSave);
    regs.clearAccesses();
    feed(press(Key::Enter));
    EXPECT_EQ(valuesWritten(reg::kUserSave), std::vector<int32_t>{0});
    feed(press(Key::Tab));
    feed(press(Key::Tab));
    feed(press(Key::Enter));
    EXPECT_TRUE(s.closed());
}

TEST_F(Preset, UpAndDownOnTheListMoveTheSelectionWithinTheList) {
    setPresets(3);
    FactoryPreset& s = open();
    feed(press(Key::Up));
    EXPECT_EQ(s.selectedRow(), 0);
    feed(press(Key::Up));
    feed(press(Key::Down));
    feed(press(Key::Down));
    feed(press(Key::Down));
    EXPECT_EQ(s.selectedRow(), 2);
    ASSERT_EQ(driver.applies(), 3u);  // rows 1, 2, 3; the clamped moves send nothing
    EXPECT_EQ(driver.timings[2].name, "Timing 3");
    EXPECT_FALSE(feed(alt('4')));  // beyond the list
}

TEST_F(Preset, ClosingLeavesServiceModeAndResetsTheGeneratorUnlessAProcedureHoldsIt) {
    open();
    feed(alt('2'));
    feed(InputEvent::click("Close"));
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceExit"});
    EXPECT_EQ(driver.timings.back().name, "VGA Graphics");
    EXPECT_FALSE(feed(press(Key::Escape)));  // closed: nothing more

    flags.procedureRunning = true;
    regs.clearAccesses();
    FactoryPreset nested(context);
    ASSERT_TRUE(nested.open());
    nested.finish();
    nested.finish();
    EXPECT_TRUE(regs.sequences().empty());
}

TEST_F(Preset, ANotConnectedMonitorClosesTheScreenAtOnce) {
    regs.disconnect();
    FactoryPreset s(context);
    EXPECT_FALSE(s.open());
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), 0);
    EXPECT_TRUE(s.rows().empty());
    s.finish();
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceEntry"});
    EXPECT_EQ(driver.applies(), 0u);
    EXPECT_EQ(runFactoryPreset(context), 0);
    EXPECT_TRUE(ui.modalKinds().empty());
}

TEST_F(Preset, TheKind9VariantAdjustsTheShownModeWithoutAListOrGenerator) {
    useKind(siggen::kSgKindAppliance);
    FactoryPreset s(context, FactoryPreset::Variant::Appliance);
    ASSERT_TRUE(s.open());
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceEntry"});
    EXPECT_TRUE(s.adjusting());
    EXPECT_FALSE(s.hasList());
    EXPECT_EQ(s.sliders().slider(1).valueText, "-6   ");
    EXPECT_EQ(s.selectedSlider(), 0);
    EXPECT_FALSE(s.handle(alt('1')));
    EXPECT_TRUE(s.handle(press(Key::Up)));
    EXPECT_EQ(regs.value(reg::kPresets), 101);
    ui.answerYesNo(false);
    EXPECT_TRUE(s.handle(press(Key::Escape)));
    EXPECT_EQ(driver.applies(), 0u);  // no reset either
    EXPECT_EQ(s.view().lists.size(), 0u);
}

TEST_F(Preset, TheAvListNamesAvTimingsAndSendsThePresetOfTheSameNumber) {
    model.image.avPresetCount = 2;
    model.image.avPresets[0].name = "AV 480p";
    model.image.avPresets[1].name = "AV 576p";
    FactoryPreset& s = open(FactoryPreset::Variant::Timings, true);
    ASSERT_EQ(s.rows().size(), 2u);
    EXPECT_EQ(s.rows()[1], " 2:AV 576p        ");
    feed(alt('2'));
    EXPECT_EQ(driver.timings.back().name, "Timing 2");
    EXPECT_TRUE(s.adjusting());
}

TEST_F(Preset, AHandSetGeneratorShowsItsParametersAfterEachRow) {
    useKind(siggen::kSgKindManual);
    open();
    feed(alt('4'));
    ASSERT_EQ(ui.manualParameters().size(), 1u);
    EXPECT_EQ(ui.manualParameters()[0].rows[1].value, "Timing 4");
}

TEST_F(Preset, EventsArrivingWhileARowIsBeingSentAreDropped) {
    FactoryPreset* s = nullptr;
    bool nestedTaken = false;
    monitorMode = [&](int timing) {
        nestedTaken = s->handle(alt('5'));  // a key pressed during the switch
        return timing;
    };
    s = &open();
    feed(alt('2'));
    EXPECT_TRUE(nestedTaken);
    EXPECT_EQ(driver.applies(), 1u);
    EXPECT_EQ(s->selectedRow(), 1);
}

TEST_F(Preset, TheViewShowsWhatTheCommandLinePrints) {
    FactoryPreset& s = open();
    feed(alt('1'));
    feed(alt('W'));
    const core::ScreenView v = s.view();
    EXPECT_EQ(v.title, "Factory Preset");
    ASSERT_EQ(v.lists.size(), 1u);
    EXPECT_EQ(v.lists[0].lines[0], "* 1:Timing 1       ");
    EXPECT_EQ(v.lists[0].selected, 0);
    auto field = [&](const std::string& name) {
        for (const auto& f : v.fields)
            if (f.name == name) return f.value;
        return std::string("<none>");
    };
    EXPECT_EQ(field("Mode"), "1    ");
    EXPECT_EQ(field("W H-Pos"), "-6   ");
    EXPECT_EQ(field("U "), "<none>");
    EXPECT_EQ(field("Focus"), "H-Pos");
    ASSERT_EQ(v.buttons.size(), 3u);
    EXPECT_EQ(v.buttons[2].caption, "Close");
}
