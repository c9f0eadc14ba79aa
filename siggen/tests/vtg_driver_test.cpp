// The timing-card driver over a fake card library: the files it writes byte
// for byte, the files it loads, the messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/test_ui.h"
#include "platform/clock.h"
#include "platform/testing/test_folder.h"
#include "siggen/signal_generator.h"
#include "siggen/vtg_driver.h"
#include "siggen/vtg_files.h"

using namespace siggen;

namespace {

using Lines = std::vector<std::string>;

class FakeVtgLink : public VtgLink {
public:
    Lines calls;
    std::string failing;  // "tim", "pic" or "col": that load answers 1
    int32_t openResult = 1;
    int32_t closeResult = 1;

    int32_t openCard(int32_t card) override {
        calls.push_back("open " + std::to_string(card));
        return openResult;
    }
    int32_t closeCard(int32_t handle) override {
        calls.push_back("close " + std::to_string(handle));
        return closeResult;
    }
    int16_t loadTiming(int32_t h, const std::string& path) override { return load("tim", h, path); }
    int16_t loadPicture(int32_t h, const std::string& path) override { return load("pic", h, path); }
    int16_t loadColour(int32_t h, const std::string& path) override { return load("col", h, path); }

private:
    int16_t load(const std::string& what, int32_t h, const std::string& path) {
        calls.push_back(what + " " + std::to_string(h) + " " + std::filesystem::path(path).filename().string());
        return what == failing ? 1 : 0;
    }
};

Lines lines(const std::string& text) {
    Lines out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}

struct VtgDriverTest : ::testing::Test {
    platform::testing::TestFolder home;
    core::TestUi ui;
    platform::FakeClock clock;
    SignalGenerator sg{ui, clock};
    std::shared_ptr<FakeVtgLink> link = std::make_shared<FakeVtgLink>();

    void SetUp() override {
        std::filesystem::create_directory(home.file("sg"));  // found whatever its case
        installVtgDrivers(sg, link, home.path());
        sg.SgSelect(4, 0, 0);
        sg.SgOpen();
        link->calls.clear();
    }
    std::string written(const std::string& name) const { return home.read("sg/" + name); }
};

} // namespace

TEST_F(VtgDriverTest, TheDefaultTimingFileAndTheReadyMadeFiles) {
    sg.SgResetDefault();
    EXPECT_EQ(written("KOV_VTG.vtt"),
              "VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7\n"
              "KOV VTG File \n"
              "31.469\n31.778\n25.422\n  640\n3.813\n1.907\n"
              "  525\n  480\n    2\n   33\n"
              "+\n+\nT\n-\n"
              "0.636\n   10\n25.175\nno\n0\n0\n0\n0\nH+V\nAct\n");
    EXPECT_EQ(link->calls, (Lines{"tim 1 KOV_VTG.vtt", "pic 1 KOV_P1.vtp", "col 1 KOV_RGB.vtc"}));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(clock.waits(), (std::vector<platform::FakeClock::Wait>{{"generator settle", 500}}));
}

TEST_F(VtgDriverTest, InterlaceAndEverySyncGroup) {
    SgTiming t = defaultSgTiming();
    t.interlace = 1;
    t.vActive = 240;
    t.syncOnGreen = 1;
    t.syncComposite = 1;
    t.hPolarity = 1;
    const Lines l = lines(vtgTimingFile(t));
    ASSERT_EQ(l.size(), 34u);
    EXPECT_EQ(l[9], "  480");  // twice the field's active lines
    EXPECT_EQ(Lines(l.begin() + 12, l.begin() + 24),
              (Lines{"-", "+", "T", "-", "+Off", "+Off", "G", "-", "C", "+Off", "T", "-"}));
    EXPECT_EQ(l[27], "yes");

    t.syncExternal = t.syncOnGreen = t.syncComposite = 0;
    t.interlace = 0;
    const Lines none = lines(vtgTimingFile(t));
    ASSERT_EQ(none.size(), 22u);
    EXPECT_EQ(none[9], "  240");
    EXPECT_EQ(none[12], "0.636");
}

TEST_F(VtgDriverTest, SpecialWhiteWritesItsBoxAndColourTable) {
    sg.setSpecialWhite(100, 6);
    EXPECT_TRUE(sg.selectPattern(kPatternSpecialWhite));
    EXPECT_EQ(link->calls, (Lines{"tim 1 KOV_VTG.vtt", "pic 1 KOV_BOX.vtp", "col 1 KOV_IRE.vtc"}));
    EXPECT_EQ(written("KOV_BOX.vtp"),
              "VTG-Ver 5.2.0\nBOX\nABSOLUTE \n\n"
              "SET A 37 \nSET B 24 \n"
              "SET M 1 ; ACTIVE COLOR\nSET E 0 ; BACKGROUND COLOR\nCOLOR E\nBOX 0 0 MAXX MAXY\nCOLOR M \n"
              "SET W MAXX\nSET H MAXY\nSET J W*A\nSET J J/100\nSET K H*A\nSET K K/100\nSET X W*B\nSET X X/100\n"
              "SET Y H*B\nSET Y Y/100\nSET W J+X\nSET H K+Y\nBOX J K  W H\n");
    const Lines colours = lines(written("KOV_IRE.vtc"));
    ASSERT_EQ(colours.size(), 260u);
    EXPECT_EQ(colours[0], "VTG-Ver 5.2.0 HW=VTG-3A/135_08_3.1.5");
    EXPECT_EQ(colours[1], "");
    EXPECT_EQ(colours[2], "0 0 0 ");
    EXPECT_EQ(colours[3], "255 255 255");
    EXPECT_EQ(colours[4], "  2   2   2");
    EXPECT_EQ(colours[257], "255 255 255");
    EXPECT_EQ(colours[258], " 700");
    EXPECT_EQ(colours[259], " 300");

    EXPECT_EQ(lines(vtgBoxPicture(100))[4], "SET A 0  ");
    EXPECT_EQ(lines(vtgBoxPicture(100))[5], "SET B 100");
    EXPECT_EQ(lines(vtgBoxPicture(0))[4], "SET A 50 ");
    EXPECT_EQ(lines(vtgBoxPicture(0))[5], "SET B 0  ");
}

