#include <gtest/gtest.h>

#include "core/record_io.h"
#include "platform/testing/test_folder.h"
#include "screens/expert_screen.h"
#include "service_fixture.h"

using namespace screens;
using namespace screens::testing;
using core::InputEvent;
using Access = ecs::MemoryRegisters::Access;

namespace {

namespace mode {
constexpr uint16_t kCount = 0x0402;
constexpr uint16_t kSync = 0x0500, kHPol = 0x0501, kVPol = 0x0502, kHFreq = 0x0503, kVFreq = 0x0504;
} // namespace mode

struct NestedLog : ExpertNestedScreens {
    std::vector<std::string> opened;
    void openTimingDownload() override { opened.push_back("download"); }
    void openViewer() override { opened.push_back("viewer"); }
};

// A 52-byte release record with its version, editor and date fields.
std::string releaseRecord(const std::string& version, const std::string& editor, const std::string& date) {
    core::RecordWriter w(52);
    w.textAt(0, 15, version);
    w.textAt(15, 16, editor);
    w.textAt(31, 20, date);
    return std::string(w.bytes().begin(), w.bytes().end());
}

struct Expert : ::testing::Test, ServiceFixture {
    platform::testing::TestFolder folder;
    NestedLog nested;
    std::unique_ptr<ExpertScreen> screen;

    Expert() {
        setSpecial(modeldb::chassis::kNUser, static_cast<int16_t>(mode::kCount));
        model.chassis.timingRegisters = {mode::kSync, mode::kHPol, mode::kVPol, mode::kHFreq, mode::kVFreq};
        regs.define(mode::kCount, "N_User", 3);
        regs.definePerMode(mode::kSync, "M_Sync");
        regs.definePerMode(mode::kHPol, "M_HPol");
        regs.definePerMode(mode::kVPol, "M_VPol");
        regs.definePerMode(mode::kHFreq, "M_HFreq", 0, 0xFFFF);
        regs.definePerMode(mode::kVFreq, "M_VFreq", 0, 0xFFFF);
        const int32_t table[3][5] = {{0, 0, 1, 315, 5994}, {2, 1, 0, 469, 7500}, {3, 1, 1, 687, 8500}};
        for (int m = 0; m < 3; ++m)
            for (int i = 0; i < 5; ++i) regs.setInMode(static_cast<uint16_t>(mode::kSync + i), m, table[m][i]);
    }
    ExpertScreen& open() {
        screen = std::make_unique<ExpertScreen>(context, nested, folder.file("pelaro.rls"));
        EXPECT_TRUE(screen->open());
        regs.clearAccesses();
        return *screen;
    }
    ExpertScreen& openTable(int selectRow = 0) {
        ExpertScreen& s = open();
        EXPECT_TRUE(s.handle(InputEvent::click("Timing Edit")));
        if (selectRow > 0) {
            EXPECT_TRUE(s.handle(InputEvent::selectRow(selectRow)));
        }
        regs.clearAccesses();
        return s;
    }
    const std::vector<std::string>& row(int r) const { return screen->grid().rows[static_cast<size_t>(r - 1)]; }
};

} // namespace

TEST_F(Expert, OpensInServiceModeWithOnlyItsCommandsAndLeavesItOnce) {
    ExpertScreen s(context, nested, folder.file("pelaro.rls"));
    ASSERT_TRUE(s.open());
    EXPECT_EQ(s.gridKind(), ExpertScreen::GridKind::None);
    core::ScreenView v = s.view();
    EXPECT_TRUE(v.lists.empty());
    ASSERT_EQ(v.buttons.size(), 5u);
    EXPECT_EQ(v.buttons[0].caption, "Release Ver");
    EXPECT_EQ(v.buttons[3].caption, "Viewer");
    // The editing commands are not there before the mode table is.
    EXPECT_FALSE(s.handle(InputEvent::click("SYNC")));
    EXPECT_TRUE(s.handle(InputEvent::click("Down timing")));
    EXPECT_TRUE(s.handle(InputEvent::click("Viewer")));
    EXPECT_EQ(nested.opened, (std::vector<std::string>{"download", "viewer"}));
    EXPECT_TRUE(s.handle(InputEvent::press(core::Key::Escape)));
    EXPECT_TRUE(s.closed());
    s.finish();
    EXPECT_EQ(regs.sequences(), (std::vector<std::string>{"serviceEntry", "serviceExit"}));
}

TEST_F(Expert, ClosesAtOnceWhenTheMonitorIsNotConnected) {
    regs.disconnect();
    ui.answerModal([](core::Screen&) { ADD_FAILURE() << "the screen must not run"; return 0; });
    EXPECT_EQ(runExpert(context, nested, folder.file("pelaro.rls")), 0);
    EXPECT_EQ(regs.sequences(), std::vector<std::string>{"serviceEntry"});
    ui.clear();
}

