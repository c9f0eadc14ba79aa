#include <gtest/gtest.h>

#include <filesystem>

#include "core/fake_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_database.h"

using namespace modeldb;

namespace {

struct DbTest : ::testing::Test {
    kit::TempFolder home{"modeldb"};
    core::FakeUi ui;
    void SetUp() override { ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; }); }

    kit::ModelDatabaseFiles sample()
    {
        kit::ModelDatabaseFiles db;
        db.models = {{"ALPHA-17", 3, "ALPHA17", "TV17", 20, 1, 7, "seventeen inch"},
                     {"BRAVO-19", 99, "BRAVO19", "TV19", 21, 2, 8, "chassis code not listed"}};
        db.chassis = {{3, "CH-A"}, {3, "CH-DUP"}, {4, "CH-B"}};
        db.comTypes = {{1, "ECS1"}, {2, "ECS2"}};
        db.customers = {{20, "North Trading"}, {21, "South Ltd"}};
        db.firmware = {{7, "V1.07"}, {8, "V2.00"}};
        return db;
    }
};

TEST(DbText, NibbleSwapRoundTripAndFullWidth)
{
    uint8_t field[20] = {};
    kit::encodeDbText(field, 19, "ABCDEFGHIJKLMNOPQRS");  // exactly 19 characters
    EXPECT_EQ(field[0], 0x14);  // 'A' stored with its halves exchanged
    EXPECT_EQ(decodeText(field, 19), "ABCDEFGHIJKLMNOPQRS");
    field[19] = 0x77;  // a non-zero byte after the field is not part of the text
    EXPECT_EQ(decodeText(field, 19).size(), 19u);
    kit::encodeDbText(field, 19, "AB");
    EXPECT_EQ(decodeText(field, 19), "AB");
}

TEST(DbText, FullWidthFieldsOfAModelRecord)
{
    kit::DbModel m{"1234567890123456789", 5, "ABCDEFGHI", "TUVOTUVOT", 6, 2, 7,
                   "123456789012345678901234567890123456789"};
    kit::Bytes b = kit::modelTable({m});
    ASSERT_EQ(b.size(), 128u);
    ModelRecord r = decodeModelRecord(b.data(), b.size());
    EXPECT_EQ(r.name, m.name);
    EXPECT_EQ(r.fileStem, "ABCDEFGHI");
    EXPECT_EQ(r.tuvoName, "TUVOTUVOT");
    EXPECT_EQ(r.description, m.description);
    EXPECT_EQ(r.chassisCode, 5);
    EXPECT_EQ(r.customerCode, 6);
    EXPECT_EQ(r.comTypeCode, 2);
    EXPECT_EQ(r.firmwareCode, 7);
    // A customer name of the full 19 characters.
    kit::Bytes c = kit::codeTable({{-3, "ABCDEFGHIJKLMNOPQRS"}}, 22);
    CodeRecord cr = decodeCodeRecord(c.data(), c.size(), 19);
    EXPECT_EQ(cr.code, -3);
    EXPECT_EQ(cr.name, "ABCDEFGHIJKLMNOPQRS");
}

TEST_F(DbTest, BuildsEntriesWithLookedUpNames)
{
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), sample()));
    ModelDatabase db(home.path(), ui);
    ASSERT_EQ(db.buildModelList(), 2);
    EXPECT_TRUE(ui.messages().empty());
    const ModelEntry& a = db.entries()[0];
    EXPECT_EQ(a.modelName, "ALPHA-17");
    EXPECT_EQ(a.chassisName, "CH-A");  // first of the duplicate codes
    EXPECT_EQ(a.fileStem, "ALPHA17");
    EXPECT_EQ(a.tuvoName, "TV17");
    EXPECT_EQ(a.customerName, "North Trading");
    EXPECT_EQ(a.comTypeName, "ECS1");
    EXPECT_EQ(a.firmwareName, "V1.07");
    EXPECT_EQ(a.description, "seventeen inch");
    const ModelEntry& b = db.entries()[1];
    EXPECT_EQ(b.chassisName, "");  // code 99 is not in the chassis table; still listed
    EXPECT_EQ(b.comTypeName, "ECS2");
    EXPECT_EQ(db.records()[1].comTypeCode, 2);
}