TEST_F(VtgDriverTest, ColourEntryOneByColour) {
    const Lines want = {"127   0   0", "  0 127   0", "  0   0 127", "127 127 127",
                        "127   0 127", "127 127   0", "  0 127 127", "127 127 127"};
    for (int32_t colour = 0; colour < 8; ++colour)
        EXPECT_EQ(lines(vtgBoxColours(50, colour))[3], want[static_cast<size_t>(colour)]) << colour;
    EXPECT_EQ(lines(vtgBoxColours(0, 3))[3], "  0   0   0");
}

TEST_F(VtgDriverTest, PictureAndColourFilesByPatternColourAndInversion) {
    sg.SgResetDefault();
    link->calls.clear();
    sg.selection() = {kPattern54Hatch, kColourB, 1};
    sg.setPatternOnly(true);
    sg.SgApply();
    EXPECT_EQ(link->calls, (Lines{"tim 1 KOV_VTG.vtt", "pic 1 KOV_P8.vtp", "col 1 KOV_IB.vtc"}));

    for (int32_t p = 0; p <= 12; ++p) EXPECT_EQ(vtgPictureName(p), "KOV_P" + std::to_string(p + 1) + ".vtp");
    EXPECT_EQ(vtgPictureName(14), "Grid.vtp");
    EXPECT_EQ(vtgPictureName(15), "KOV_P13.vtp");
    EXPECT_EQ(vtgPictureName(16), "KOV_P13_75.vtp");
    EXPECT_EQ(vtgPictureName(17), "Grid.vtp");
    EXPECT_EQ(vtgPictureName(-1), "Grid.vtp");
    const Lines normal = {"KOV_R.vtc", "KOV_G.vtc", "KOV_B.vtc", "KOV_RGB.vtc", "KOV_RB.vtc", "KOV_RG.vtc", "KOV_GB.vtc"};
    const Lines inverted = {"KOV_IR.vtc",  "KOV_IG.vtc",  "KOV_IB.vtc", "KOV_IRGB.vtc",
                            "KOV_IRB.vtc", "KOV_IRG.vtc", "KOV_IGB.vtc"};
    for (int32_t c = 0; c < 7; ++c) {
        EXPECT_EQ(vtgColourName(c, 0), normal[static_cast<size_t>(c)]);
        EXPECT_EQ(vtgColourName(c, 1), inverted[static_cast<size_t>(c)]);
    }
    EXPECT_EQ(vtgColourName(7, 1), "color.vtc");
    EXPECT_EQ(vtgColourName(-1, 0), "color.vtc");
}

TEST_F(VtgDriverTest, ExistingFilesAreFoundWhateverTheirCase) {
    home.write("sg/kov_p8.vtp", "VTG-Ver 5.2.0\nHATCH\n");
    VtgDriver driver(link, std::make_shared<VtgCard>(), home.path());
    EXPECT_EQ(driver.path("KOV_P8.vtp"), home.file("sg/kov_p8.vtp"));
    EXPECT_EQ(driver.path("KOV_P9.vtp"), home.file("sg/KOV_P9.vtp"));
}

TEST_F(VtgDriverTest, AFailedLoadStopsTheApplyWithItsMessage) {
    for (const char* failing : {"tim", "pic", "col"}) {
        link->failing = failing;
        link->calls.clear();
        ui.clear();
        sg.applyTiming(defaultSgTiming());
        EXPECT_EQ(ui.messages(), Lines{" VTG File is nothing ! "}) << failing;
        EXPECT_EQ(link->calls.back().substr(0, 3), failing);
    }
    link->failing = "pic";
    link->calls.clear();
    EXPECT_TRUE(sg.selectPattern(kPatternSpecialWhite));
    EXPECT_EQ(link->calls, (Lines{"tim 1 KOV_VTG.vtt", "pic 1 KOV_BOX.vtp"}));
}

TEST_F(VtgDriverTest, AFileThatCannotBeWrittenIsNotLoaded) {
    sg.SgResetDefault();
    link->calls.clear();
    ui.clear();
    std::filesystem::remove_all(home.file("sg"));  // no folder: nothing can be written
    sg.applyTiming(defaultSgTiming());
    EXPECT_TRUE(link->calls.empty());
    EXPECT_EQ(ui.messages(), Lines{" VTG File is nothing ! "});
}

TEST_F(VtgDriverTest, TheCardHandleIsSharedByBothKinds) {
    link->openResult = 3;
    sg.SgSelect(4, 0, 0);
    sg.SgOpen();
    link->closeResult = 3;
    sg.SgClose();
    sg.SgSelect(5, 0, 0);
    sg.SgOpen();
    EXPECT_EQ(link->calls, (Lines{"open 1", "close 3", "open 3"}));
    EXPECT_TRUE(ui.messages().empty());

    link->calls.clear();
    link->openResult = 0x1FF;  // -1 in its low 8 bits
    sg.SgOpen();
    EXPECT_EQ(ui.messages(), Lines{" PG110.120 is NG. Please check condition ! "});
    sg.SgApply();
    EXPECT_EQ(link->calls, (Lines{"open 3", "tim -1 KOV_VTG.vtt", "pic -1 KOV_P1.vtp", "col -1 KOV_RGB.vtc"}));
}
