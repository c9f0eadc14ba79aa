#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/fake_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_file.h"

using namespace modeldb;

namespace {

kit::ModelFile sampleModel()
{
    kit::ModelFile m;
    m.chassisFile = "CH1.CHS";
    m.presets = {kit::makeTiming("VGA", 640, 480, 800, 525, 31.5f, 60.0f),
                 kit::makeTiming("SVGA", 800, 600, 1056, 628, 37.9f, 60.3f),
                 kit::makeTiming("XGA", 1024, 768, 1344, 806, 48.4f, 60.0f)};
    m.presets[2].syncKind = 3;
    m.presets[2].hPolarity = 1;
    m.presets[2].interlace = 1;
    m.adjustTimings = {kit::makeTiming("ADJ-A", 1280, 1024, 1688, 1066, 64.0f, 60.0f)};
    m.adjustTimings[0].syncKind = 2;
    m.primeMode = 2;
    m.carried = 77;
    m.mpuData = {kit::Bytes(512, 0xA1)};
    m.mpuMode = {kit::Bytes(1808, 0xB2), kit::Bytes(1808, 0xB3)};
    m.adjustProcedures = {"GEOM", "COLOR"};
    m.touchUpProcedures = {"dcnv"};
    m.touchUpExtra = kit::Bytes(116, 0x11);
    m.special1 = kit::Bytes(180, 0);
    m.special1[2 + 2 * 3] = 7;  // screen 3
    m.special2 = kit::Bytes(100, 0);
    m.special2[0] = 0x05; m.special2[1] = 0x01;  // screen 0 entry code 0x0105
    m.special2[10] = 42;                         // its value
    m.avPresets = {kit::makeTiming("AV1", 720, 480, 858, 525, 15.7f, 59.9f)};
    m.umtNumber = 12;
    return m;
}

kit::ChassisFile sampleChassis()
{
    kit::ChassisFile c;
    c.standardFile = "STD1.STD";
    c.timingRegisters = {0x0101, 0x0102, 0x0103, 0x0104, 0x0105};
    c.specialRegisters = {{306, 0x0201}, {312, 0x0202}, {400, 0x0301}, {402, 0x0302}, {404, 0x0303}};
    c.factoryPreset = 1;
    c.failure = 5;
    c.entryList = {{0x0010, 1}, {0x0011, 2}};
    c.exitList = {{0x0010, 0}};
    c.procedureFolder = "PRC1";
    c.settleWait = 20;
    c.panelButtons[29] = 0x0404;
    return c;
}

kit::StandardFile sampleStandard()
{
    kit::StandardFile s;
    s.startList = {{0x0101, 5}};
    s.endList = {{0x0102, 6}};
    kit::DataGroupRecord g;
    g.name = "SP2GEOM";
    g.modeCount = 3;
    g.page = 2;
    g.commitRegister = 0x0220;
    g.items = {{1, 0}, {2, 255}, {3, 157}};
    kit::DataGroupRecord colour;
    colour.name = "COLOR";
    s.groups = {g, colour};
    s.linkDescriptionFile = "BUS1.BUS";
    return s;
}

struct ChainTest : ::testing::Test {
    kit::TempFolder home{"chain"};
    core::FakeUi ui;
    ModelData data;
    std::vector<std::string> linkLoads;
    int linkResult = 1;
    LinkDescriptionLoader loader = [this](const std::string& path) {
        linkLoads.push_back(path);
        return std::filesystem::exists(path) ? linkResult : 0;
    };