TEST_F(DbTest, MissingCodeTablesLeaveNamesEmpty)
{
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), sample()));
    std::filesystem::remove(home.file("mdlsel.cya"));
    std::filesystem::remove(home.file("mdlsel.mai"));
    ModelDatabase db(home.path(), ui);
    ASSERT_EQ(db.buildModelList(), 2);
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"CHASSIS File Not Found!", "MiconVer File Not Found!"}));
    EXPECT_EQ(db.entries()[0].chassisName, "");
    EXPECT_EQ(db.entries()[0].firmwareName, "");
    EXPECT_EQ(db.entries()[0].customerName, "North Trading");
}

TEST_F(DbTest, ModelTableMissingOrEmptyGivesNoList)
{
    ModelDatabase db(home.path(), ui);
    EXPECT_EQ(db.buildModelList(), -1);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"DB(MASTER) File Not Found!"});

    ui.clear();
    ASSERT_TRUE(kit::writeFile(home.file("mdlsel.sel"), kit::Bytes{}));
    EXPECT_EQ(db.buildModelList(), -1);
    EXPECT_TRUE(db.entries().empty());
    EXPECT_TRUE(ui.messages().empty());

    // Less than one record is no record either.
    ASSERT_TRUE(kit::writeFile(home.file("mdlsel.sel"), kit::Bytes(127, 0x41)));
    EXPECT_EQ(db.buildModelList(), -1);
}

TEST_F(DbTest, UnreadableTablesShowTheirErrorTexts)
{
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), sample()));
    // A folder in place of a file opens but is no table.
    std::filesystem::remove(home.file("mdlsel.cus"));
    std::filesystem::create_directory(home.file("mdlsel.cus"));
    ModelDatabase db(home.path(), ui);
    ASSERT_EQ(db.buildModelList(), 2);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"CUSTOMER File Err!"});
    EXPECT_EQ(db.entries()[0].customerName, "");

    ui.clear();
    std::filesystem::remove(home.file("mdlsel.sel"));
    std::filesystem::create_directory(home.file("mdlsel.sel"));
    EXPECT_EQ(db.buildModelList(), -1);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"DB(MASTER) File Err!"});
}

TEST_F(DbTest, TrailingPartialRecordIsIgnoredAndCodeFilesMatchCaseInsensitively)
{
    kit::ModelDatabaseFiles d = sample();
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), d));
    kit::Bytes table = kit::modelTable(d.models);
    table.resize(table.size() + 60, 0x33);
    ASSERT_TRUE(kit::writeFile(home.file("mdlsel.sel"), table));
    std::filesystem::rename(home.file("mdlsel.cmm"), home.file("MDLSEL.CMM"));
    ModelDatabase db(home.path(), ui);
    EXPECT_EQ(db.countRecords(Table::Model), 2);
    ASSERT_EQ(db.buildModelList(), 2);
    EXPECT_EQ(db.entries()[1].comTypeName, "ECS2");
}

TEST_F(DbTest, ReadRecordsStopsAtCount)
{
    ASSERT_TRUE(kit::writeModelDatabase(home.path(), sample()));
    ModelDatabase db(home.path(), ui);
    std::vector<ModelRecord> records;
    EXPECT_EQ(db.readRecords(1, records), 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "ALPHA-17");
    std::vector<CodeRecord> codes;
    EXPECT_EQ(db.readRecords(Table::Customer, 10, codes), 1);
    EXPECT_EQ(codes.size(), 2u);
}

} // namespace

// A table read takes room for what the file holds, not for the table's whole
// capacity (2.5 MB for the model table), and still stops at that capacity.
TEST(TableFile, ReadsWhatTheFileHoldsUpToTheCapacity)
{
    kit::TempFolder home{"modeldb"};
    const kit::Bytes table = kit::modelTable({{"ALPHA-17", 3, "ALPHA17", "TV17", 20, 1, 7, "x"}});
    ASSERT_TRUE(kit::writeFile(home.file("mdlsel.sel"), table));
    std::vector<uint8_t> bytes;
    const size_t capacity = ModelDatabase::kMaxModels * kModelRecordSize;
    ASSERT_TRUE(readTableFile(home.file("mdlsel.sel"), capacity, bytes));
    EXPECT_EQ(bytes, table);
    EXPECT_LT(bytes.capacity(), 64u * 1024u);

    EXPECT_TRUE(readTableFile(home.file("mdlsel.sel"), 100, bytes));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_FALSE(readTableFile(home.file("missing"), capacity, bytes));
    EXPECT_FALSE(readTableFile(home.path(), capacity, bytes));  // a folder
    EXPECT_TRUE(bytes.empty());
}
