// The data file's fields byte for byte, and what the decoder makes of valid
// and broken files.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "datafiles/dat_compare.h"
#include "datafiles/dat_reader.h"
#include "kit/dat_file.h"
#include "kit/model_kit.h"
#include "link/memory_registers.h"
#include "data_fixture.h"

using namespace datafiles;
using datafiles::testing::makeGroup;

namespace {

std::string text(const kit::Bytes& b) { return std::string(b.begin(), b.end()); }
template <size_t N>
std::string text(const std::array<uint8_t, N>& a) { return std::string(a.begin(), a.end()); }

TEST(DatFields, HeaderLabelModeAndValueFieldsByteForByte) {
    using std::string_literals::operator""s;
    EXPECT_EQ(text(kit::datHeaderField("CM-17X")), "CM-17X         \0"s);
    EXPECT_EQ(text(kit::datHeaderField("A-VERY-LONG-MODEL-NAME")), "A-VERY-LONG-MOD\0"s);  // cut to 15

    // Three items and no modes: a 16-byte label field and 21 bytes of values.
    kit::DatWriter w;
    w.label("GEOMETRY");
    w.value(12);
    w.value(0);
    w.value(1);
    EXPECT_EQ(w.bytes().size(), 16u + 21u);
    EXPECT_EQ(text(w.bytes()), "=GEOMETRY      \0"s "   12  " "    0  " "    1  ");

    // A name of 16 characters: "=" and its first 15, no NUL.
    EXPECT_EQ(text(kit::datLabelField("ABCDEFGHIJKLMNOP")), "=ABCDEFGHIJKLMNO");
    EXPECT_EQ(text(kit::datLabelField("ABCDEFGHIJKLMN")), "=ABCDEFGHIJKLMN\0"s);

    // -5: three blanks, "-5", two blanks; six characters keep their first five.
    EXPECT_EQ(text(kit::datValueField(-5)), "   -5  ");
    EXPECT_EQ(text(kit::datValueField(123456)), "12345  ");
    EXPECT_EQ(text(kit::datValueField(-12345)), "-1234  ");
    EXPECT_EQ(text(kit::datErrorField()), "=err=  ");

    // The mode text over the label: bytes 14 and 15 are the label's.
    EXPECT_EQ(text(kit::datModeField(3, kit::datLabelField("GEOMETRY"))), "=Mode = 3    \0 \0"s);
    EXPECT_EQ(text(kit::datModeField(12, kit::datLabelField("ABCDEFGHIJKLMNOP"))), "=Mode = 12   \0NO"s);
    kit::DatWriter m;
    m.label("ABCDEFGHIJKLMNOP");
    m.mode(0);
    EXPECT_EQ(text(m.bytes()).substr(16), "=Mode = 0    \0NO"s);
}

TEST(DatFields, ValueFieldsDecode) {
    auto decode = [](const std::string& s) {
        return decodeDatValue(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
    EXPECT_EQ(decode("   -5  ").number, -5);
    EXPECT_TRUE(decode("   -5  ").isNumber());
    EXPECT_EQ(decode("12345  ").number, 12345);
    EXPECT_EQ(decode("-1234  ").number, -1234);
    EXPECT_TRUE(decode("=err=  ").isError());
    for (const char* bad : {"       ", "  1 2  ", "  - 5  ", " 12ab  ", "=err   ", "  5\0\0\0\0"})
        EXPECT_EQ(decode(std::string(bad, 7)).kind, DatValue::Kind::Invalid) << bad;
}

// A model with an ordinary group, a moded group and one special group of each type.
modeldb::StandardBlock standard() {
    modeldb::StandardBlock s;
    const std::vector<modeldb::DataGroup> groups = {
        makeGroup("PLAIN", 1, {{0, 0}, {1, 255}, {2, 157}}),
        makeGroup("MODES", 2, {{0, 0}, {1, 0}}, 2),
        makeGroup("SP1GRID", 4, {{0, 1}, {1, 2}, {2, 0}}),   // (1+1) x (2+1) blocks of one value
        makeGroup("SP2PWR", 5, {{0, 3}, {1, 0}, {2, 0}}),    // one block of two values
        makeGroup("sp3USR", 6, {{0, 0}, {1, 0}, {2, 0}}, 2), // two blocks of one value
        makeGroup("SP4TIM", 7, {{0, 0}, {1, 0}}, 3),         // three blocks of one value
        makeGroup("SP9ODD", 8, {{0, 0}}),                    // nothing stored
    };
    s.groupCount = static_cast<int32_t>(groups.size());
    for (size_t i = 0; i < groups.size(); ++i) s.groups[i] = groups[i];
    return s;
}

// Names every register of standard(): "R0100"..., or the name given.
void nameRegisters(ecs::MemoryRegisters& regs, const std::map<uint16_t, std::string>& names = {}) {
    const modeldb::StandardBlock s = standard();
    for (int g = 0; g < s.groupCount; ++g)
        for (size_t i = 0; i < s.groups[static_cast<size_t>(g)].itemCount; ++i) {
            const auto code = static_cast<uint16_t>(s.groups[static_cast<size_t>(g)].registerCode(i));
            const auto named = names.find(code);
            regs.define(code, named != names.end() ? named->second : core::strf("R%04X", code));
        }
}

kit::Bytes file(int changeAt = -1) {
    kit::DatWriter w;
    w.header("CM-17X", "CM17X.mdl", "CM17.STD");
    int n = 0;
    auto v = [&](int32_t x) { w.value(n++ == changeAt ? x + 1 : x); };
    w.label("PLAIN");
    v(7), v(0), v(1);
    w.label("MODES");
    w.mode(0);
    v(10), w.error(), ++n;
    w.mode(1);
    v(20), v(21);
    w.label("SP1GRID");
    for (int i = 0; i < 6; ++i) v(30 + i);
    w.label("SP2PWR");
    v(40), v(41);
    w.label("sp3USR");
    v(50), v(51);
    w.label("SP4TIM");
    v(60), v(61), v(62);
    return w.bytes();
}

TEST(DatDecode, AWholeFileIsWalkedWithTheModelsGroups) {
    const kit::Bytes bytes = file();
    EXPECT_EQ(bytes.size(), 48u + 6 * 16 + 2 * 16 + (3 + 4 + 6 + 2 + 2 + 3) * 7);
    const DatContents c = decodeDatFile(bytes, standard());
    ASSERT_FALSE(c.fault.any());
    EXPECT_EQ(fieldText(c.header.modelName), "CM-17X         ");
    EXPECT_TRUE(sameHeaderText(c.header.modelFile, "CM17X.mdl"));
    EXPECT_TRUE(sameHeaderText(c.header.standardName, "CM17.STD"));
    ASSERT_EQ(c.groups.size(), 7u);
    EXPECT_EQ(c.value(0, 0, 0)->number, 7);
    EXPECT_TRUE(c.value(1, 0, 1)->isError());
    EXPECT_EQ(c.groups[1].blocks[1].mode, 1);
    EXPECT_EQ(c.value(1, 1, 1)->number, 21);
    ASSERT_EQ(c.groups[2].blocks.size(), 6u);
    EXPECT_EQ(c.groups[2].blocks[5].a, 1);
    EXPECT_EQ(c.groups[2].blocks[5].b, 2);
    EXPECT_EQ(c.groups[2].blocks[5].firstItem, 2u);
    EXPECT_EQ(c.value(3, 0, 1)->number, 41);
    EXPECT_EQ(c.groups[4].blocks[1].mode, 2);  // type 3 counts from 1
    EXPECT_EQ(c.groups[5].blocks[2].mode, 2);  // type 4 from 0
    EXPECT_TRUE(c.groups[6].blocks.empty());
    EXPECT_EQ(c.trailingBytes, 0u);

    kit::Bytes longer = bytes;
    longer.push_back('x');
    EXPECT_EQ(decodeDatFile(longer, standard()).trailingBytes, 1u);
}

TEST(DatDecode, BrokenFilesStopWhereTheyBreak) {
    const kit::Bytes good = file();
    const modeldb::StandardBlock s = standard();

    kit::Bytes label = good;
    label[48 + 16 + 21] = 'X';  // the label of MODES
    DatContents c = decodeDatFile(label, s);
    EXPECT_EQ(c.fault.kind, DatFault::Kind::LabelDifferent);
    EXPECT_TRUE(c.fault.at(DatFault::Field::Label, 1));
    EXPECT_EQ(c.value(0, 0, 2)->number, 1);  // the group before is whole

    kit::Bytes mode = good;
    mode[48 + 16 + 21 + 16 + 16 + 14 + 3] = 'X';  // the fourth byte of mode 1's field
    c = decodeDatFile(mode, s);
    EXPECT_EQ(c.fault.kind, DatFault::Kind::ModeDifferent);
    EXPECT_TRUE(c.fault.at(DatFault::Field::Mode, 1, 1));
    EXPECT_NE(c.value(1, 0, 0), nullptr);
    EXPECT_EQ(c.value(1, 1, 0), nullptr);
    kit::Bytes modeTail = good;
    modeTail[48 + 16 + 21 + 16 + 16 + 14 + 4] = 'X';  // past the first four bytes: accepted
    EXPECT_FALSE(decodeDatFile(modeTail, s).fault.any());

    kit::Bytes value = good;
    value[48 + 16 + 3] = 'x';  // PLAIN's first value
    c = decodeDatFile(value, s);
    EXPECT_EQ(c.fault.kind, DatFault::Kind::ValueDifferent);
    EXPECT_TRUE(c.fault.at(DatFault::Field::Value, 0, 0, 0));

    kit::Bytes shortFile(good.begin(), good.end() - 3);
    c = decodeDatFile(shortFile, s);
    EXPECT_EQ(c.fault.kind, DatFault::Kind::Short);
    EXPECT_TRUE(c.fault.at(DatFault::Field::Value, 5, 2, 0));
    EXPECT_EQ(c.value(5, 1, 0)->number, 61);

    c = decodeDatFile(kit::Bytes(good.begin(), good.begin() + 40), s);
    EXPECT_TRUE(c.fault.at(DatFault::Field::Header));
}

TEST(DatCompare, DifferencesAreNamedByGroupModeAndRegister) {
    const modeldb::StandardBlock s = standard();
    ecs::MemoryRegisters names;
    names.define(0x0201, "Contrast");
    names.define(0x0402, "Gain");
    names.define(0x0100, "H-Size");
    const DatContents a = decodeDatFile(file(), s);
    EXPECT_TRUE(compareDatContents(a, a, s, names).sameValues());

    // Value 4 is MODES mode 0 item 1 ("=err=" in the first file), 9 the
    // last block of SP1GRID.
    for (int changed : {0, 4, 12}) {
        kit::Bytes bytes = file(changed);
        if (changed == 4) {
            // The "=err=" of the first file holds a number in the second.
            kit::DatWriter w;
            w.value(55);
            std::copy(w.bytes().begin(), w.bytes().end(), bytes.begin() + 48 + 16 + 21 + 16 + 16 + 7);
        }
        const DatContents b = decodeDatFile(bytes, s);
        const DatComparison cmp = compareDatContents(a, b, s, names);
        ASSERT_EQ(cmp.differences.size(), 1u) << changed;
        const std::string line = describe(cmp.differences[0]);
        const char* expected = changed == 0   ? "PLAIN H-Size: 7 -> 8"
                               : changed == 4 ? "MODES mode 0 Contrast: =err= -> 55"
                                              : "SP1GRID a 1 b 2 Gain: 35 -> 36";
        EXPECT_EQ(line, expected);
    }

    kit::Bytes broken = file();
    broken.resize(broken.size() - 7);
    const DatComparison cmp = compareDatContents(a, decodeDatFile(broken, s), s, names);
    EXPECT_TRUE(cmp.differences.empty());
    EXPECT_FALSE(cmp.sameValues());
    EXPECT_TRUE(cmp.secondFault.any());
}

TEST(DatCompare, ValuesNotHeldLeaveOutWhatTheFirstFileCouldNotHold) {
    const modeldb::StandardBlock s = standard();
    ecs::MemoryRegisters names;
    nameRegisters(names, {{0x0200, "H-Pos"}});
    const DatContents a = decodeDatFile(file(), s);
    // The second file holds 8 for PLAIN's first item, 55 where the first
    // holds "=err=", and "=err=" for MODES mode 1's first item.
    kit::Bytes bytes = file(0);
    kit::DatWriter w;
    w.value(55);
    w.error();
    std::copy(w.bytes().begin(), w.bytes().begin() + 7, bytes.begin() + 48 + 16 + 21 + 16 + 16 + 7);
    std::copy(w.bytes().begin() + 7, w.bytes().end(), bytes.begin() + 48 + 16 + 21 + 16 + 16 + 14 + 16);
    const DatComparison cmp = compareDatContents(a, decodeDatFile(bytes, s), s, names);
    ASSERT_EQ(cmp.differences.size(), 3u);
    const std::vector<DatDifference> notHeld = valuesNotHeld(cmp);
    ASSERT_EQ(notHeld.size(), 2u);
    EXPECT_EQ(describe(notHeld[0]), "PLAIN R0100: 7 -> 8");
    EXPECT_EQ(describe(notHeld[1]), "MODES mode 1 H-Pos: 20 -> =err=");
}

TEST(DatCompare, FilesAreReadAndComparedOrTheUnreadableOneIsNamed) {
    const modeldb::StandardBlock s = standard();
    ecs::MemoryRegisters names;
    nameRegisters(names);
    platform::testing::TestFolder dir;
    ASSERT_TRUE(kit::writeFile(dir.file("a.dat"), file()));
    ASSERT_TRUE(kit::writeFile(dir.file("b.dat"), file(13)));
    DatComparison cmp;
    std::string unreadable;
    ASSERT_TRUE(compareDatFiles(dir.file("a.dat"), dir.file("b.dat"), s, names, cmp, &unreadable));
    ASSERT_EQ(cmp.differences.size(), 1u);
    EXPECT_EQ(describe(cmp.differences[0]), "SP2PWR R0501: 40 -> 41");
    EXPECT_FALSE(compareDatFiles(dir.file("a.dat"), dir.file("missing.dat"), s, names, cmp, &unreadable));
    EXPECT_EQ(unreadable, dir.file("missing.dat"));
}

TEST(DatDump, EveryValueIsNamedByItsPlace) {
    const modeldb::StandardBlock s = standard();
    ecs::MemoryRegisters names;
    nameRegisters(names, {{0x0100, "H-Size"}});
    const std::vector<std::string> lines = dumpDatContents(decodeDatFile(file(), s), s, names);
    ASSERT_EQ(lines.size(), 3u + 4 + 6 + 2 + 2 + 3);
    EXPECT_EQ(lines[0], "PLAIN H-Size: 7");
    EXPECT_EQ(lines[1], "PLAIN R0101: 0");
    EXPECT_EQ(lines[4], "MODES mode 0 R0201: =err=");
    EXPECT_EQ(lines[7], "SP1GRID a 0 b 0 R0402: 30");
    EXPECT_EQ(lines[12], "SP1GRID a 1 b 2 R0402: 35");
    EXPECT_EQ(lines[13], "SP2PWR R0501: 40");
    EXPECT_EQ(lines[15], "sp3USR mode 1 R0602: 50");
    EXPECT_EQ(lines.back(), "SP4TIM mode 2 R0701: 62");

    // A broken file gives what it holds before the break.
    kit::Bytes broken = file();
    broken.resize(48 + 16 + 14);
    EXPECT_EQ(dumpDatContents(decodeDatFile(broken, s), s, names), (std::vector<std::string>{"PLAIN H-Size: 7", "PLAIN R0101: 0"}));
}

} // namespace