    void SetUp() override { ui.setFailureHook([](const std::string& s) { ADD_FAILURE() << s; }); }
    std::string data_(const std::string& name) { return home.path() + "/data/" + name; }
    void writeChain()
    {
        ASSERT_TRUE(kit::writeFile(data_("M1.mdl"), kit::modelFile(sampleModel())));
        ASSERT_TRUE(kit::writeFile(data_("CH1.CHS"), kit::chassisFile(sampleChassis())));
        ASSERT_TRUE(kit::writeFile(data_("STD1.STD"), kit::standardFile(sampleStandard())));
        ASSERT_TRUE(kit::writeFile(data_("BUS1.BUS"), kit::linkDescriptionFile({})));
    }
    int load(const std::string& name = "M1.mdl") { return loadModel(data, home.path(), name, ui, loader); }
};

TEST_F(ChainTest, CompleteChainLoadsEveryImage)
{
    writeChain();
    ASSERT_EQ(load(), 1);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(data.modelFile, "M1.mdl");
    EXPECT_EQ(data.chassisFile, "CH1.CHS");
    EXPECT_EQ(data.standardFile, "STD1.STD");
    EXPECT_EQ(data.linkDescriptionFile, "BUS1.BUS");
    ASSERT_EQ(linkLoads.size(), 1u);
    EXPECT_EQ(linkLoads[0], data_("BUS1.BUS"));

    const ModelImage& m = data.image;
    EXPECT_EQ(m.chassisFile, "CH1.CHS");
    EXPECT_EQ(m.presetCount, 3);
    EXPECT_EQ(m.adjustCount, 1);
    EXPECT_EQ(m.primeMode, 2);
    EXPECT_EQ(m.carried, 77);
    EXPECT_EQ(m.presets[1].name, "SVGA");
    EXPECT_EQ(m.presets[1].h[5], 800);
    EXPECT_EQ(m.adjustTimings[0].name, "ADJ-A");
    EXPECT_EQ(m.mpuDataCount, 1);
    EXPECT_EQ(m.mpuData[0][511], 0xA1);
    EXPECT_EQ(m.mpuModeCount, 2);
    EXPECT_EQ(m.mpuMode[1][0], 0xB3);
    EXPECT_EQ(m.adjustProcedureCount, 2);
    EXPECT_EQ(m.adjustProcedures[1], "COLOR");
    EXPECT_EQ(m.touchUpProcedureCount, 1);
    EXPECT_EQ(m.touchUpProcedures[0], "dcnv");
    EXPECT_EQ(m.touchUpExtra[115], 0x11);
    EXPECT_EQ(m.specialHandling(3), 7);
    EXPECT_EQ(m.special2[0].codes[0], 0x0105);
    EXPECT_EQ(m.special2[0].values[0], 42);
    EXPECT_EQ(m.avPresetCount, 1);
    EXPECT_EQ(m.avPresets[0].name, "AV1");
    EXPECT_EQ(m.umtNumber, 12);

    const ChassisRecord& c = data.chassis;
    EXPECT_EQ(c.standardFile, "STD1.STD");
    EXPECT_EQ(c.timingRegisters[4], 0x0105);
    EXPECT_EQ(c.nFactRegister(), 0x0201);
    EXPECT_EQ(c.nUserRegister(), 0x0202);
    EXPECT_EQ(c.powerRegister(), 0x0301);
    EXPECT_EQ(c.keyRegister(), 0x0302);
    EXPECT_EQ(c.umtRegister(), 0x0303);
    EXPECT_EQ(c.factoryPresetAvailable, 1);
    EXPECT_EQ(c.maintenanceAvailable, 0);
    EXPECT_EQ(c.failureAvailable, 5);
    EXPECT_EQ(c.sequences.entry.codes[1], 0x0011);
    EXPECT_EQ(c.sequences.entry.values[1], 2);
    EXPECT_EQ(c.sequences.exit.codes[0], 0x0010);
    EXPECT_EQ(c.procedureFolder, "PRC1");
    EXPECT_EQ(c.settleWait, 20);
    EXPECT_EQ(c.panelButtons[29], 0x0404);

    const StandardBlock& s = data.standard;
    EXPECT_EQ(s.startList[0].code, 0x0101);
    EXPECT_EQ(s.startList[0].value, 5);
    EXPECT_EQ(s.startList[1].code, 0);
    EXPECT_EQ(s.endList[0].value, 6);
    ASSERT_EQ(s.groupCount, 2);
    const DataGroup& g = s.groups[0];
    EXPECT_TRUE(g.special());
    EXPECT_EQ(g.modeCount, 3);
    EXPECT_EQ(g.itemCount, 3);
    EXPECT_EQ(g.commitRegister, 0x0220);
    EXPECT_EQ(g.registerCode(2), 0x0203);
    EXPECT_EQ(g.itemFlag[1], 255);
    EXPECT_EQ(g.itemFlag[2], 157);
    EXPECT_FALSE(s.groups[1].special());
    EXPECT_EQ(s.linkDescriptionFile, "BUS1.BUS");
}

TEST_F(ChainTest, MissingModelFile)
{
    writeChain();
    ASSERT_EQ(load(), 1);
    linkLoads.clear();
    EXPECT_EQ(load("NOPE.mdl"), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No mdl Files"});
    EXPECT_EQ(data.modelFile, "");
    EXPECT_EQ(data.chassisFile, "");
    EXPECT_EQ(data.standardFile, "");
    EXPECT_EQ(data.linkDescriptionFile, "");
    EXPECT_TRUE(linkLoads.empty());

    ui.clear();
    EXPECT_EQ(load(""), 0);  // no previous model
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No mdl Files"});
}

TEST_F(ChainTest, WrongTagResetsImageAndStopsAtChassis)
{
    writeChain();
    ASSERT_EQ(load(), 1);
    kit::ModelFile bad = sampleModel();
    bad.tag = "MDX=";
    ASSERT_TRUE(kit::writeFile(data_("M1.mdl"), kit::modelFile(bad)));
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{" *.mdl data is wrong.\nPlease check file ", "No chs Files "}));
    EXPECT_EQ(data.image.presetCount, 0);
    EXPECT_EQ(data.image.chassisFile, "");
    EXPECT_EQ(data.modelFile, "M1.mdl");
    EXPECT_EQ(data.chassisFile, "");
    EXPECT_EQ(data.standardFile, "");
    // The chassis record of the earlier load stays.
    EXPECT_EQ(data.chassis.procedureFolder, "PRC1");
}

