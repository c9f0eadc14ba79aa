#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/qdgen/qdgen_core.h"
#include "sim/qdgen/qdgen_line.h"

using namespace qdgen;

namespace {

struct Generator {
    QdgenCore core;
    std::vector<std::string> log;
    Generator() {
        core.onLog = [this](const std::string& line) { log.push_back(line); };
    }
    void send(const std::vector<std::string>& commands) {
        for (const std::string& c : commands) EXPECT_EQ(core.command(c), std::nullopt) << c;
    }
    std::string ask(const std::string& query) { return core.command(query).value_or("(no reply)"); }
    bool logged(const std::string& line) const {
        for (const std::string& l : log)
            if (l == line) return true;
        return false;
    }
};

// A 640 x 480 format named Mode2 with the given horizontal total.
std::vector<std::string> formatCommands(int hTotal) {
    return {"FMTN Mode2", "FMTB", "HRAT  31469", "HRES 640", "HTOT " + std::to_string(hTotal), "HSPD 16",
            "HSPW 96", "HSPP 1", "VRES 480", "VTOT 525", "VSPD 10", "VSPW 2", "VSPP 1", "SCAN 1", "AVST 2",
            "ASCT 2", "DSCT 2", "SSST 1", "XVSG 1,0,1", "FMTE", "FMTS", "FMTL Mode2"};
}

} // namespace

TEST(QdgenCore, AFullApplyPutsFormatAndImageInUse) {
    Generator g;
    g.send({"OUTG 0", "IMGL FLAT"});
    g.send(formatCommands(800));
    g.send({"AVSC 1.0 1.0 1.0", "IVER 1", "OUTG 1"});
    EXPECT_EQ(g.ask("FMTG?"), "0");
    g.send({"ALLU "});
    EXPECT_EQ(g.core.errors(), 0) << g.core.lastError();

    const Format& f = g.core.formats().at("Mode2");
    EXPECT_DOUBLE_EQ(f.hRate, 31469);
    EXPECT_EQ(f.hRes, 640);
    EXPECT_EQ(f.hTotal, 800);
    EXPECT_EQ(f.vTotal, 525);
    EXPECT_EQ(f.guns, (std::array<int, 3>{1, 0, 1}));
    EXPECT_TRUE(g.core.output().on);
    EXPECT_EQ(g.core.output().format, "Mode2");
    EXPECT_EQ(g.core.output().image, "FLAT");
    EXPECT_EQ(g.core.output().invert, 1);

    EXPECT_TRUE(g.logged("command \"ALLU \""));  // the text as received, blank included
    EXPECT_TRUE(g.logged("command \"HRAT  31469\""));
    EXPECT_TRUE(g.logged("reply \"0\""));
    EXPECT_TRUE(g.logged("format Mode2 saved: HRAT 31469 HRES 640 HTOT 800 HSPD 16 HSPW 96 HSPP 1 VRES 480 VTOT 525 "
                         "VSPD 10 VSPW 2 VSPP 1 SCAN 1 AVST 2 ASCT 2 DSCT 2 SSST 1 XVSG 1,0,1"));
    EXPECT_TRUE(g.logged("in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,0,1), image FLAT, invert 1, "
                         "levels 1.000 1.000 1.000"));

    // A pattern-only change puts only the image in use.
    g.send({"IMGL RASTER", "IVER 0", "IMGU "});
    EXPECT_EQ(g.core.output().image, "RASTER");
    EXPECT_TRUE(g.logged("image in use: RASTER, invert 0"));
    EXPECT_EQ(g.core.errors(), 0) << g.core.lastError();
}

TEST(QdgenCore, AnOddHorizontalTotalIsReportedAndNotPutInUse) {
    Generator g;
    EXPECT_EQ(g.ask("FMTG?"), "0");  // no format loaded yet
    g.send(formatCommands(801));
    EXPECT_EQ(g.ask("FMTG?"), "2091");
    g.send({"ALLU "});
    EXPECT_EQ(g.core.errors(), 1);
    EXPECT_EQ(g.core.output().format, "");
    g.send(formatCommands(800));  // redefined under the same name
    EXPECT_EQ(g.ask("FMTG?"), "0");
}

