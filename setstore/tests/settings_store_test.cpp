// The store in this process: fresh start, group save and load against the
// file, texts cut to their fields, values kept only in the shared block.
#include "setstore/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/ini_store.h"
#include "platform/testing/test_folder.h"
#include "setstore.h"

using platform::IniStore;
using platform::testing::ScopedEnv;
using platform::testing::TestFolder;
using namespace setstore;

namespace {

const std::string kSeri = "Software\\Vexordyne\\XR4410\\Com\\Seri";
const std::string kPG = "Software\\Vexordyne\\XR4410\\PG";

class SetstoreStore : public ::testing::Test {
protected:
    TestFolder folder;
    ScopedEnv xdg{"XDG_CONFIG_HOME", folder.path()};
    // Every test gets its own shared block and locks.
    std::string suffix = "." + std::filesystem::path(folder.path()).filename().string();

    std::string iniPath() const { return folder.file("setstore/registry.ini"); }
    IniStore tree() const
    {
        IniStore t;
        EXPECT_TRUE(t.load(iniPath()));
        return t;
    }
    void writeIni(const std::string& text) const { folder.write("setstore/registry.ini", text); }

    static int32_t readInt(SettingsStore& s, GroupId g, size_t offset)
    {
        int32_t v = 12345;
        EXPECT_EQ(0, s.read(g, offset, &v, sizeof v));
        return v;
    }
    static int32_t writeInt(SettingsStore& s, GroupId g, size_t offset, int32_t v)
    {
        return s.write(g, offset, &v, sizeof v);
    }
    static std::string readText(SettingsStore& s, GroupId g, size_t offset, size_t width)
    {
        char buf[300];
        std::memset(buf, 'x', sizeof buf);
        EXPECT_EQ(0, s.readText(g, offset, width, buf));
        return buf;
    }
};

TEST_F(SetstoreStore, FreshMachineReadsZerosAndEmptyTexts)
{
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    for (int i = 0; i < kGroupCount; ++i) {
        const GroupSpec& g = groupSpec(static_cast<GroupId>(i));
        std::vector<uint8_t> record(g.size, 0xAB);
        ASSERT_EQ(0, s.read(g.id, 0, record.data(), record.size()));
        EXPECT_EQ(std::vector<uint8_t>(g.size, 0), record) << g.name;
    }
    EXPECT_EQ("", readText(s, GroupId::PG, offsetof(REG_PG, PGType), 16));
    int32_t kind = 99;
    EXPECT_EQ(0, s.readMemKind(&kind));
    EXPECT_EQ(0, kind);
    // Loads on a fresh machine fail quietly; nothing is written by reading.
    EXPECT_EQ(-20, s.loadGroup(GroupId::Seri));
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
}

TEST_F(SetstoreStore, WritingOneValueSavesTheWholeGroupAsDecimalText)
{
    writeIni("[" + kSeri + "]\nPortNo=3\n");
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    EXPECT_EQ(3, readInt(s, GroupId::Seri, offsetof(REG_SERI, PortNo)));
    ASSERT_EQ(0, writeInt(s, GroupId::Seri, offsetof(REG_SERI, Bps), 9600));
    ASSERT_EQ(0, writeInt(s, GroupId::Seri, offsetof(REG_SERI, Parity), -2));

    IniStore t = tree();
    EXPECT_EQ("9600", t.get(kSeri, "Bps", "?"));
    EXPECT_EQ("3", t.get(kSeri, "PortNo", "?"));
    EXPECT_EQ("0", t.get(kSeri, "CharSize", "?"));
    EXPECT_EQ("-2", t.get(kSeri, "Parity", "?"));
    EXPECT_EQ("0", t.get(kSeri, "StopBits", "?"));
    EXPECT_EQ(std::vector<std::string>{kSeri}, t.sections());
    EXPECT_EQ(9600, readInt(s, GroupId::Seri, offsetof(REG_SERI, Bps)));
}

TEST_F(SetstoreStore, HandEditedNonNumberFailsTheLoadAndKeepsTheCachedNumber)
{
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    ASSERT_EQ(0, writeInt(s, GroupId::Seri, offsetof(REG_SERI, Bps), 4800));

    writeIni("[" + kSeri + "]\nPortNo=2\nBps=fast\nCharSize=  8 bits\nParity=+1\nStopBits=-\n");
    EXPECT_EQ(-20, s.loadGroup(GroupId::Seri));
    EXPECT_EQ(4800, readInt(s, GroupId::Seri, offsetof(REG_SERI, Bps)));
    EXPECT_EQ(2, readInt(s, GroupId::Seri, offsetof(REG_SERI, PortNo)));
    EXPECT_EQ(8, readInt(s, GroupId::Seri, offsetof(REG_SERI, CharSize))); // "%d" stops at the blank
    EXPECT_EQ(1, readInt(s, GroupId::Seri, offsetof(REG_SERI, Parity)));
    EXPECT_EQ(0, readInt(s, GroupId::Seri, offsetof(REG_SERI, StopBits)));

    // REG_Init reloads too and keeps the cached number; the next save repairs the file.
    EXPECT_EQ(0, s.init());
    EXPECT_EQ(4800, readInt(s, GroupId::Seri, offsetof(REG_SERI, Bps)));
    ASSERT_EQ(0, writeInt(s, GroupId::Seri, offsetof(REG_SERI, StopBits), 1));
    EXPECT_EQ("4800", tree().get(kSeri, "Bps", "?"));
    EXPECT_EQ(0, s.loadGroup(GroupId::Seri));
}

TEST_F(SetstoreStore, MissingValueFailsOnlyThatValue)
{
    writeIni("[" + kSeri + "]\nPortNo=4\nParity=1\n");
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    EXPECT_EQ(-20, s.loadGroup(GroupId::Seri));
    EXPECT_EQ(4, readInt(s, GroupId::Seri, offsetof(REG_SERI, PortNo)));
    EXPECT_EQ(1, readInt(s, GroupId::Seri, offsetof(REG_SERI, Parity)));
}

TEST_F(SetstoreStore, TypeTextIsCutToItsFieldLessOne)
{
    writeIni("[" + kPG + "]\nPGType=ABCDEFGHIJKLMNOPQRST\n");
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    EXPECT_EQ("ABCDEFGHIJKLMNO", readText(s, GroupId::PG, offsetof(REG_PG, PGType), 16));

    ASSERT_EQ(0, s.writeText(GroupId::PG, offsetof(REG_PG, PGType), 16, "0123456789abcdefghij"));
    EXPECT_EQ("0123456789abcde", readText(s, GroupId::PG, offsetof(REG_PG, PGType), 16));
    EXPECT_EQ("0123456789abcde", tree().get(kPG, "PGType", "?"));

    // A whole record whose text fills its field without a NUL.
    REG_PG pg;
    std::memset(&pg, 0, sizeof pg);
    std::memset(pg.PGType, 'Z', sizeof pg.PGType);
    pg.DtDevice = 1;
    ASSERT_EQ(0, s.write(GroupId::PG, 0, &pg, sizeof pg));
    REG_PG back;
    ASSERT_EQ(0, s.read(GroupId::PG, 0, &back, sizeof back));
    EXPECT_EQ(std::string(15, 'Z'), std::string(back.PGType));
    EXPECT_EQ(1, back.DtDevice);
}

TEST_F(SetstoreStore, MemoryKindFollowsDeviceAndPanelRom)
{
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    auto kindFor = [&](int32_t device, int32_t rom, int32_t card) {
        EXPECT_EQ(0, writeInt(s, GroupId::PG, offsetof(REG_PG, DtDevice), device));
        EXPECT_EQ(0, writeInt(s, GroupId::PG, offsetof(REG_PG, PanelRom), rom));
        EXPECT_EQ(0, writeInt(s, GroupId::PG, offsetof(REG_PG, MemCard), card));
        int32_t kind = -1;
        EXPECT_EQ(0, s.readMemKind(&kind));
        return kind;
    };
    EXPECT_EQ(3, kindFor(1, 2, 0));
    EXPECT_EQ(1, kindFor(1, 0, 5));
    EXPECT_EQ(4, kindFor(1, 3, 1));
    EXPECT_EQ(0, kindFor(0, 2, 0));
    EXPECT_EQ(0, kindFor(1, 7, 0));
    EXPECT_EQ(0, kindFor(2, 1, 1));
}

TEST_F(SetstoreStore, SharedOnlyValuesLiveWhileAClientIsAttached)
{
    const size_t adEdit = offsetof(REG_FILEPATH, ADEditPath);
    {
        SettingsStore a(suffix);
        ASSERT_EQ(0, a.init());
        ASSERT_EQ(0, a.writeText(GroupId::FilePath, adEdit, 256, "/opt/adedit"));
        ASSERT_EQ(0, a.writeText(GroupId::FilePath, offsetof(REG_FILEPATH, DataDir), 256, "/data"));
        REG_LAYOUT layout{7};
        ASSERT_EQ(0, a.write(GroupId::Layout, 0, &layout, sizeof layout));
        {
            SettingsStore b(suffix); // a second client of the same block
            ASSERT_EQ(0, b.init());
            EXPECT_EQ("/opt/adedit", readText(b, GroupId::FilePath, adEdit, 256));
            EXPECT_EQ(7, readInt(b, GroupId::Layout, 0));
            b.terminate();
        }
        IniStore t = tree();
        const std::string section = "Software\\Vexordyne\\XR4410\\FilePath";
        EXPECT_EQ("/data", t.get(section, "DataDir", "?"));
        EXPECT_FALSE(t.get(section, "ADEditPath"));
        EXPECT_EQ(23u, t.keys(section).size());
        for (const std::string& name : t.sections())
            EXPECT_EQ(std::string::npos, name.find("Layout")) << name;
        a.terminate();
    }
    SettingsStore c(suffix);
    ASSERT_EQ(0, c.init());
    EXPECT_EQ("", readText(c, GroupId::FilePath, adEdit, 256));
    EXPECT_EQ(0, readInt(c, GroupId::Layout, 0));
    EXPECT_EQ("/data", readText(c, GroupId::FilePath, offsetof(REG_FILEPATH, DataDir), 256));
}

// Fills every field of every record with its own value, saves all groups and
// loads them into a fresh block: each stored field comes back at its place.
TEST_F(SetstoreStore, EveryStoredFieldRoundTripsThroughTheFile)
{
    std::vector<std::vector<uint8_t>> records;
    {
        SettingsStore s(suffix);
        ASSERT_EQ(0, s.init());
        int n = 1;
        for (int i = 0; i < kGroupCount; ++i) {
            const GroupSpec& g = groupSpec(static_cast<GroupId>(i));
            std::vector<uint8_t> record(g.size, 0);
            for (size_t at = 0; at + 4 <= g.size; at += 4) {
                int32_t v = (n++) * 37 - 500;
                std::memcpy(record.data() + at, &v, 4);
            }
            for (const ValueSpec& v : g.values) {
                if (v.kind != ValueKind::Text)
                    continue;
                std::string text = std::string(" ;#\\\"t") + std::to_string(n++) + std::string(v.width, 'p');
                std::memset(record.data() + v.offset, 0, v.width);
                std::memcpy(record.data() + v.offset, text.data(), v.width - 1);
            }
            ASSERT_EQ(0, s.write(g.id, 0, record.data(), record.size())) << g.name;
            records.push_back(record);
        }
    }
    SettingsStore fresh(suffix + ".other");
    ASSERT_EQ(0, fresh.init());
    for (int i = 0; i < kGroupCount; ++i) {
        const GroupSpec& g = groupSpec(static_cast<GroupId>(i));
        std::vector<uint8_t> expected = records[i];
        if (g.id == GroupId::Layout)
            expected.assign(g.size, 0);
        if (g.id == GroupId::FilePath)
            std::memset(expected.data() + offsetof(REG_FILEPATH, ADEditPath), 0, 256);
        std::vector<uint8_t> got(g.size);
        ASSERT_EQ(0, fresh.read(g.id, 0, got.data(), got.size()));
        EXPECT_EQ(expected, got) << g.name;
        EXPECT_EQ(0, fresh.loadGroup(g.id)) << g.name;
    }
    IniStore t = tree();
    int32_t top;
    std::memcpy(&top, records[static_cast<size_t>(GroupId::Program)].data(), 4);
    EXPECT_EQ(std::to_string(top), t.get("Software\\Vexordyne\\XR4410\\Program\\Margin", "TopMargin", "?"));
    EXPECT_TRUE(t.hasSection("Software\\Vexordyne\\XR4410\\OptionPtn\\Font"));
    EXPECT_TRUE(t.get("Software\\Vexordyne\\XR4410\\OptionPtn\\Font", "Name"));
    EXPECT_TRUE(t.get("Software\\Vexordyne\\XR4410\\Common", "Layout"));
}

TEST_F(SetstoreStore, ThreadsWritingOneGroupLoseNothing)
{
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    auto writer = [&](size_t offset, int* mismatches) {
        for (int32_t k = 1; k <= 60; ++k) {
            if (writeInt(s, GroupId::Para, offset, k) != 0)
                ++*mismatches;
            int32_t back = 0;
            if (s.read(GroupId::Para, offset, &back, sizeof back) != 0 || back != k)
                ++*mismatches;
        }
    };
    int badA = 0, badB = 0;
    std::thread a(writer, offsetof(REG_PARA, RcvTimeOut), &badA);
    std::thread b(writer, offsetof(REG_PARA, SndTimeOut), &badB);
    a.join();
    b.join();
    EXPECT_EQ(0, badA);
    EXPECT_EQ(0, badB);
    IniStore t = tree();
    EXPECT_EQ("60", t.get("Software\\Vexordyne\\XR4410\\Com\\Para", "RcvTimeOut", "?"));
    EXPECT_EQ("60", t.get("Software\\Vexordyne\\XR4410\\Com\\Para", "SndTimeOut", "?"));
}

TEST_F(SetstoreStore, FailedSaveKeepsTheNewValueAndReportsWriteFailure)
{
    SettingsStore s(suffix);
    ASSERT_EQ(0, s.init());
    // The configuration folder is a plain file: nothing can be saved below it.
    folder.write("blocked", "x");
    ScopedEnv blocked("XDG_CONFIG_HOME", folder.file("blocked"));
    EXPECT_EQ(-21, writeInt(s, GroupId::Usb, offsetof(REG_USB, SndTimeOut), 250));
    EXPECT_EQ(250, readInt(s, GroupId::Usb, offsetof(REG_USB, SndTimeOut)));
    EXPECT_EQ(-21, s.saveGroup(GroupId::Usb));
}

TEST_F(SetstoreStore, WritesNeedAnOpenClientAndNullPointersAreRefused)
{
    SettingsStore s(suffix);
    int32_t v = 5;
    EXPECT_EQ(-21, s.write(GroupId::Usb, 0, &v, sizeof v)); // no REG_Init yet
    EXPECT_EQ(5, readInt(s, GroupId::Usb, 0));
    EXPECT_EQ(-20, s.loadGroup(GroupId::Usb));

    ASSERT_EQ(0, s.init());
    ASSERT_EQ(0, s.init());
    s.terminate();
    EXPECT_EQ(0, s.write(GroupId::Usb, 0, &v, sizeof v)); // one client left
    s.terminate();
    EXPECT_EQ(-21, s.write(GroupId::Usb, 0, &v, sizeof v));
    s.terminate(); // unmatched: no effect

    EXPECT_EQ(-20, s.read(GroupId::Usb, 0, nullptr, 4));
    EXPECT_EQ(-21, s.write(GroupId::Usb, 0, nullptr, 4));
    EXPECT_EQ(-20, s.readText(GroupId::PG, 0, 16, nullptr));
    EXPECT_EQ(-21, s.writeText(GroupId::PG, 0, 16, nullptr));
    EXPECT_EQ(-20, s.readMemKind(nullptr));
    EXPECT_EQ(-20, s.read(GroupId::Usb, 4, &v, 8)); // past the record
}

TEST_F(SetstoreStore, ReferenceCountCountsOpenClientsOfAllStores)
{
    SettingsStore a(suffix), b(suffix);
    SettingsCache probe(suffix);
    auto count = [&] {
        SettingsCache::Access access(probe);
        return access.referenceCount();
    };
    ASSERT_EQ(0, a.init());
    ASSERT_EQ(0, b.init());
    ASSERT_EQ(0, b.init());
    EXPECT_EQ(3, count());
    b.terminate();
    b.terminate();
    b.terminate();
    EXPECT_EQ(1, count());
    a.terminate();
    EXPECT_EQ(0, count());
}

} // namespace