TEST_F(ChainTest, MissingChassisStandardOrLinkDescription)
{
    writeChain();
    std::filesystem::remove(data_("STD1.STD"));
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No std Files "});
    EXPECT_EQ(data.chassisFile, "CH1.CHS");
    EXPECT_EQ(data.standardFile, "");
    EXPECT_EQ(data.linkDescriptionFile, "");

    writeChain();
    ui.clear();
    std::filesystem::remove(data_("BUS1.BUS"));
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No bus Files"});
    EXPECT_EQ(data.standardFile, "STD1.STD");
    EXPECT_EQ(data.linkDescriptionFile, "");

    writeChain();
    ui.clear();
    std::filesystem::remove(data_("CH1.CHS"));
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No chs Files "});
    EXPECT_EQ(data.modelFile, "M1.mdl");
    EXPECT_EQ(data.chassisFile, "");
}

TEST_F(ChainTest, StandardBlockWithoutALinkDescriptionNameStillReplacesTheLinksMap)
{
    writeChain();
    kit::StandardFile st = sampleStandard();
    st.linkDescriptionFile = "";
    ASSERT_TRUE(kit::writeFile(data_("STD1.STD"), kit::standardFile(st)));
    ui.clear();
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No bus Files"});
    // The loader was asked with no file at all, which leaves the link empty
    // rather than with the previous model's map.
    EXPECT_EQ(linkLoads, std::vector<std::string>{""});
    EXPECT_EQ(data.linkDescriptionFile, "");
}

