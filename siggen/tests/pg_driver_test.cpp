#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/fake_ui.h"
#include "platform/clock.h"
#include "siggen/pg_driver.h"
#include "siggen/pg_records.h"
#include "siggen/signal_generator.h"

using namespace siggen;

namespace {

// Records every call by name; calls named in `fail` answer a refusal, and
// sign-on with count 0 is refused as the library does.
class FakePgLink : public PgLink {
public:
    std::vector<std::string> calls;
    std::vector<std::string> fail;
    std::vector<int32_t> lastProgram, lastPattern;
    PgElement lastElement = PgElement::None;
    std::string signOn;

    int32_t selectTransWay(int32_t w) override { return call("way" + std::to_string(w)); }
    int32_t selectSeriConfig(int32_t bps, int32_t cs, int32_t sb, int32_t par, int32_t port) override {
        return call("seri " + std::to_string(bps) + " " + std::to_string(cs) + " " + std::to_string(sb) + " " +
                    std::to_string(par) + " " + std::to_string(port));
    }
    int32_t selectDevice(int32_t d, int32_t t) override {
        return call("device " + std::to_string(d) + " " + std::to_string(t));
    }
    int32_t open() override { return call("open"); }
    int32_t close() override { return call("close"); }
    int32_t setProgram2(int32_t p, const int32_t* r) override {
        lastProgram.assign(r, r + kPgProgramWords);
        return call("program " + std::to_string(p));
    }
    int32_t exeBufRam() override { return call("exebuf"); }
    int32_t setExeProgram2(const int32_t*) override { return call("exeprogram"); }
    int32_t setPtnSelect(int32_t p, const int32_t* s) override {
        const PgSelectRecord want = pgSelectRecord();
        EXPECT_TRUE(std::equal(want.begin(), want.end(), s));
        return call("select " + std::to_string(p));
    }
    int32_t setPattern(PgElement e, int32_t p, const int32_t* r) override {
        lastElement = e;
        // The words of the element's group record.
        static const std::map<PgElement, size_t> kWords = {{PgElement::CrossHatch, 2}, {PgElement::Character, 5},
                                                           {PgElement::GrayScale, 17}, {PgElement::Dot, 2},
                                                           {PgElement::Window, 10},    {PgElement::ColorBar, 20}};
        lastPattern.assign(r, r + kWords.at(e));
        return call("pattern " + std::to_string(static_cast<int>(e)) + " " + std::to_string(p));
    }
    int32_t setUserCharacter(int32_t code, const uint8_t*) override { return call("glyph " + std::to_string(code)); }
    int32_t setPtnSignOn(const uint8_t* codes, int32_t count) override {
        signOn.assign(reinterpret_cast<const char*>(codes), static_cast<size_t>(count > 0 ? count : 0));
        if (count <= 0) return call("signon"), 0xFFD7;
        return call("signon");
    }

private:
    int32_t call(const std::string& name) {
        calls.push_back(name);
        for (auto it = fail.begin(); it != fail.end(); ++it)
            if (*it == name) {
                fail.erase(it);
                return 0xFFD2;
            }
        return 0xFF00;
    }
};

class PgDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        sg.SgSelect(0, 2, 0);
        sg.timing() = defaultSgTiming();
    }
    core::FakeUi ui;
    platform::FakeClock clock;
    SignalGenerator sg{ui, clock};
    std::shared_ptr<FakePgLink> link = std::make_shared<FakePgLink>();
    PgDriver driver{link};
};

} // namespace

TEST(PgRecords, DefaultTimingWords) {
    const PgProgramRecord r = pgProgramRecord(defaultSgTiming());
    EXPECT_EQ(std::vector<int32_t>(r.begin() + 1, r.begin() + 6), (std::vector<int32_t>{2517, 3177, 2542, 381, 190}));
    EXPECT_EQ(r[11], 5250);
    EXPECT_EQ(r[12], 20);
    EXPECT_EQ(r[15], 330);
    EXPECT_EQ(r[16], 4800);
    EXPECT_EQ(r[30], 70);
    EXPECT_EQ(r[32], 30);
    EXPECT_EQ(r[63], 37);
    EXPECT_EQ(r[100], 255);
    EXPECT_EQ(r[117], 0);
}