TEST_F(Expert, ReleaseListNumbersTheVersionRecordsAfterTheHeader) {
    folder.write("pelaro.rls", releaseRecord("HEADER", "", "") + releaseRecord("1.00", "A. Author", "1998-11-02") +
                                   releaseRecord("1.10", "B. Builder", "1999-03-15"));
    ExpertScreen& s = open();
    s.handle(InputEvent::click("Release Ver"));
    EXPECT_EQ(s.gridKind(), ExpertScreen::GridKind::Releases);
    EXPECT_EQ(s.grid().headers, (std::vector<std::string>{"", "Version", "Editer", "Date"}));
    ASSERT_EQ(s.grid().rows.size(), 2u);
    EXPECT_EQ(s.grid().rows[0], (std::vector<std::string>{"1", "1.00", "A. Author", "1998-11-02"}));
    EXPECT_EQ(s.grid().rows[1], (std::vector<std::string>{"2", "1.10", "B. Builder", "1999-03-15"}));
    EXPECT_EQ(s.view().lists.at(0).lines.at(2), "2 | 1.10 | B. Builder | 1999-03-15");
    EXPECT_FALSE(s.handle(InputEvent::click("Write")));  // no mode table on view

    folder.write("pelaro.rls", "");
    s.handle(InputEvent::click("Release Ver"));
    EXPECT_TRUE(s.grid().rows.empty());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(regs.accesses().empty());
}

TEST_F(Expert, TimingEditReadsEveryModeAfterSelectingIt) {
    regs.setInMode(mode::kSync, 2, 1);  // neither EXT, COMP nor SonG
    ExpertScreen& s = open();
    s.handle(InputEvent::click("Timing Edit"));
    EXPECT_EQ(s.modeLabel(), "Mode :");
    EXPECT_EQ(s.grid().headers, (std::vector<std::string>{"", " SYNC", " Hp", " Vp", " HFRE", " VFRE", " Mod"}));
    ASSERT_EQ(s.grid().rows.size(), 3u);
    EXPECT_EQ(row(1), (std::vector<std::string>{"1", "EXT", "  +", "  -", "  315", " 5994", ""}));
    EXPECT_EQ(row(2), (std::vector<std::string>{"2", "COMP", "  -", "  +", "  469", " 7500", ""}));
    EXPECT_EQ(row(3), (std::vector<std::string>{"3", "    1", "  -", "  -", "  687", " 8500", ""}));
    EXPECT_EQ(s.selectedMode(), -1);
    // The count first, then per mode the selection and its five registers.
    const auto& a = regs.accesses();
    ASSERT_EQ(a.size(), 1u + 3 * 6);
    EXPECT_EQ(a[0].code, mode::kCount);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(a[1 + 6 * m].kind, Access::Kind::SelectMode);
        EXPECT_EQ(a[1 + 6 * m].value, m);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(a[2 + 6 * m + i].code, mode::kSync + i);
    }
    const core::ScreenView v = s.view();
    EXPECT_EQ(v.lists.at(0).lines.at(1), "1 | EXT |   + |   - |   315 |  5994 | ");
    EXPECT_EQ(v.fields.at(0).value, "Mode :");
}

TEST_F(Expert, TheModeCountIsClampedToThirty) {
    regs.define(mode::kCount, "N_User", 45, -100, 100);
    ExpertScreen& s = openTable();
    EXPECT_EQ(s.table().count(), 30);
    EXPECT_EQ(s.grid().rows.size(), 30u);
    EXPECT_EQ(s.grid().rows[29][0], "30");

    regs.set(mode::kCount, -3);
    s.handle(InputEvent::click("Timing Edit"));
    EXPECT_EQ(s.table().count(), 0);
    EXPECT_TRUE(s.grid().rows.empty());
    EXPECT_EQ(s.view().lists.at(0).lines.size(), 1u);  // the header row only
}

TEST_F(Expert, SelectingARowSelectsItsModeAndTheHeaderOrAnEmptyRowDeselects) {
    ExpertScreen& s = openTable();
    s.handle(InputEvent::selectRow(2));
    EXPECT_EQ(s.selectedMode(), 1);
    EXPECT_EQ(s.modeLabel(), "Mode :  2");
    EXPECT_EQ(s.view().lists.at(0).selected, 2);
    EXPECT_EQ(regs.selectedMode(), 1);

    s.handle(InputEvent::selectRow(0));
    EXPECT_EQ(s.selectedMode(), -1);
    EXPECT_EQ(s.modeLabel(), "Select Mode");
    EXPECT_EQ(s.view().lists.at(0).selected, -1);

    s.handle(InputEvent::selectRow(3));
    s.handle(InputEvent::selectRow(4));
    EXPECT_EQ(s.selectedMode(), -1);
    EXPECT_EQ(s.modeLabel(), "Select Mode");
}