TEST(ChassisLayout, EveryFieldRoundTripsThroughTheKitWriterAndTheLoader)
{
    using namespace modeldb::chassis;
    kit::ChassisFile c = sampleChassis();
    const size_t offsets[] = {kUserSave, kColorSave, kAudioSave, kNFact, kAbl, kHFrequency, kNUser, kVFrequency,
                              kSyncPolarity, kModeNumber, kServiceSave, kMonitorId, kFactoryId, kRestore,
                              kDegauss, kEUmt, kAging, kElapsedHigh, kElapsedLow, kPower, kKey, kUmt};
    c.specialRegisters.clear();
    int16_t code = 0x0500;
    for (size_t o : offsets) c.specialRegisters.push_back({o, code++});
    for (size_t i = 0; i < kFactoryPresetCount; ++i)
        c.specialRegisters.push_back({kFactoryPresets + 2 * i, static_cast<int16_t>(0x0600 + i)});
    c.showDegauss = 1;
    c.showAging = 0;
    c.showPower = 9;
    c.polarityGroup = 3;
    c.failureTable = {{0x0701, {"H-Deflection", "", "15 characters..", "", "", "", "", "Bit 7"}},
                      {0x0702, {"Only bit 0"}},
                      {0, {"after the end"}},
                      {0x0704, {"never read"}}};
    c.linkedRegisters = {{0x0105, 0x0106}, {0x0107, -1}, {0, 0x0109}, {0x010A, 0x010B}};
    ChassisRecord r;
    decodeChassisFile(kit::chassisFile(c), r);

    code = 0x0500;
    for (size_t o : offsets) EXPECT_EQ(r.specialRegister(o), code++) << o;
    EXPECT_EQ(r.userSaveRegister(), 0x0500);
    EXPECT_EQ(r.modeNumberRegister(), 0x0509);
    EXPECT_EQ(r.factoryIdRegister(), 0x050C);
    EXPECT_EQ(r.agingRegister(), 0x0510);
    for (size_t i = 0; i < kFactoryPresetCount; ++i) EXPECT_EQ(r.factoryPresetRegister(i), 0x0600 + static_cast<int>(i));
    EXPECT_EQ(r.factoryPresetRegister(8), 0);
    EXPECT_EQ(r.powerRegister(), 0x0513);
    EXPECT_EQ(r.sequences.powerRegister, 0x0513);
    EXPECT_EQ(r.sequences.keyRegister, 0x0514);
    EXPECT_EQ(r.sequences.umtRegister, 0x0515);
    EXPECT_EQ(r.showDegauss, 1);
    EXPECT_EQ(r.showAging, 0);
    EXPECT_EQ(r.showPower, 9);
    EXPECT_EQ(r.polarityGroup, 3);
    ASSERT_EQ(r.failureTable.size(), 2u);  // a code 0 ends the table
    EXPECT_EQ(r.failureTable[0].code, 0x0701);
    EXPECT_EQ(r.failureTable[0].bitNames[0], "H-Deflection");
    EXPECT_EQ(r.failureTable[0].bitNames[1], "");
    EXPECT_EQ(r.failureTable[0].bitNames[2], "15 characters..");
    EXPECT_EQ(r.failureTable[0].bitNames[7], "Bit 7");
    EXPECT_EQ(r.failureTable[1].bitNames[0], "Only bit 0");
    ASSERT_EQ(r.linkedRegisters.size(), 2u);  // a slider code 0 ends the table
    EXPECT_EQ(r.linkedRegisters[1].slider, 0x0107);
    EXPECT_EQ(r.linkedRegisters[1].paired, -1);
    EXPECT_EQ(r.sequences.entry.codes[1], 0x0011);
    EXPECT_EQ(r.sequences.entry.values[1], 2);
    EXPECT_EQ(r.procedureFolder, "PRC1");
    EXPECT_EQ(r.panelButtons[29], 0x0404);

    // A first failure code of 0 lists nothing.
    c.failureTable = {{0, {"never"}}, {0x0702, {"never either"}}};
    decodeChassisFile(kit::chassisFile(c), r);
    EXPECT_TRUE(r.failureTable.empty());
}

