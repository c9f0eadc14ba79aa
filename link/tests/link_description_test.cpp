#include <gtest/gtest.h>

#include "link/link_description.h"
#include "link_fixture.h"
#include "platform/testing/test_folder.h"

using namespace ecs;

namespace {

std::vector<uint8_t> validFile() { return kit::linkDescriptionFile(testmodel::tables(2)); }

void setCount(std::vector<uint8_t>& file, size_t headerAt, int32_t count) {
    for (int i = 0; i < 4; ++i) file[headerAt + 8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(count) >> (8 * i));
}

} // namespace

TEST(LinkDescription, DecodesEveryField) {
    const std::vector<uint8_t> file = validFile();
    LinkDescription d;
    ASSERT_TRUE(parseLinkDescription(file.data(), file.size(), d));
    ASSERT_EQ(d.formats.size(), 5u);
    EXPECT_EQ(d.formats[1].command[0], 0x51);
    EXPECT_EQ(d.formats[1].response[3], 0x8000);
    EXPECT_EQ(d.formats[1].blockFlag, 1);
    ASSERT_EQ(d.groups.size(), 7u);
    EXPECT_EQ(d.groups[2].kind, 6);
    EXPECT_EQ(d.groups[3].flags, 4);
    EXPECT_EQ(d.groups[4].perMode, 1);
    EXPECT_EQ(d.groups[5].min, -3);
    ASSERT_EQ(d.blocks.size(), 8u);
    EXPECT_EQ(d.blocks[4].count, 4);
    ASSERT_EQ(d.registers.size(), 18u);
    const RegisterRecord& field = d.registers[8];
    EXPECT_EQ(field.nameText(), "Field");
    EXPECT_EQ(field.writeFormat, 4);
    EXPECT_EQ(field.readAddress, 0x30);
    EXPECT_EQ(field.group, 5);
    EXPECT_EQ(field.shift, 4);
    EXPECT_EQ(field.mask, 0x0F);
}

TEST(LinkDescription, TruncatedFilesAreRefused) {
    const std::vector<uint8_t> file = validFile();
    LinkDescription d;
    // Every cut inside the file, through each header and record.
    for (size_t cut = 0; cut < file.size(); cut += 7) {
        std::string error;
        EXPECT_FALSE(parseLinkDescription(file.data(), cut, d, &error)) << cut;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(parseLinkDescription(file.data(), file.size() - 1, d));
}

TEST(LinkDescription, CountsBeyondCapacityAreRefused) {
    const std::vector<uint8_t> good = validFile();
    LinkDescription d;
    struct Case {
        size_t header;
        int32_t count;
    };
    const size_t grp = 16 + 5 * 152;
    for (Case c : {Case{0, 65}, Case{0, -1}, Case{0, 0x7FFFFFFF}, Case{grp, 101}, Case{grp, INT32_MIN}}) {
        std::vector<uint8_t> file = good;
        setCount(file, c.header, c.count);
        EXPECT_FALSE(parseLinkDescription(file.data(), file.size(), d)) << c.count;
    }
    sim::LinkTables big = testmodel::tables(2);
    big.registers.resize(4001);
    std::vector<uint8_t> file = kit::linkDescriptionFile(big);
    EXPECT_FALSE(parseLinkDescription(file.data(), file.size(), d));
    big.registers.resize(4000);
    big.blocks.resize(256);
    file = kit::linkDescriptionFile(big);
    EXPECT_TRUE(parseLinkDescription(file.data(), file.size(), d));
    EXPECT_EQ(d.registers.size(), 4000u);
}

TEST(LinkDescription, RefusedLoadLeavesTheEmptyMap) {
    platform::testing::TestFolder folder;
    LinkFixture f(2);
    ASSERT_EQ(f.loaded, 1);
    EXPECT_EQ(f.link->registerName(testmodel::kBright), "Bright");
    std::vector<uint8_t> file = validFile();
    file.resize(file.size() - 10);
    folder.write("short.bus", std::string(file.begin(), file.end()));
    EXPECT_EQ(f.link->loadLinkDescription(folder.file("short.bus")), 0);
    EXPECT_EQ(f.link->registerName(testmodel::kBright), "");
    EXPECT_EQ(f.link->formatCount(), 1u);
    int32_t v = 0;
    EXPECT_EQ(f.link->readRegister(testmodel::kBright, v, kAskMonitor), ECS_ERR_FORMAT);
    EXPECT_EQ(f.link->loadLinkDescription(folder.file("missing.bus")), 0);
    file = validFile();
    folder.write("good.bus", std::string(file.begin(), file.end()));
    EXPECT_EQ(f.link->loadLinkDescription(folder.file("good.bus")), 1);
    EXPECT_EQ(f.link->registerName(testmodel::kSat), "Sat");
    EXPECT_EQ(f.link->readRegister(testmodel::kBright, v, kAskMonitor), ECS_OK);
    // A write left pending under one map is not sent under the next.
    EXPECT_EQ(f.link->writeRegister(testmodel::kBright, 0x11, 0), ECS_OK);
    EXPECT_TRUE(f.link->registers().writePending());
    EXPECT_EQ(f.link->loadLinkDescription(folder.file("good.bus")), 1);
    EXPECT_FALSE(f.link->registers().writePending());
}

TEST(LinkDescription, AViewerGetsTheRecordsBeforeACut) {
    const std::vector<uint8_t> file = validFile();
    LinkDescription whole;
    ASSERT_TRUE(parseLinkDescription(file.data(), file.size(), whole));
    LinkDescription d;
    size_t stop = 0;
    std::string error;
    ASSERT_TRUE(parseLinkDescriptionAsFarAsItGoes(file.data(), file.size(), d, stop, error));
    EXPECT_EQ(stop, file.size());
    EXPECT_EQ(d.registers.size(), whole.registers.size());

    // Cut inside the last register record: every record before it is there.
    const size_t lastRecord = file.size() - RegisterRecord::kSize;
    ASSERT_FALSE(parseLinkDescriptionAsFarAsItGoes(file.data(), file.size() - 1, d, stop, error));
    EXPECT_EQ(stop, lastRecord);
    EXPECT_EQ(d.registers.size(), whole.registers.size() - 1);
    EXPECT_EQ(d.formats.size(), whole.formats.size());
    EXPECT_NE(error.find("section REG: record"), std::string::npos) << error;

    // Cut inside the first section's header: nothing decoded, stop at 0.
    ASSERT_FALSE(parseLinkDescriptionAsFarAsItGoes(file.data(), 10, d, stop, error));
    EXPECT_EQ(stop, 0u);
    EXPECT_TRUE(d.formats.empty());
    EXPECT_EQ(error, "section FOR: header missing");
}