TEST_F(Expert, EveryEditNeedsASelectedMode) {
    ExpertScreen& s = openTable();
    for (const char* c : {"Read", "Write", "SYNC", "Hp", "Vp", "HFRE +1", "HFRE -1", "VFRE +1", "VFRE -1", "HFRE"})
        EXPECT_TRUE(s.handle(InputEvent::click(c))) << c;
    s.handle(InputEvent::typed("123"));
    EXPECT_EQ(ui.messages(), std::vector<std::string>(11, "Select Mode !"));
    EXPECT_TRUE(regs.accesses().empty());
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(row(r)[ExpertScreen::kModColumn], "");
}

TEST_F(Expert, SyncCyclesThroughExtCompAndSyncOnGreenOnly) {
    ExpertScreen& s = openTable(1);
    const char* expected[] = {"COMP", "SonG", "EXT", "COMP"};
    const int32_t values[] = {2, 3, 0, 2};
    for (int i = 0; i < 4; ++i) {
        s.handle(InputEvent::click("SYNC"));
        EXPECT_EQ(row(1)[ExpertScreen::kSyncColumn], expected[i]);
        EXPECT_EQ(s.table().value(0, ModeTable::kSync), values[i]);
    }
    EXPECT_EQ(row(1)[ExpertScreen::kModColumn], " mod");

    regs.setInMode(mode::kSync, 2, 1);
    s.handle(InputEvent::click("Timing Edit"));
    s.handle(InputEvent::selectRow(3));
    EXPECT_EQ(row(3)[ExpertScreen::kSyncColumn], "    1");
    s.handle(InputEvent::click("SYNC"));
    EXPECT_EQ(s.table().value(2, ModeTable::kSync), 1);
    EXPECT_EQ(row(3)[ExpertScreen::kSyncColumn], "");
    EXPECT_EQ(row(3)[ExpertScreen::kModColumn], " mod");
    EXPECT_TRUE(regs.writes().empty());  // nothing goes to the monitor before Write
}

TEST_F(Expert, PolaritiesToggleAndFrequenciesStepByOne) {
    regs.setInMode(mode::kHPol, 1, 7);
    ExpertScreen& s = openTable(2);
    s.handle(InputEvent::click("Hp"));
    EXPECT_EQ(row(2)[ExpertScreen::kHpColumn], "  +");
    EXPECT_EQ(s.table().value(1, ModeTable::kHPolarity), 0);
    s.handle(InputEvent::click("Hp"));
    EXPECT_EQ(row(2)[ExpertScreen::kHpColumn], "  -");
    EXPECT_EQ(s.table().value(1, ModeTable::kHPolarity), 1);
    s.handle(InputEvent::click("Vp"));
    EXPECT_EQ(row(2)[ExpertScreen::kVpColumn], "  -");
    s.handle(InputEvent::click("HFRE +1"));
    s.handle(InputEvent::click("HFRE +1"));
    s.handle(InputEvent::click("VFRE -1"));
    EXPECT_EQ(row(2)[ExpertScreen::kHFreColumn], "  471");
    EXPECT_EQ(row(2)[ExpertScreen::kVFreColumn], " 7499");
    s.handle(InputEvent::click("HFRE -1"));
    s.handle(InputEvent::click("VFRE +1"));
    EXPECT_EQ(s.table().value(1, ModeTable::kHFrequency), 470);
    EXPECT_EQ(s.table().value(1, ModeTable::kVFrequency), 7500);
    EXPECT_EQ(row(2)[ExpertScreen::kModColumn], " mod");
    EXPECT_EQ(row(1)[ExpertScreen::kModColumn], "");
}