TEST_F(ChainTest, FileNamesMatchCaseInsensitively)
{
    writeChain();
    std::filesystem::rename(data_("CH1.CHS"), data_("ch1.chs"));
    std::filesystem::rename(home.path() + "/data", home.path() + "/DATA");
    EXPECT_EQ(load("m1.MDL"), 1);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(ModelFileDecode, HugeCountsAreCut)
{
    kit::ModelFile m = sampleModel();
    m.presets.assign(35, kit::makeTiming("P", 640, 480, 800, 525, 31.5f, 60.0f));
    m.presets[30].name = "BEYOND";
    m.adjustTimings.assign(25, kit::makeTiming("A", 640, 480, 800, 525, 31.5f, 60.0f));
    m.mpuData.assign(22, kit::Bytes(512, 1));
    m.mpuMode.assign(12, kit::Bytes(1808, 2));
    m.adjustListCount = 1000000;
    m.touchUpListCount = -5;
    m.avPresets.assign(11, kit::makeTiming("AV", 640, 480, 800, 525, 31.5f, 60.0f));
    m.umtNumber = 9;
    kit::Bytes b = kit::modelFile(m);
    ModelImage image;
    ASSERT_TRUE(decodeModelFile(b, image));
    EXPECT_EQ(image.presetCount, 30);
    EXPECT_EQ(image.adjustCount, 20);
    EXPECT_EQ(image.mpuDataCount, 20);
    EXPECT_EQ(image.mpuModeCount, 10);
    EXPECT_EQ(image.adjustProcedureCount, 30);
    EXPECT_EQ(image.touchUpProcedureCount, 0);
    EXPECT_EQ(image.avPresetCount, 10);
    // The records beyond the capacity are skipped, so later sections stay in place.
    EXPECT_EQ(image.adjustProcedures[1], "COLOR");
    EXPECT_EQ(image.umtNumber, 9);
}

TEST(ModelFileDecode, CountsLargerThanTheFileAndTruncatedFiles)
{
    kit::ModelFile m = sampleModel();
    m.presetCount = 0x7FFF;
    ModelImage image;
    ASSERT_TRUE(decodeModelFile(kit::modelFile(m), image));
    EXPECT_EQ(image.presetCount, 30);  // cut to the capacity
    EXPECT_EQ(image.presets[2].name, "XGA");
    EXPECT_EQ(image.adjustCount, 0);   // everything after lies past the claimed records
    EXPECT_EQ(image.umtNumber, 0);

    m = sampleModel();
    m.mpuModeCount = 0x7FFFFFFF;
    ASSERT_TRUE(decodeModelFile(kit::modelFile(m), image));
    EXPECT_EQ(image.presetCount, 3);
    EXPECT_EQ(image.mpuModeCount, 3);  // all the file holds after the MPU_MODE marker
    EXPECT_EQ(image.adjustProcedureCount, 0);
    EXPECT_EQ(image.umtNumber, 0);

    // Every prefix of a valid file decodes within bounds.
    kit::Bytes full = kit::modelFile(sampleModel());
    for (size_t n = 0; n <= full.size(); n += 37) {
        kit::Bytes cut(full.begin(), full.begin() + n);
        ModelImage part;
        bool ok = decodeModelFile(cut, part);
        EXPECT_EQ(ok, n >= 8);
        EXPECT_LE(part.presetCount, 3);
    }
    ModelImage whole;
    ASSERT_TRUE(decodeModelFile(full, whole));
    EXPECT_EQ(whole.umtNumber, 12);
    kit::Bytes shortByOne(full.begin(), full.end() - 1);
    ASSERT_TRUE(decodeModelFile(shortByOne, whole));
    EXPECT_EQ(whole.umtNumber, 0);
}

TEST(ModelFileDecode, ShortChassisAndStandardFiles)
{
    kit::Bytes c = kit::chassisFile(sampleChassis());
    ChassisRecord chassis;
    chassis.procedureFolder = "OLD";
    decodeChassisFile(kit::Bytes(c.begin(), c.begin() + 1600), chassis);
    EXPECT_EQ(chassis.standardFile, "STD1.STD");
    EXPECT_EQ(chassis.sequences.entry.codes[1], 0x0011);
    EXPECT_EQ(chassis.sequences.exit.codes[0], 0);       // past the end: reset
    EXPECT_EQ(chassis.procedureFolder, "");

    kit::StandardFile layout = sampleStandard();
    layout.groupCount = 1000;
    kit::Bytes s = kit::standardFile(layout);
    StandardBlock block;
    decodeStandardFile(s, block);
    EXPECT_EQ(block.groupCount, 30);
    decodeStandardFile(kit::Bytes(s.begin(), s.begin() + 16 + 164 + 540 + 100), block);
    EXPECT_EQ(block.groupCount, 1);  // only one complete group present
    EXPECT_EQ(block.linkDescriptionFile, "");
    layout.groupCount = -4;
    decodeStandardFile(kit::standardFile(layout), block);
    EXPECT_EQ(block.groupCount, 0);
    decodeStandardFile(kit::Bytes(10, 0x3D), block);
    EXPECT_EQ(block.groupCount, 0);
}

TEST(SelectTiming, PresetAdjustmentAndPrimeMode)
{
    ModelImage image;
    ASSERT_TRUE(decodeModelFile(kit::modelFile(sampleModel()), image));
    SgTiming t;
    ASSERT_TRUE(selectTiming(image, 1, t));
    EXPECT_EQ(t.name, "VGA");
    EXPECT_EQ(t.resolution, " 640 x 480 ");
    EXPECT_EQ(t.mode, 1);
    EXPECT_FLOAT_EQ(t.hFrequency, 31500.0f);
    EXPECT_FLOAT_EQ(t.hTotal, 1000.0f / 31.5f);
    EXPECT_FLOAT_EQ(t.hActive, 640.0f * 1000.0f / (31.5f * 800.0f));
    EXPECT_EQ(t.vTotal, 525);
    EXPECT_EQ(t.vActive, 480);
    EXPECT_EQ(t.syncExternal, 1);
    EXPECT_EQ(t.syncComposite, 0);

    ASSERT_TRUE(selectTiming(image, 101, t));
    EXPECT_EQ(t.name, "ADJ-A");
    EXPECT_EQ(t.mode, 101);
    EXPECT_EQ(t.resolution, "1280 x 1024");
    EXPECT_EQ(t.syncComposite, 1);
    EXPECT_EQ(t.syncExternal, 0);

    ASSERT_TRUE(selectTiming(image, 3, t));
    EXPECT_EQ(t.syncOnGreen, 1);
    EXPECT_EQ(t.hPolarity, 1);
    EXPECT_EQ(t.interlace, 1);

    ASSERT_TRUE(selectTiming(image, 201, t));
    EXPECT_EQ(t.name, "SVGA");
    EXPECT_EQ(t.mode, 2);  // the number of the prime mode's preset
}

TEST(SelectTiming, OtherNumbersAreRefusedAndChangeNothing)
{
    ModelImage image;
    ASSERT_TRUE(decodeModelFile(kit::modelFile(sampleModel()), image));
    SgTiming t;
    ASSERT_TRUE(selectTiming(image, 2, t));
    for (int n : {0, 4, 99, 100, 102, 199, 200, 202, -1, 301}) {
        EXPECT_FALSE(selectTiming(image, n, t)) << n;
        EXPECT_EQ(t.name, "SVGA");
        EXPECT_EQ(t.mode, 2);
    }
    image.primeMode = 31;
    EXPECT_FALSE(selectTiming(image, 201, t));
    // A zero timing yields zero periods, not a division by zero.
    image.presets[0] = ModelTiming{};
    ASSERT_TRUE(selectTiming(image, 1, t));
    EXPECT_EQ(t.hTotal, 0.0f);
}

} // namespace

