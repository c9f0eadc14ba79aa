// The generator control screen driven by --keys, and the generator command,
// against the simulated pattern generator through the generator link.
#include <gtest/gtest.h>

#include "cli_station.h"

using clitest::CliRun;
using clitest::CliStation;
using clitest::SimulatedGenerator;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class Generator : public CliStation {
protected:
    void SetUp() override {
        generator_ = std::make_unique<SimulatedGenerator>(folder_.file("patgen.log"));
        ASSERT_FALSE(generator_->path().empty());
        writeProfile("VX-1700", 1, 0, 2);  // "PG-301" on COM2
        writeSettingsStore();
        startMonitor(1);
        mapPort(2, generator_->path());
    }
    std::unique_ptr<SimulatedGenerator> generator_;
};

const std::vector<std::string> kTimingRows = {" 1 : 640x480@60     ", " 2 : 800x600@75     ", " 3 : 1024x768@85    ",
                                              " 4 : 1280x1024@60   ", " 5 : 720x400@70     "};

} // namespace

TEST_F(Generator, KeysDriveTheControlScreen) {
    CliRun r = cli({"control", "--keys", "2,click=WHITE,click=GUN_R,row=4,Enter,Escape"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.outLines(), kTimingRows);
    const std::vector<std::string> err = r.errLines();
    EXPECT_EQ(err.at(0), "screen: Cont_SG");
    EXPECT_TRUE(contains(err, "Model: VX-1700"));
    EXPECT_TRUE(contains(err, "Timing No.: 2 "));
    EXPECT_TRUE(contains(err, "checked: WHITE, Normal(RGB), NORMAL"));
    EXPECT_TRUE(contains(err, "checked: WHITE, GUN_R, NORMAL"));
    EXPECT_TRUE(contains(err, "timings row: 4"));
    EXPECT_TRUE(contains(err, "Timing No.: 4 "));
    // Start-up default, row 2, row 4 and the default again on closing each send a program.
    const std::string log = generator_->log();
    EXPECT_EQ(count(log, "stored program2"), 4u) << log;
    EXPECT_EQ(count(log, "stored signon"), 6u) << log;  // and WHITE and GUN_R a pattern each
}

TEST_F(Generator, AnEventTheScreenCannotTakeAndKeysThatRunOut) {
    CliRun r = cli({"control", "--keys", "2,click=NOPE,3"});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(contains(r.errLines(), "pelaro-cli: the screen GeneratorControl cannot take click=NOPE")) << r.err;
    EXPECT_FALSE(contains(r.errLines(), "Timing No.: 3 "));

    r = cli({"control", "--keys", "2", "--json"});
    EXPECT_EQ(r.exit, 3);
    const std::vector<std::string> out = r.outLines();
    EXPECT_EQ(out.back(), R"({"result":"input-needed","exit":3})");
    EXPECT_TRUE(contains(out, R"({"error":"no input left while the screen GeneratorControl waits"})")) << r.out;
    EXPECT_TRUE(contains(out, R"({"show":"Timing No.","value":"2 "})"));
    EXPECT_TRUE(contains(out, R"({"log":" 3 : 1024x768@85    ","list":"timings"})"));
}

TEST_F(Generator, TheGeneratorCommandAppliesWhatItIsGiven) {
    CliRun r = cli({"generator", "--pattern", "white"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(contains(r.outLines(), "Pattern: WHITE"));
    std::string log = generator_->log();
    EXPECT_EQ(count(log, "stored program2"), 0u) << log;  // a pattern change alone
    EXPECT_EQ(count(log, "stored signon"), 1u);

    r = cli({"generator", "--timing", "201", "--colour", "0", "--invert"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(contains(r.outLines(), "Timing Name: 1024x768@85"));  // the prime mode is preset 3
    EXPECT_TRUE(contains(r.outLines(), "Color: GUN_R"));
    EXPECT_TRUE(contains(r.outLines(), "Invert: 1"));
    log = generator_->log();
    EXPECT_EQ(count(log, "stored program2"), 1u) << log;

    r = cli({"generator"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_TRUE(contains(r.outLines(), "Timing Name: VGA Graphics"));
    EXPECT_EQ(generator_->log(), log);  // nothing sent

    EXPECT_EQ(cli({"generator", "--timing", "6"}).exit, 2);
    EXPECT_EQ(cli({"generator", "--pattern", "17"}).exit, 2);
    EXPECT_EQ(cli({"generator", "--level", "50"}).exit, 2);  // --box too
    EXPECT_EQ(generator_->log(), log);
}
