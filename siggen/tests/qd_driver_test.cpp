// The command-driven generator driver over a fake command library: every
// command text byte for byte, the waits, the messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "core/test_ui.h"
#include "platform/clock.h"
#include "siggen/qd_driver.h"
#include "siggen/signal_generator.h"

using namespace siggen;

namespace {

using Lines = std::vector<std::string>;

class FakeQdLink : public QdLink {
public:
    Lines opens;
    int openResult = 0;
    int closes = 0;
    Lines sent;
    std::map<std::string, std::optional<std::string>> replies{{"FMTG?", "0"}, {"VERF?", "3.100"}};

    int32_t open(const std::string& device) override {
        opens.push_back(device);
        return openResult;
    }
    void close() override { ++closes; }
    std::optional<std::string> command(const std::string& text) override {
        sent.push_back(text);
        const auto r = replies.find(text);
        return r == replies.end() ? std::optional<std::string>("") : r->second;
    }
};

const Lines kDefaultFormat = {
    "FMTN Mode2", "FMTB",    "HRAT  31469", "HRES 640", "HTOT 800", "HSPD 16", "HSPW 96", "HSPP 1",
    "VRES 480",   "VTOT 525", "VSPD 10",    "VSPW 2",   "VSPP 1",   "SCAN 1",  "AVST 2",  "ASCT 2",
    "DSCT 2",     "SSST 1",   "XVSG 1,1,1", "FMTE",     "FMTS",     "FMTL Mode2",
};

Lines joined(std::initializer_list<Lines> parts) {
    Lines out;
    for (const Lines& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct QdDriverTest : ::testing::Test {
    core::TestUi ui;
    platform::FakeClock clock;
    SignalGenerator sg{ui, clock};
    std::shared_ptr<FakeQdLink> link = std::make_shared<FakeQdLink>();

    // Opens kind `kind` on card or port 1 with the drivers installed, applies
    // the default timing, and forgets what that sent.
    void start(int kind) {
        installQdDrivers(sg, link);
        sg.SgSelect(kind, 1, 1);
        sg.SgOpen();
        sg.SgResetDefault();
        link->sent.clear();
        clock.clearSleeps();
    }
};

} // namespace

TEST_F(QdDriverTest, TheDefaultTimingSendsTheWholeSequence) {
    installQdDrivers(sg, link);
    sg.SgSelect(6, 0, 1);
    sg.SgOpen();
    EXPECT_EQ(link->opens, Lines{"ISA1"});
    sg.SgResetDefault();
    EXPECT_EQ(link->sent, joined({{"OUTG 0", "IMGL Linearty"}, kDefaultFormat,
                                  {"AVSC 1.0 1.0 1.0", "IVER 0", "OUTG 1", "FMTG?", "ALLU "}}));
    EXPECT_EQ(clock.waits(), (std::vector<platform::FakeClock::Wait>{{"command generator output on", 500},
                                                                      {"command generator format in use", 400},
                                                                      {"generator settle", 500}}));
    EXPECT_TRUE(ui.messages().empty());
    // The check left the default timing as it was, and so did the driver.
    EXPECT_FLOAT_EQ(sg.timing().hTotal, 31.778f);
}

TEST_F(QdDriverTest, DotCountsRoundToTheNearestDot) {
    const QdDots d = qdDots(defaultSgTiming());
    EXPECT_EQ(d.hTotal, 800);
    EXPECT_EQ(d.hActive, 640);
    EXPECT_EQ(d.hSyncDelay, 16);
    EXPECT_EQ(d.hSyncWidth, 96);
    SgTiming t = defaultSgTiming();
    t.dotClock = 10.0f;
    t.hFront = 0.049f;  // 0.49 dots
    t.hSync = 0.05f;    // 0.5 dots
    t.hTotal = std::numeric_limits<float>::quiet_NaN();
    t.hActive = 1e30f;
    const QdDots n = qdDots(t);
    EXPECT_EQ(n.hSyncDelay, 0);
    EXPECT_EQ(n.hSyncWidth, 1);
    EXPECT_EQ(n.hTotal, 0);   // not a number
    EXPECT_EQ(n.hActive, 0);  // beyond any count
}

TEST_F(QdDriverTest, FormatDefinitionBySyncPolarityScanAndColour) {
    SgTiming t = defaultSgTiming();
    const QdDots d = qdDots(t);
    auto tail = [&](int32_t colour) {
        const Lines all = qdFormatCommands(t, colour, d);
        return Lines(all.begin() + 17, all.end());  // from the sync type on
    };
    EXPECT_EQ(tail(0), (Lines{"SSST 1", "XVSG 1,0,0", "FMTE", "FMTS", "FMTL Mode2"}));
    EXPECT_EQ(tail(4)[1], "XVSG 1,0,1");
    EXPECT_EQ(tail(5)[1], "XVSG 1,1,0");
    EXPECT_EQ(tail(6)[1], "XVSG 0,1,1");
    EXPECT_EQ(tail(7), (Lines{"SSST 1", "FMTE", "FMTS", "FMTL Mode2"}));  // no colour command
    t.syncOnGreen = 1;
    EXPECT_EQ(tail(3)[0], "SSST 5");
    t.syncExternal = 0;
    EXPECT_EQ(tail(3)[0], "SSST 3");
    t.syncOnGreen = 0;
    t.syncComposite = 1;
    EXPECT_EQ(tail(3), (Lines{"SSST 2", "HSPP 0", "VSPP 1", "XVSG 1,1,1", "FMTE", "FMTS", "FMTL Mode2"}));
    t.syncComposite = 0;
    EXPECT_EQ(tail(3), (Lines{"SSST 1", "HSPP 1", "VSPP 1", "XVSG 1,1,1", "FMTE", "FMTS", "FMTL Mode2"}));

    t.hPolarity = 1;
    t.vPolarity = 1;
    t.interlace = 1;
    t.mode = 41;
    t.hFrequency = 131000.4f;
    const Lines all = qdFormatCommands(t, 3, d);
    EXPECT_EQ(all[0], "FMTN Mode42");
    EXPECT_EQ(all[2], "HRAT 131000");
    EXPECT_EQ(all[7], "HSPP 0");
    EXPECT_EQ(all[12], "VSPP 0");
    EXPECT_EQ(all[13], "SCAN 2");
    EXPECT_EQ(all.back(), "FMTL Mode42");
    t.mode = std::numeric_limits<int32_t>::max();  // the next number wraps instead of overflowing
    EXPECT_EQ(qdFormatCommands(t, 3, d)[0], "FMTN Mode-2147483648");
}

TEST_F(QdDriverTest, SixPercentWhiteIsABox6Level100Rectangle) {
    start(6);
    EXPECT_TRUE(sg.selectPattern(kPattern6PercentWhite));
    EXPECT_EQ(sg.specialWhiteBox(), 6);
    EXPECT_EQ(sg.specialWhiteLevel(), 100);
    EXPECT_EQ(link->sent, (Lines{"IMGN", "IMGB", "RECT White  156  117  241  181 GrayPat100", "AVSC 1.000 1.000 1.000",
                                 "IMGE", "IMGA FREE_IRE", "IMGL FREE_IRE", "AVSC 1.0 1.0 1.0", "IVER 0", "FMTG?",
                                 "IMGU "}));
    // A pattern change waits only for the generator layer's settle time.
    EXPECT_EQ(clock.waitsNamed("command generator output on").size(), 0u);
    EXPECT_EQ(clock.waitsNamed("command generator format in use").size(), 0u);
}

TEST_F(QdDriverTest, SpecialWhitePatternOnlyStillPutsEverythingInUse) {
    start(6);
    sg.setSpecialWhite(75, 100);
    EXPECT_TRUE(sg.selectPattern(kPatternSpecialWhite));
    EXPECT_EQ(link->sent, (Lines{"IMGN", "IMGB", "RECT White  640  480    0    0 GrayPat100", "AVSC 0.750 0.750 0.750",
                                 "IMGE", "IMGA FREE_IRE", "IMGL FREE_IRE", "IVER 0", "FMTG?", "ALLU "}));
    EXPECT_EQ(clock.waitsNamed("command generator format in use"), std::vector<uint32_t>{400});
    EXPECT_EQ(qdSpecialWhiteCommands(0, 0, 640, 480)[2], "RECT White    0    0  320  240 GrayPat100");
}

TEST_F(QdDriverTest, PatternsAboveThirteenSendNoImageButTheRest) {
    start(6);
    EXPECT_TRUE(sg.selectPattern(14));
    EXPECT_EQ(link->sent, (Lines{"AVSC 1.0 1.0 1.0", "IVER 0", "FMTG?", "IMGU "}));
    link->sent.clear();
    EXPECT_TRUE(sg.selectInvert(1));
    EXPECT_EQ(link->sent, (Lines{"AVSC 1.0 1.0 1.0", "IVER 1", "FMTG?", "IMGU "}));
}

TEST_F(QdDriverTest, AColourChangeRedefinesTheFormatWithTheNewGuns) {
    start(7);
    EXPECT_EQ(link->opens, Lines{"COM1"});
    EXPECT_TRUE(sg.selectColour(kColourB));
    Lines format = kDefaultFormat;
    format[18] = "XVSG 0,0,1";
    EXPECT_EQ(link->sent, joined({{"IMGL Linearty"}, format, {"AVSC 1.0 1.0 1.0", "IVER 0", "FMTG?", "ALLU "}}));
    EXPECT_EQ(clock.waitsNamed("command generator format in use"), std::vector<uint32_t>{400});
    EXPECT_EQ(clock.waitsNamed("command generator output on").size(), 0u);
}

TEST_F(QdDriverTest, HatchImagesFollowTheFirmwareVersion) {
    const struct {
        int32_t pattern;
        const char* newer;
    } hatches[] = {{0, "IMGL hatch5x4"}, {7, "IMGL hatch5x4"}, {6, "IMGL hatch4x3"}, {8, "IMGL hatch24s"}};
    QdFirmware old, newer;
    const char v[] = "3.010";
    newer.readReply(v, sizeof v);
    for (const auto& h : hatches) {
        EXPECT_EQ(qdImageCommand(h.pattern, newer), h.newer);
        EXPECT_EQ(qdImageCommand(h.pattern, old), "IMGL Linearty");
    }
    const Lines fixed = {"", "IMGL MEMEPlus", "IMGL GRAYBAR", "IMGL FLAT", "IMGL SMPTE133", "IMGL Check_11",
                         "", "", "", "IMGL FLATGRAY", "IMGL RASTER", "", "IMGL SMPTE133"};
    for (int32_t p = 0; p <= 12; ++p) {
        const std::string& want = fixed[static_cast<size_t>(p)];
        if (!want.empty()) {
            EXPECT_EQ(qdImageCommand(p, old), want);
        }
    }
    EXPECT_EQ(qdImageCommand(11, newer), std::nullopt);
    EXPECT_EQ(qdImageCommand(13, newer), std::nullopt);
    EXPECT_EQ(qdImageCommand(-1, newer), std::nullopt);

    // The PCI card is asked for its version when opened; the others never are.
    start(10);
    EXPECT_EQ(link->opens, Lines{"PCI1"});
    EXPECT_TRUE(sg.selectPattern(kPattern43Hatch));
    EXPECT_EQ(link->sent.front(), "IMGL hatch4x3");
    sg.SgClose();
    link->replies["VERF?"] = "2.982";
    sg.SgOpen();
    link->sent.clear();
    EXPECT_TRUE(sg.selectPattern(kPatternSmallHatch));
    EXPECT_EQ(link->sent.front(), "IMGL Linearty");

    // A generator of kind 6 shows "Linearty" even after a newer PCI card was in use.
    link->replies["VERF?"] = "4.0";
    sg.SgSelect(10, 0, 0);
    sg.SgOpen();
    sg.SgClose();
    sg.SgSelect(6, 0, 1);
    sg.SgOpen();
    link->sent.clear();
    EXPECT_TRUE(sg.selectPattern(kPattern54Hatch));
    EXPECT_EQ(link->sent.front(), "IMGL Linearty");
    EXPECT_EQ(std::count(link->sent.begin(), link->sent.end(), "VERF?"), 0);
}

TEST_F(QdDriverTest, AFormatTheGeneratorRefusesIsNotPutInUse) {
    start(6);
    link->replies["FMTG?"] = "2091";
    SgTiming t = defaultSgTiming();
    sg.applyTiming(t);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], " Quntum SG can't set the timing ! \nHtot is not even.");
    EXPECT_EQ(link->sent.back(), "FMTG?");
    // The output was switched back on before the check.
    EXPECT_EQ(link->sent[link->sent.size() - 2], "OUTG 1");
    EXPECT_EQ(clock.waitsNamed("command generator format in use").size(), 0u);