namespace {

// Arbitrary bytes never make a decoder read or write out of bounds.
TEST(ModelFileDecode, ArbitraryBytesStayWithinBounds)
{
    std::mt19937 gen(1234);
    for (int round = 0; round < 300; ++round) {
        size_t size = gen() % 9000;
        kit::Bytes b(size);
        for (auto& x : b) x = static_cast<uint8_t>(gen());
        if (size >= 8 && round % 2 == 0) std::copy_n("====MDL=", 8, b.begin());
        ModelImage image;
        decodeModelFile(b, image);
        EXPECT_LE(image.presetCount, 30);
        EXPECT_GE(image.presetCount, 0);
        EXPECT_LE(image.adjustCount, 20);
        EXPECT_LE(image.mpuDataCount, 20);
        EXPECT_LE(image.mpuModeCount, 10);
        EXPECT_LE(image.adjustProcedureCount, 30);
        EXPECT_LE(image.touchUpProcedureCount, 5);
        EXPECT_LE(image.avPresetCount, 10);
        EXPECT_GE(image.avPresetCount, 0);
        SgTiming t;
        for (int n : {1, 30, 101, 120, 201}) selectTiming(image, n, t);
        ChassisRecord c;
        decodeChassisFile(b, c);
        EXPECT_LE(c.standardFile.size(), 16u);  // an unterminated field ends with the field
        StandardBlock s;
        decodeStandardFile(b, s);
        EXPECT_LE(s.groupCount, 30);
        EXPECT_GE(s.groupCount, 0);
    }
}

} // namespace