TEST(QdgenCore, HatchImagesNeedFirmwareAbove2982) {
    Generator g;
    EXPECT_EQ(g.ask("VERF?"), kDefaultFirmware);
    g.send({"IMGL hatch5x4", "IMGL hatch4x3", "IMGL hatch24s", "IMGL Linearty"});
    EXPECT_EQ(g.core.errors(), 0);
    g.core.setFirmware("2.982");
    EXPECT_EQ(g.ask("VERF?"), "2.982");
    g.send({"IMGL hatch5x4"});
    EXPECT_EQ(g.core.errors(), 1);
    EXPECT_EQ(g.core.loadedImage(), "Linearty");
    g.send({"IMGL Linearty", "IMGL MEMEPlus", "IMGL GRAYBAR", "IMGL SMPTE133", "IMGL Check_11", "IMGL FLATGRAY"});
    EXPECT_EQ(g.core.errors(), 1);
}

TEST(QdgenCore, TheSpecialWhiteImageIsKeptUnderItsName) {
    Generator g;
    g.send({"IMGN", "IMGB", "RECT White  156  117  241  181 GrayPat100", "AVSC 0.750 0.750 0.750", "IMGE",
            "IMGA FREE_IRE", "IMGL FREE_IRE", "AVSC 1.0 1.0 1.0"});
    EXPECT_EQ(g.core.errors(), 0) << g.core.lastError();
    const Image& image = g.core.images().at("FREE_IRE");
    ASSERT_EQ(image.rects.size(), 1u);
    EXPECT_EQ(image.rects[0].width, 156);
    EXPECT_EQ(image.rects[0].height, 117);
    EXPECT_EQ(image.rects[0].x, 241);
    EXPECT_EQ(image.rects[0].y, 181);
    EXPECT_EQ(image.rects[0].fill, "GrayPat100");
    EXPECT_DOUBLE_EQ(image.levels[1], 0.75);
    EXPECT_DOUBLE_EQ(g.core.output().levels[0], 1.0);  // outside the definition: the output's levels
    EXPECT_TRUE(g.logged("image FREE_IRE saved: RECT White 156 117 241 181 GrayPat100, levels 0.750 0.750 0.750"));
}

TEST(QdgenCore, MalformedAndMisplacedCommandsAreRefused) {
    const std::vector<std::string> bad = {
        "",                    // nothing
        "HRES 640",            // outside a format definition
        "FMTB",                // before FMTN
        "FMTL Mode9",          // no such format
        "IMGL Unknown",        // no such image
        "RECT White 1 2 3 4 GrayPat100",  // outside an image definition
        "IMGB",                // without IMGN
        "IVER 2",
        "OUTG",
        "AVSC 1.0 1.0",
        "AVSC 1.0 1.0 1.5",
        "ALLU",                // no format loaded
        "IMGU",                // no image loaded
        "FOO 1",
        "STAT?",
        "IMGA Linearty",       // no definition
    };
    Generator g;
    int expected = 0;
    for (const std::string& c : bad) {
        g.core.command(c);
        EXPECT_EQ(g.core.errors(), ++expected) << "accepted: \"" << c << "\"";
    }
    g.send({"FMTN M", "FMTB"});
    for (const char* c : {"HRES abc", "HTOT 8x", "HSPP 2", "SCAN 3", "XVSG 1,0", "XVSG 1,0,2", "HRAT -5",
                                 "HRAT", "HRES 1 2", "FMTS"}) {
        g.core.command(c);
        EXPECT_EQ(g.core.errors(), ++expected) << "accepted: \"" << c << "\"";
    }
    g.send({"IMGN", "IMGB"});
    for (const char* c : {"RECT White 1 2 3", "RECT White 1 -2 3 4 GrayPat100", "IMGA X"}) {
        g.core.command(c);
        EXPECT_EQ(g.core.errors(), ++expected) << "accepted: \"" << c << "\"";
    }
}

TEST(QdgenLine, LinesInRepliesOutForQueriesOnly) {
    QdgenCore core("2.5");
    std::vector<std::string> log;
    core.onLog = [&log](const std::string& l) { log.push_back(l); };
    LineProtocol line(core);
    auto feed = [&line](const std::string& bytes) {
        return line.feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(feed("OUTG 1\r\nVER"), "");
    EXPECT_EQ(feed("F?\r\nIVER 1\n"), "2.5\r\n");
    EXPECT_EQ(feed("ALLU \r\n"), "");
    EXPECT_EQ(log[0], "command \"OUTG 1\"");
    EXPECT_EQ(log.back(), "error: ALLU without FMTL");
    EXPECT_EQ(log[log.size() - 2], "command \"ALLU \"");

    const int before = core.errors();
    EXPECT_EQ(feed(std::string(600, 'A') + "\r\n"), "");
    EXPECT_EQ(feed("FMTG? " + std::string(600, 'x') + "\n"), "\r\n");  // a query is still answered
    EXPECT_EQ(core.errors(), before + 2);
    EXPECT_EQ(feed("FMTG?\n"), "0\r\n");
}