    link->replies["FMTG?"] = " 17\r";
    EXPECT_TRUE(sg.selectPattern(kPatternWhite));
    EXPECT_EQ(ui.messages().back(), " Quntum SG can't set the timing ! \nStatus =   17");
    // No decimal answer is no success either.
    link->replies["FMTG?"] = std::nullopt;
    EXPECT_TRUE(sg.selectPattern(kPatternBlack));
    EXPECT_EQ(ui.messages().back(), " Quntum SG can't set the timing ! \nStatus =   -1");
    link->replies["FMTG?"] = "busy";
    EXPECT_TRUE(sg.selectPattern(kPatternGrayscale));
    EXPECT_EQ(ui.messages().back(), " Quntum SG can't set the timing ! \nStatus =   -1");
    EXPECT_EQ(ui.messages().size(), 4u);
}

TEST_F(QdDriverTest, OpeningByCardAndPortNumber) {
    installQdDrivers(sg, link);
    const struct {
        int kind, port, isa;
        Lines opens;
        Lines messages;
    } cases[] = {
        {6, 3, 0, {}, {" QD801GF-ISA is not used. Please check configuration ! "}},
        {6, 0, 7, {}, {}},
        {6, 0, 4, {"ISA4"}, {}},
        {7, 0, 2, {}, {" QD801GF-232 is not used. Please check configuration ! "}},
        {7, 5, 0, {}, {}},
        {7, 2, 0, {"COM2"}, {}},
        {10, 0, 0, {"PCI1"}, {}},
    };
    for (const auto& c : cases) {
        link->opens.clear();
        ui.clear();
        sg.SgSelect(c.kind, c.port, c.isa);
        sg.SgOpen();
        EXPECT_EQ(link->opens, c.opens) << c.kind << " " << c.port << " " << c.isa;
        EXPECT_EQ(ui.messages(), c.messages) << c.kind << " " << c.port << " " << c.isa;
    }

    link->openResult = 1;
    for (const auto& [kind, message] : std::vector<std::pair<int, std::string>>{
             {6, " QD801GF-ISA is NG. Please check condition ! "},
             {7, " QD801GF-232 is NG. Please check condition ! "},
             {10, " QD PCI Cards will be inaccessable "}}) {
        ui.clear();
        sg.SgSelect(kind, 1, 1);
        sg.SgOpen();
        EXPECT_EQ(ui.messages(), Lines{message});
    }
    // The PCI card counts as open for any result not above 0.
    link->openResult = -3;
    link->sent.clear();
    sg.SgSelect(10, 0, 0);
    sg.SgOpen();
    EXPECT_EQ(link->sent, Lines{"VERF?"});
}