// Names inside model files come from outside: none may reach a file outside
// the data folder, whichever separator it uses.
TEST(DataFileName, ParentComponentsAndAbsolutePathsAreRefused)
{
    for (const char* good : {"CH1.CHS", "sub\\CH1.CHS", "sub/CH1.CHS", "..CH1", "a..b", "...", ".\\CH1.CHS"})
        EXPECT_TRUE(isDataFileName(good)) << good;
    for (const char* bad : {"", "..", "..\\..\\etc\\x", "../x", "sub\\..\\..\\x", "sub/../x", "x/..", "/etc/passwd",
                            "\\x", "C:\\x", "c:x"})
        EXPECT_FALSE(isDataFileName(bad)) << bad;
    EXPECT_EQ(dataFilePath("/home", "..\\..\\etc\\x"), "");
}

TEST_F(ChainTest, NamesThatClimbOutOfTheDataFolderCountAsMissing)
{
    writeChain();
    // Every file a name could reach is there, just outside the data folder.
    ASSERT_TRUE(kit::writeFile(home.file("OUT.CHS"), kit::chassisFile(sampleChassis())));
    ASSERT_TRUE(kit::writeFile(home.file("OUT.STD"), kit::standardFile(sampleStandard())));
    ASSERT_TRUE(kit::writeFile(home.file("OUT.BUS"), kit::linkDescriptionFile({})));
    ASSERT_TRUE(kit::writeFile(home.file("OUT.mdl"), kit::modelFile(sampleModel())));

    EXPECT_EQ(load("..\\OUT.mdl"), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No mdl Files"});

    kit::ModelFile m = sampleModel();
    m.chassisFile = "..\\OUT.CHS";
    ASSERT_TRUE(kit::writeFile(data_("M1.mdl"), kit::modelFile(m)));
    ui.clear();
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No chs Files "});
    EXPECT_EQ(data.chassisFile, "");

    writeChain();
    kit::ChassisFile c = sampleChassis();
    c.standardFile = "../OUT.STD";
    ASSERT_TRUE(kit::writeFile(data_("CH1.CHS"), kit::chassisFile(c)));
    ui.clear();
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"No std Files "});
    EXPECT_EQ(data.standardFile, "");

    writeChain();
    kit::StandardFile s = sampleStandard();
    for (const std::string& name : std::vector<std::string>{"..\\OUT.BUS", home.file("OUT.BUS").substr(0, 15)}) {
        s.linkDescriptionFile = name;
        ASSERT_TRUE(kit::writeFile(data_("STD1.STD"), kit::standardFile(s)));
        ui.clear();
        linkLoads.clear();
        EXPECT_EQ(load(), 0) << name;
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"No bus Files"});
        // The link is asked with no file, so it ends up with the empty map.
        EXPECT_EQ(linkLoads, std::vector<std::string>{""});
        EXPECT_EQ(data.linkDescriptionFile, "");
    }
}