TEST(PgRecords, AnyValueBecomesAWordWithinItsRange) {
    modeldb::SgTiming t = defaultSgTiming();
    t.dotClock = 1.0e30f;
    t.hTotal = std::nanf("");
    t.hActive = -INFINITY;
    t.hSync = INFINITY;
    t.hBack = -1.0e30f;
    t.vTotal = INT32_MAX;
    t.vSync = INT32_MIN;
    t.vBack = 214748365;  // ten times is just beyond int32
    t.vActive = -7;
    const PgProgramRecord r = pgProgramRecord(t);
    EXPECT_EQ(std::vector<int32_t>(r.begin() + 1, r.begin() + 6),
              (std::vector<int32_t>{INT32_MAX, 0, INT32_MIN, INT32_MAX, INT32_MIN}));
    EXPECT_EQ(r[11], INT32_MAX);
    EXPECT_EQ(r[12], INT32_MIN);
    EXPECT_EQ(r[15], INT32_MAX);
    EXPECT_EQ(r[16], -70);

    // Level and box are percentages: held within 0..100.
    EXPECT_EQ(pgPattern(13, 1000, -4).record, (std::vector<int32_t>{0, 0, 0, 255, 255, 255, 7, 0, 0, 0}));
    EXPECT_EQ(pgPattern(13, -1, 400).record, (std::vector<int32_t>{0, 1000, 1000, 0, 0, 0, 7, 0, 0, 0}));
}

TEST(PgRecords, SyncWordsLaterFlagWins) {
    modeldb::SgTiming t = defaultSgTiming();
    t.syncOnGreen = 0, t.syncExternal = 1, t.syncComposite = 1, t.hPolarity = 0, t.vPolarity = 1;
    PgProgramRecord r = pgProgramRecord(t);
    EXPECT_EQ(std::vector<int32_t>(r.begin() + 20, r.begin() + 28), (std::vector<int32_t>{2, 2, 1, 0, 0, 1, 0, 0}));
    t.syncComposite = 0;
    r = pgProgramRecord(t);
    EXPECT_EQ(std::vector<int32_t>(r.begin() + 20, r.begin() + 28), (std::vector<int32_t>{1, 0, 2, 0, 0, 1, 0, 0}));
    t.syncOnGreen = 1, t.syncExternal = 0;
    r = pgProgramRecord(t);
    EXPECT_EQ(std::vector<int32_t>(r.begin() + 20, r.begin() + 28), (std::vector<int32_t>{2, 2, 2, 0, 0, 1, 0, 2}));
    t.interlace = 1;
    EXPECT_EQ(pgProgramRecord(t)[8], 2);
}