TEST_F(QdDriverTest, NothingIsSentToAGeneratorThatDidNotOpen) {
    std::vector<std::string> log;
    sg.setLog([&log](const std::string& line) { log.push_back(line); });
    installQdDrivers(sg, link);
    sg.SgSelect(6, 0, 0);
    sg.SgOpen();
    ui.clear();
    sg.SgResetDefault();
    EXPECT_TRUE(link->sent.empty());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(log, Lines{"SG QD-801_ISA: the generator is not open; timing and pattern not sent"});

    // Closing always reaches the library and waits; an apply after it sends nothing.
    sg.SgSelect(7, 1, 0);
    sg.SgOpen();
    clock.clearSleeps();
    sg.SgClose();
    EXPECT_EQ(link->closes, 1);
    EXPECT_EQ(clock.waits(), (std::vector<platform::FakeClock::Wait>{{"generator close", 1000}}));
    link->sent.clear();
    EXPECT_TRUE(sg.selectPattern(kPatternWhite));
    EXPECT_TRUE(link->sent.empty());
}

TEST_F(QdDriverTest, ReplyValues) {
    EXPECT_EQ(qdReplyValue("0"), 0);
    EXPECT_EQ(qdReplyValue("2091\r\n"), 2091);
    EXPECT_EQ(qdReplyValue("  -5"), -5);
    EXPECT_EQ(qdReplyValue("+7"), 7);
    EXPECT_EQ(qdReplyValue(""), std::nullopt);
    EXPECT_EQ(qdReplyValue("OK"), std::nullopt);
    EXPECT_EQ(qdReplyValue("99999999999"), std::nullopt);
}
