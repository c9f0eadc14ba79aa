#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/record_io.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "platform/testing/test_folder.h"

namespace {

std::string at(const kit::Bytes& b, size_t offset, size_t n) { return std::string(b.begin() + offset, b.begin() + offset + n); }

TEST(KitWriters, ModelFileLayout)
{
    kit::ModelFile m;
    m.chassisFile = "C.CHS";
    m.presets = {kit::makeTiming("VGA", 640, 480, 800, 525, 31.5f, 60.0f)};
    kit::Bytes b = kit::modelFile(m);
    EXPECT_EQ(at(b, 0, 16), "====MDL=========");
    EXPECT_EQ(at(b, 64, 16), "====PRE_PARA====");
    EXPECT_EQ(at(b, 80, 3), "VGA");
    EXPECT_EQ(at(b, 160, 16), "====ADJ_PARA====");
    size_t sizeNoRecords = 64 + 16 + 16 + 16 + 16 + (16 + 4 + 480) + (16 + 4 + 80 + 116) + (16 + 1880) + (16 + 2) + 18;
    EXPECT_EQ(b.size(), sizeNoRecords + 80);
    EXPECT_EQ(at(b, b.size() - 18, 14), "====UMT_NO====");
    core::RecordReader r(b);
    EXPECT_EQ(r.i16At(32), 1);
}

TEST(KitWriters, FixedSizesAndDatabaseCoding)
{
    EXPECT_EQ(kit::chassisFile({}).size(), 2420u);
    kit::Bytes s = kit::standardFile({});
    EXPECT_EQ(s.size(), 16u + 16460u);
    EXPECT_EQ(at(s, 4, 4), "STD=");
    kit::Bytes t = kit::modelTable({{"AB", 0x0102, "S", "", 0, 2, 0, ""}});
    ASSERT_EQ(t.size(), 128u);
    EXPECT_EQ(t[0], 0x14);
    EXPECT_EQ(t[1], 0x24);
    EXPECT_EQ(t[20], 0x02);
    EXPECT_EQ(t[21], 0x01);
    EXPECT_EQ(kit::codeTable({{1, "X"}, {2, "Y"}}, 22).size(), 44u);
    EXPECT_EQ(kit::noticeFile({{21, "M", "T"}}).size(), 150u);
    kit::Bytes rls = kit::releaseFile({"1.0", "1.1"});
    EXPECT_EQ(rls.size(), 156u);
    EXPECT_EQ(at(rls, 104, 3), "1.1");
}

TEST(KitWriters, LinkDescriptionSections)
{
    kit::LinkDescription d;
    d.formats = {{"F1", {0x6E, 0x1000, 255}, {0x6F, 255}, 0}};
    d.groups = {{"G", 1, 4, 6, 9, 100, -5}};
    d.blocks = {{2, "B"}};
    d.registers = {{"Bright", 1, 2, 3, 4, 5, 6, 1, 2, 0xFF, 0}};
    kit::Bytes b = kit::linkDescriptionFile(d);
    EXPECT_EQ(b.size(), 4 * 16 + 152u + 32u + 16u + 36u);
    EXPECT_EQ(at(b, 0, 8), "====FOR=");
    core::RecordReader r(b);
    EXPECT_EQ(r.i32At(8), 1);
    EXPECT_EQ(r.i32At(16 + 20), 0x6E);
    size_t grp = 16 + 152;
    EXPECT_EQ(at(b, grp, 8), "====GRP=");
    EXPECT_EQ(r.u8At(grp + 16 + 22), 9);
    EXPECT_EQ(r.i32At(grp + 16 + 28), -5);
    size_t reg = grp + 16 + 32 + 16 + 16;
    EXPECT_EQ(at(b, reg, 8), "====REG=");
    EXPECT_EQ(at(b, reg + 16, 6), "Bright");
    EXPECT_EQ(r.i8At(reg + 16 + 25), 1);
}

TEST(KitWriters, WriteFileCreatesFolders)
{
    kit::TempFolder tmp{"kit"};
    std::string path = kit::messageFilePath(tmp.path(), 'q');
    ASSERT_TRUE(kit::writeFile(path, kit::messageFileText({"$1:a", "b"})));
    std::ifstream in(path, std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "$1:a\r\nb\r\n");
}

TEST(TempFolder, MadeFreshAndRemovedOrLeftEmptyWithoutThrowing)
{
    std::string made;
    {
        kit::TempFolder tmp{"kit"};
        made = tmp.path();
        ASSERT_FALSE(made.empty());
        EXPECT_TRUE(std::filesystem::is_directory(made));
        EXPECT_TRUE(kit::writeFile(tmp.file("x/y"), std::string("z")));
    }
    EXPECT_FALSE(std::filesystem::exists(made));

    platform::testing::TestFolder base;
    // $TMPDIR naming a missing folder threw out of the constructor, which
    // ended any program that made one (a fuzz target on its first input).
    platform::testing::ScopedEnv missing("TMPDIR", base.file("missing"));
    std::unique_ptr<kit::TempFolder> none;
    ASSERT_NO_THROW(none = std::make_unique<kit::TempFolder>("kit"));
    EXPECT_EQ(none->path(), "");
    EXPECT_FALSE(std::filesystem::exists(base.file("missing")));
}

} // namespace