TEST(PgRecords, SignOnCodesPatternsAndGlyph) {
    EXPECT_EQ(pgSignOnCodes(3, 0, 1), "\x5E\x5F\x60QUb");
    EXPECT_EQ(pgSignOnCodes(7, 10, 0), "");
    EXPECT_EQ(pgSignOnCodes(4, 9, 0), "^`Z");
    EXPECT_EQ(pgSignOnCodes(1, 99, 1), "_b");

    const PgPattern white = pgPattern(13, 100, 6);
    EXPECT_EQ(white.element, PgElement::Window);
    EXPECT_EQ(white.record, (std::vector<int32_t>{0, 244, 244, 255, 255, 255, 7, 0, 0, 0}));
    EXPECT_TRUE(pgPattern(1, 0, 0).userCharacter);
    EXPECT_EQ(pgPattern(2, 0, 0).record.size(), 17u);
    EXPECT_EQ(pgPattern(12, 0, 0).record.size(), 20u);  // the whole colour-bar group
    EXPECT_EQ(pgPattern(14, 0, 0).element, PgElement::None);

    const PgGlyph& g = pgUserCharacterGlyph();
    EXPECT_EQ(std::vector<uint8_t>(g.begin() + 16, g.begin() + 23), (std::vector<uint8_t>{3, 15, 1, 15, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(g.begin() + 16 * 16, g.begin() + 16 * 16 + 7),
              (std::vector<uint8_t>{3, 14, 3, 15, 0, 0, 0}));
    int nonzero = 0;
    for (size_t i = 0; i < g.size(); ++i) {
        if (g[i]) ++nonzero;
        if (i % 16 >= 7 || i >= 18 * 16) {
            ASSERT_EQ(g[i], 0) << i;
        }
    }
    EXPECT_EQ(nonzero, 55);
}

TEST_F(PgDriverTest, ApplySendsTheProgramThenThePattern) {
    EXPECT_EQ(driver.PgApply(sg), 0);
    EXPECT_EQ(link->calls, (std::vector<std::string>{"open", "program 0", "exebuf", "exeprogram", "select 0", "close",
                                                     "open", "pattern 1 0", "exebuf", "signon", "close"}));
    EXPECT_EQ(link->signOn, "^_`QU");
    EXPECT_EQ(link->lastProgram[1], 2517);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(PgDriverTest, PatternOnlySendsNoProgram) {
    sg.setPatternOnly(true);
    sg.selection().pattern = kPatternSpecialWhite;
    sg.setSpecialWhite(100, 6);
    EXPECT_EQ(driver.PgApply(sg), 0);
    EXPECT_EQ(link->calls, (std::vector<std::string>{"open", "pattern 5 0", "exebuf", "signon", "close"}));
    EXPECT_EQ(link->lastPattern, (std::vector<int32_t>{0, 244, 244, 255, 255, 255, 7, 0, 0, 0}));
}

TEST_F(PgDriverTest, BlackWithNoGunsEndsInTheRefusedSignOn) {
    sg.setPatternOnly(true);
    sg.selection() = {kPatternBlack, 7, 0};
    EXPECT_EQ(driver.PgApply(sg), 0);
    EXPECT_EQ(link->calls, (std::vector<std::string>{"open", "signon"}));
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back(), "VEXOR SG  ERROR");
}

TEST_F(PgDriverTest, UserCharacterPatternLoadsTheGlyphFirst) {
    sg.setPatternOnly(true);
    sg.selection().pattern = kPatternMeme;
    EXPECT_EQ(driver.PgApply(sg), 0);
    EXPECT_EQ(link->calls,
              (std::vector<std::string>{"open", "glyph 224", "pattern 2 0", "exebuf", "signon", "close"}));
}

TEST_F(PgDriverTest, RefusedProgramIsRepeatedOnceOnTheOtherDevice) {
    link->fail = {"program 0"};
    EXPECT_EQ(driver.PgSendTiming(sg), 0);
    EXPECT_EQ(link->calls, (std::vector<std::string>{"open", "program 0", "device 1 0", "program 0", "exebuf",
                                                     "exeprogram", "select 0", "close"}));

    link->calls.clear();
    link->fail = {"program 0", "program 0"};
    EXPECT_EQ(driver.PgApply(sg), 1);
    EXPECT_EQ(link->calls, (std::vector<std::string>{"open", "program 0", "device 1 0", "program 0", "close"}));
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"VEXOR SG COMMUNICATION ERROR", "VEXOR SG TIMING SETUP ERROR"}));
}

TEST_F(PgDriverTest, FailuresEachGiveTheirMessage) {
    link->fail = {"select 0"};
    EXPECT_EQ(driver.PgSendTiming(sg), 1);
    EXPECT_EQ(link->calls.back(), "close");
    EXPECT_EQ(ui.messages().back(), "VEXOR SG  ERROR");

    sg.setPatternOnly(true);
    sg.selection().pattern = kPattern6PercentWhite;
    link->fail = {"open"};
    driver.PgApply(sg);
    EXPECT_EQ(ui.messages().back(), "SG COMMUNICATION ERROR");
    sg.selection().pattern = kPatternWhite;
    link->fail = {"open"};
    driver.PgApply(sg);
    EXPECT_EQ(ui.messages().back(), "VEXOR SG  ERROR");
}

TEST_F(PgDriverTest, OpenSetsUpThePort) {
    driver.open(sg);
    EXPECT_EQ(link->calls,
              (std::vector<std::string>{"way0", "seri 9600 7 0 0 2", "device 1 3", "open", "close"}));
    link->calls.clear();
    link->fail = {"device 1 3"};
    driver.open(sg);
    EXPECT_EQ(ui.messages().back(), "VEXOR SG PANEL ROM SETUP ERROR");
    sg.SgSelect(0, 0, 0);
    driver.open(sg);
    EXPECT_EQ(ui.messages().back(), " Vexor SG is not used. Please check configuration ! ");
}

TEST_F(PgDriverTest, KindsZeroToThreeApplyThroughTheDriver) {
    installPgDrivers(sg, link);
    for (int kind = 0; kind <= 3; ++kind) {
        sg.SgSelect(kind, 2, 0);
        link->calls.clear();
        sg.SgApply();
        ASSERT_FALSE(link->calls.empty()) << kind;
        EXPECT_EQ(link->calls[1], "program 0") << kind;
        EXPECT_EQ(link->calls.back(), "close") << kind;
    }
    sg.SgSelect(4, 2, 0);
    link->calls.clear();
    sg.SgApply();
    EXPECT_TRUE(link->calls.empty());
}