TEST(DecodeReport, WholeFilesHaveNoStopAndCutCountsAreNoted)
{
    DecodeReport report;
    ModelImage image;
    ASSERT_TRUE(decodeModelFile(kit::modelFile(sampleModel()), image, &report));
    EXPECT_FALSE(report.stop);
    EXPECT_TRUE(report.notes.empty());

    kit::ModelFile m = sampleModel();
    m.presets.assign(31, kit::makeTiming("P", 640, 480, 800, 525, 31.5f, 60.0f));
    ASSERT_TRUE(decodeModelFile(kit::modelFile(m), image, &report));
    EXPECT_FALSE(report.stop);
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0], "PRE_PARA: count 31 beyond the capacity 30; 30 kept");

    report = {};
    ChassisRecord chassis;
    decodeChassisFile(kit::chassisFile(sampleChassis()), chassis, &report);
    StandardBlock block;
    kit::StandardFile layout = sampleStandard();
    layout.groupCount = 40;
    decodeStandardFile(kit::standardFile(layout), block, &report);
    EXPECT_FALSE(report.stop);
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0], "data groups: count 40 beyond the capacity 30; 30 kept");
}

TEST(DecodeReport, TruncatedFilesNameTheOffsetAndThePartCut)
{
    const kit::Bytes full = kit::modelFile(sampleModel());
    ModelImage image;
    // The second preset record lacks its last byte: 64 + 16 + 80 is where it starts.
    DecodeReport report;
    decodeModelFile(kit::Bytes(full.begin(), full.begin() + 64 + 16 + 2 * 80 - 1), image, &report);
    ASSERT_TRUE(report.stop);
    EXPECT_EQ(report.stop->offset, 64u + 16 + 80);
    EXPECT_EQ(report.stop->part, kMdlPresets);
    EXPECT_EQ(report.stop->reason, "PRE_PARA: record 2 of 3 needs 80 bytes; 79 left");
    EXPECT_EQ(image.presetCount, 1);

    report = {};
    decodeModelFile(kit::Bytes(full.begin(), full.end() - 1), image, &report);
    ASSERT_TRUE(report.stop);
    EXPECT_EQ(report.stop->part, kMdlUmtNumber);
    EXPECT_EQ(report.stop->offset, full.size() - 18);  // where UMT_NO begins

    report = {};
    kit::ModelFile wrong = sampleModel();
    wrong.tag = "XYZ=";
    EXPECT_FALSE(decodeModelFile(kit::modelFile(wrong), image, &report));
    ASSERT_TRUE(report.stop);
    EXPECT_EQ(report.stop->offset, 4u);
    EXPECT_EQ(report.stop->part, kMdlPreamble);

    // Every prefix stops within the file, at a part no later than the one its end lies in.
    for (size_t n = 0; n < full.size(); n += 53) {
        report = {};
        decodeModelFile(kit::Bytes(full.begin(), full.begin() + n), image, &report);
        ASSERT_TRUE(report.stop) << n;
        EXPECT_LE(report.stop->offset, n);
    }

    report = {};
    ChassisRecord chassis;
    decodeChassisFile(kit::Bytes(1000, 0), chassis, &report);
    ASSERT_TRUE(report.stop);
    EXPECT_EQ(report.stop->offset, 1000u);

    const kit::Bytes s = kit::standardFile(sampleStandard());
    StandardBlock block;
    report = {};
    decodeStandardFile(kit::Bytes(s.begin(), s.begin() + 16 + 164 + 540 + 100), block, &report);
    ASSERT_TRUE(report.stop);
    EXPECT_EQ(report.stop->part, kStdGroups);
    EXPECT_EQ(report.stop->offset, 16u + 164 + 540);
    EXPECT_EQ(report.stop->reason, "data groups: record 2 of 2 needs 540 bytes; 100 left");
    report = {};
    decodeStandardFile(kit::Bytes(s.begin(), s.begin() + 16 + 164 + 2 * 540), block, &report);
    ASSERT_TRUE(report.stop);
    EXPECT_EQ(report.stop->part, kStdLinkDescription);
    EXPECT_EQ(block.groupCount, 2);
}
