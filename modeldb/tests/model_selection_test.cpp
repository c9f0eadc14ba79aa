#include <gtest/gtest.h>

#include "core/fake_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"

using namespace modeldb;

namespace {

struct RecordingHost : ModelSelectionHost {
    std::vector<std::string> calls;
    void applyEcsType(int t) override { calls.push_back("ecs " + std::to_string(t)); }
    void rememberModel(const std::string& n, const std::string& f) override { calls.push_back("remember " + n + " " + f); }
    void loadModel(const std::string& f) override { calls.push_back("load " + f); }
};

struct SelectionTest : ::testing::Test {
    kit::TempFolder home{"sel"};
    core::FakeUi ui;
    RecordingHost host;
    void SetUp() override
    {
        ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; });
        kit::ModelDatabaseFiles db;
        db.models = {{"MIKE", 2, "MIKE1", "T1", 30, 1, 1, "first"},
                     {"ALFA", 1, "ALFA1", "T2", 31, 2, 1, "second"},
                     {"ZULU", 3, "ZULU1", "T3", 30, 1, 2, "third"},
                     {"BRAVO", 2, "BRAVO1", "T4", 32, 2, 2, "fourth"}};
        db.chassis = {{1, "C-B"}, {2, "C-A"}, {3, "C-C"}};
        db.customers = {{30, "Kilo"}, {31, "Echo"}, {32, "Kilo"}};
        db.comTypes = {{1, "ECS1"}, {2, "ECS2"}};
        db.firmware = {{1, "V1"}, {2, "V2"}};
        ASSERT_TRUE(kit::writeModelDatabase(home.path(), db));
    }
    std::vector<std::string> column(const ModelSelection& s, int c)
    {
        std::vector<std::string> v;
        for (int r = 1; r <= s.entryCount(); ++r) v.push_back(s.cell(r, c));
        return v;
    }
};

TEST_F(SelectionTest, OpenFillsTheGrid)
{
    ModelSelection s(home.path(), ui, host);
    s.open();
    EXPECT_EQ(s.entryCount(), 4);
    EXPECT_EQ(s.dataRows(), 20);
    EXPECT_EQ(s.currentRow(), 1);
    EXPECT_TRUE(s.gridHasFocus());
    EXPECT_EQ(s.cell(0, 1), "MODEL NAME");
    EXPECT_EQ(s.cell(0, 7), " VER ");
    EXPECT_EQ(s.cell(1, 0), "1");
    EXPECT_EQ(s.cell(1, 1), "MIKE");
    EXPECT_EQ(s.cell(1, 2), "C-A");
    EXPECT_EQ(s.cell(1, 3), "MIKE1");
    EXPECT_EQ(s.cell(1, 5), "Kilo");
    EXPECT_EQ(s.cell(1, 6), "ECS1");
    EXPECT_EQ(s.cell(1, 8), "first");
    EXPECT_EQ(s.cell(5, 1), "");
    EXPECT_EQ(s.cell(20, 0), "");
    EXPECT_EQ(ModelSelection::kGrid[3].widthTwips, 0);
    EXPECT_EQ(ModelSelection::kGrid[8].widthTwips, 4650);
}

TEST_F(SelectionTest, SortingByHeaderKeepsRowsTogether)
{
    ModelSelection s(home.path(), ui, host);
    s.open();
    s.clickHeader(1);
    EXPECT_EQ(column(s, 1), (std::vector<std::string>{"ALFA", "BRAVO", "MIKE", "ZULU"}));
    EXPECT_EQ(column(s, 0), (std::vector<std::string>{"2", "4", "1", "3"}));
    EXPECT_EQ(column(s, 3), (std::vector<std::string>{"ALFA1", "BRAVO1", "MIKE1", "ZULU1"}));
    EXPECT_EQ(s.records()[0].name, "ALFA");
    EXPECT_EQ(s.dataRows(), 20);

    s.clickHeader(2);
    EXPECT_EQ(column(s, 2), (std::vector<std::string>{"C-A", "C-A", "C-B", "C-C"}));

    s.clickHeader(5);
    auto once = column(s, 1);
    EXPECT_EQ(column(s, 5), (std::vector<std::string>{"Echo", "Kilo", "Kilo", "Kilo"}));
    s.clickHeader(5);  // a second click leaves the order as it was
    EXPECT_EQ(column(s, 1), once);
    EXPECT_EQ(column(s, 5), (std::vector<std::string>{"Echo", "Kilo", "Kilo", "Kilo"}));

    // Other columns and selections that do not start at row 1 do not sort.
    s.clickHeader(1);
    auto byName = column(s, 1);
    s.clickHeader(8);
    s.clickHeader(3);
    s.selectionChanged(2, 4, 5);
    s.selectionChanged(1, 1, 5);
    EXPECT_EQ(column(s, 1), byName);
}

TEST_F(SelectionTest, SelectingSetsTypeBeforeLoadingAndStaysOpen)
{
    ModelSelection s(home.path(), ui, host);
    s.open();
    s.clickHeader(1);
    s.selectModel(1);  // ALFA, communication type 2
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ecs 2", "remember ALFA ALFA1.mdl", "load ALFA1.mdl"}));
    EXPECT_EQ(s.caption(), "ALFA");
    EXPECT_FALSE(s.closed());

    host.calls.clear();
    s.setCurrentCell(3, 1);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Enter)));  // grid has the focus
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ecs 1", "remember MIKE MIKE1.mdl", "load MIKE1.mdl"}));
    EXPECT_FALSE(s.closed());
}