TEST_F(Expert, TypingIntoAFrequencyCellSetsItsValue) {
    ExpertScreen& s = openTable(1);
    EXPECT_TRUE(s.handle(InputEvent::click("HFRE")));
    EXPECT_EQ(s.editColumn(), ExpertScreen::kHFreColumn);
    s.handle(InputEvent::typed(""));
    EXPECT_EQ(s.table().value(0, ModeTable::kHFrequency), 0);
    s.handle(InputEvent::charKey('4'));
    s.handle(InputEvent::charKey('8'));
    s.handle(InputEvent::charKey('2'));
    EXPECT_EQ(row(1)[ExpertScreen::kHFreColumn], "482");
    EXPECT_EQ(s.table().value(0, ModeTable::kHFrequency), 482);
    // Letters count as typed keys; the number is read up to them.
    s.handle(InputEvent::charKey('K'));
    EXPECT_EQ(row(1)[ExpertScreen::kHFreColumn], "482K");
    EXPECT_EQ(s.table().value(0, ModeTable::kHFrequency), 482);
    // The cell's whole text, as an editor gives it after a Backspace; keys
    // outside codes 48..96 are not taken.
    s.handle(InputEvent::click("VFRE"));
    s.handle(InputEvent::typed("60 00-x"));
    EXPECT_EQ(row(1)[ExpertScreen::kVFreColumn], "6000");
    EXPECT_EQ(s.table().value(0, ModeTable::kVFrequency), 6000);
    EXPECT_EQ(row(1)[ExpertScreen::kModColumn], " mod");
    s.handle(InputEvent::typed(std::string(40, '9')));
    EXPECT_EQ(row(1)[ExpertScreen::kVFreColumn].size(), 16u);
    EXPECT_EQ(s.table().value(0, ModeTable::kVFrequency), INT32_MAX);
    // Selecting another row ends the typing.
    s.handle(InputEvent::selectRow(2));
    EXPECT_EQ(s.editColumn(), -1);
    s.handle(InputEvent::charKey('1'));
    EXPECT_EQ(row(2)[ExpertScreen::kModColumn], "");
}

TEST_F(Expert, WriteSendsTheFiveValuesOfTheSelectedModeAndRestoresOnEcsType2) {
    for (int type : {1, 2}) {
        SCOPED_TRACE(type);
        regs.setEcsType(type);
        ExpertScreen& s = openTable(2);
        s.handle(InputEvent::click("SYNC"));
        s.handle(InputEvent::click("Vp"));
        s.handle(InputEvent::click("HFRE +1"));
        regs.selectMode(0);  // something else moved the link's mode meanwhile
        regs.clearAccesses();
        s.handle(InputEvent::click("Write"));
        EXPECT_EQ(row(2)[ExpertScreen::kModColumn], " wrt");
        EXPECT_EQ(regs.valueInMode(mode::kSync, 1), 3);
        EXPECT_EQ(regs.valueInMode(mode::kVPol, 1), 1);
        EXPECT_EQ(regs.valueInMode(mode::kHFreq, 1), 470);
        EXPECT_EQ(regs.valueInMode(mode::kSync, 0), 0);
        std::vector<std::pair<uint16_t, int32_t>> expected = {
            {mode::kSync, 3}, {mode::kHPol, 1}, {mode::kVPol, 1}, {mode::kHFreq, 470}, {mode::kVFreq, 7500}};
        if (type == 2) expected.push_back({reg::kRestore, 0});
        EXPECT_EQ(regs.writes(), expected);
        EXPECT_EQ(regs.accesses().front().kind, Access::Kind::SelectMode);
        EXPECT_EQ(regs.accesses().front().value, 1);
        EXPECT_TRUE(ui.messages().empty());
        regs.setInMode(mode::kSync, 1, 2);
        regs.setInMode(mode::kHFreq, 1, 469);
        regs.setInMode(mode::kVPol, 1, 0);
    }
}

TEST_F(Expert, AWriteTheMonitorRefusesKeepsTheModifiedMark) {
    ExpertScreen& s = openTable(1);
    s.handle(InputEvent::click("HFRE -1"));
    regs.refuse(mode::kVFreq, core::ECS_ERR_LINK);
    s.handle(InputEvent::click("Write"));
    EXPECT_EQ(row(1)[ExpertScreen::kModColumn], " mod");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Check RS232C line"});
    EXPECT_EQ(regs.valueInMode(mode::kHFreq, 0), 314);  // what got through stays written
}

TEST_F(Expert, ReadTakesTheMonitorsValuesBackAndClearsTheMark) {
    ExpertScreen& s = openTable(3);
    s.handle(InputEvent::click("SYNC"));
    s.handle(InputEvent::click("Hp"));
    s.handle(InputEvent::click("VFRE +1"));
    regs.setInMode(mode::kHFreq, 2, 700);  // the monitor changed meanwhile
    s.handle(InputEvent::click("Read"));
    EXPECT_EQ(row(3), (std::vector<std::string>{"3", "SonG", "  -", "  -", "  700", " 8500", ""}));
    EXPECT_EQ(s.table().value(2, ModeTable::kSync), 3);
    EXPECT_TRUE(regs.writes().empty());

    // A value that cannot be read again keeps the table's and the mark.
    s.handle(InputEvent::click("HFRE +1"));
    regs.refuse(mode::kHFreq, core::ECS_ERR_FORMAT);
    s.handle(InputEvent::click("Read"));
    EXPECT_EQ(row(3)[ExpertScreen::kHFreColumn], "  701");
    EXPECT_EQ(row(3)[ExpertScreen::kModColumn], " mod");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{" ECS syntax Error "});
}