TEST_F(SelectionTest, EmptyRowsSelectNothing)
{
    ModelSelection s(home.path(), ui, host);
    s.open();
    s.selectModel(5);
    s.selectModel(0);
    s.setCurrentCell(20, 1);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Enter)));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(s.caption(), "");
}

TEST_F(SelectionTest, KeysMoveAndClose)
{
    ModelSelection s(home.path(), ui, host);
    s.open();
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Down)));
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Down)));
    EXPECT_EQ(s.currentRow(), 3);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::PageDown)));
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::PageDown)));
    EXPECT_EQ(s.currentRow(), 20);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Up)));
    EXPECT_EQ(s.currentRow(), 19);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::PageUp)));
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::PageUp)));
    EXPECT_EQ(s.currentRow(), 1);
    s.setGridFocus(false);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Enter)));  // outside the grid: OK
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.result(), ModelSelection::Ok);
    EXPECT_TRUE(host.calls.empty());

    ModelSelection t(home.path(), ui, host);
    t.open();
    EXPECT_TRUE(t.handle(core::InputEvent::press(core::Key::Escape)));
    EXPECT_EQ(t.result(), ModelSelection::Cancel);
}

TEST_F(SelectionTest, MissingDatabaseLeavesEmptyGrid)
{
    kit::TempFolder empty{"sel-empty"};
    ModelSelection s(empty.path(), ui, host);
    s.open();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"DB(MASTER) File Not Found!"});
    EXPECT_EQ(s.entryCount(), 0);
    EXPECT_EQ(s.dataRows(), 20);
    EXPECT_TRUE(s.handle(core::InputEvent::press(core::Key::Enter)));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(SelectionTest, LongListsGrowTheGrid)
{
    kit::ModelDatabaseFiles db;
    for (int i = 0; i < 25; ++i) db.models.push_back({"M" + std::to_string(100 - i), 0, "F", "", 0, 1, 0, ""});
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), db));
    ModelSelection s(home.path(), ui, host);
    s.open();
    EXPECT_EQ(s.dataRows(), 25);
    s.clickHeader(1);
    EXPECT_EQ(s.cell(1, 1), "M100");
    EXPECT_EQ(s.cell(25, 1), "M99");  // byte order, not numeric
    EXPECT_EQ(s.cell(25, 0), "2");
}

} // namespace

namespace {

// The exchange sort as a technician sees it: every later entry whose key is
// smaller trades places with position i. Kept here as the reference order.
std::vector<std::string> exchangeSorted(std::vector<std::pair<std::string, std::string>> keyName)
{
    for (size_t i = 0; i + 1 < keyName.size(); ++i)
        for (size_t j = i + 1; j < keyName.size(); ++j)
            if (keyName[i].first.compare(keyName[j].first) > 0) std::swap(keyName[i], keyName[j]);
    std::vector<std::string> names;
    for (const auto& kn : keyName) names.push_back(kn.second);
    return names;
}

} // namespace

TEST(SelectionSortOrder, EqualKeysKeepTheExchangeSortsOrder)
{
    kit::TempFolder home{"selorder"};
    core::FakeUi ui;
    RecordingHost host;
    // X and Y share a chassis; Z's smaller one trades places with X, which so
    // ends behind Y: the sort is not stable, and the grid shows Z, Y, X.
    kit::ModelDatabaseFiles db;
    db.models = {{"X", 2, "X", "", 0, 1, 0, ""}, {"Y", 2, "Y", "", 0, 1, 0, ""}, {"Z", 1, "Z", "", 0, 1, 0, ""}};
    db.chassis = {{1, "A"}, {2, "B"}};
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), db));
    ModelSelection s(home.path(), ui, host);
    s.open();
    s.clickHeader(2);
    EXPECT_EQ(s.cell(1, 1), "Z");
    EXPECT_EQ(s.cell(2, 1), "Y");
    EXPECT_EQ(s.cell(3, 1), "X");
    EXPECT_EQ(s.cell(2, 0), "2");  // row numbers travel with their entries
    EXPECT_EQ(s.cell(3, 0), "1");

    // Many equal keys in a scrambled order, for every sortable column.
    db.models.clear();
    db.chassis.clear();
    db.customers.clear();
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    for (int16_t c = 0; c < 7; ++c) db.chassis.push_back({c, "CH" + std::to_string(next(4))});
    for (int16_t c = 0; c < 5; ++c) db.customers.push_back({c, "CU" + std::to_string(next(3))});
    for (int m = 0; m < 300; ++m)
        db.models.push_back({"M" + std::to_string(next(40)) + "-" + std::to_string(m), static_cast<int16_t>(next(7)),
                             "F" + std::to_string(m), "", static_cast<int16_t>(next(5)), 1, 0, ""});
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), db));
    for (int column : {1, 2, 5}) {
        SCOPED_TRACE(column);
        ModelSelection grid(home.path(), ui, host);
        grid.open();
        std::vector<std::pair<std::string, std::string>> keyName;
        for (int r = 1; r <= grid.entryCount(); ++r) keyName.emplace_back(grid.cell(r, column), grid.cell(r, 1));
        grid.clickHeader(column);
        std::vector<std::string> shown;
        for (int r = 1; r <= grid.entryCount(); ++r) shown.push_back(grid.cell(r, 1));
        EXPECT_EQ(shown, exchangeSorted(keyName));
        // Sorting the sorted list again changes nothing.
        grid.clickHeader(column);
        for (int r = 1; r <= grid.entryCount(); ++r) EXPECT_EQ(grid.cell(r, 1), shown[static_cast<size_t>(r - 1)]);
    }
}
