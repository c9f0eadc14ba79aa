// The station checks on the demo station and on a station broken in every
// way they look for.
#include <gtest/gtest.h>

#include <cstdio>

#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/prc_file.h"
#include "kit/temp_folder.h"
#include "procedure/job_kinds.h"
#include "procedure/station_lint.h"

namespace procedure {
namespace {

using Op = prc::Operand;

std::vector<std::string> texts(const std::vector<Finding>& findings) {
    std::vector<std::string> out;
    for (const Finding& f : findings) out.push_back(f.text());
    return out;
}

kit::PrcStepSpec step(uint8_t kind) {
    kit::PrcStepSpec s;
    s.name = "step";
    s.kind = kind;
    return s;
}

TEST(StationLint, TheDemoStationPasses) {
    kit::TempFolder tmp{"lint-demo"};
    ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
    EXPECT_EQ(texts(lintStation(tmp.path(), {})), std::vector<std::string>{});
}

TEST(StationLint, ABrokenStationGetsOneLinePerFinding) {
    kit::TempFolder tmp{"lint-broken"};
    const std::string home = tmp.path();
    ASSERT_TRUE(kit::writeDemoStation(home));
    // The second chassis is gone, so is one procedure file; TOUCH is broken.
    ASSERT_EQ(std::remove((home + "/data/VXB.CHS").c_str()), 0);
    ASSERT_EQ(std::remove((home + "/PELARO/PRC/SERVICE.PRC").c_str()), 0);
    kit::PrcFileSpec f;
    f.title = "Broken";
    f.endStep = 9;  // beyond the seven steps
    f.steps.push_back(step(40));                                                           // 1: no such kind
    f.steps.push_back(step(JOB_MESSAGE).with(Op::Keys, {1, 30}).with(Op::Jumps, {12}).with(Op::Messages, {0x4109}));
    f.steps.push_back(step(JOB_READ).with(Op::Registers, {0x0104}).with(Op::Variables, {101}));  // 3
    f.steps.push_back(step(JOB_REG_WRITE).with(Op::Registers, {0x0777}).with(Op::Values, {1}));  // 4
    f.steps.push_back(step(JOB_MATH));                                                     // 5
    f.steps.back().expression = "V1=(V2+3";
    f.steps.push_back(step(JOB_SKIP));                                                     // 6
    f.steps.back().signal = 9;
    f.steps.push_back(step(JOB_USER_SAVE));                                                // 7
    f.steps.back().signal = 6;
    f.steps.back().pattern = 17;
    f.steps.back().colour = 8;
    ASSERT_TRUE(kit::writeFile(home + "/PELARO/PRC/TOUCH.PRC", kit::prcFile(f)));

    const std::vector<std::string> found = texts(lintStation(home, {"VX-1700", "VX-1900S", "NO-SUCH"}));
    const std::vector<std::string> expected = {
        "TOUCH.PRC: END step 9 lies beyond the 7 steps of the file",
        "TOUCH.PRC: step 1: unknown step kind 40",
        "TOUCH.PRC: step 2: message A9 is not in the message files",
        "TOUCH.PRC: step 2: key code 30 is unknown",
        "TOUCH.PRC: step 2: jumps: jump 12 lies beyond END 9",
        "TOUCH.PRC: step 3: variables: variable 101 is outside V1..V100",
        "TOUCH.PRC: step 4: register 0777 (registers) is not in the link description",
        "TOUCH.PRC: step 5: expression: unbalanced parentheses",
        "TOUCH.PRC: step 7: signal 6 is not a timing of the model",
        "TOUCH.PRC: step 7: pattern 17 is not allowed",
        "TOUCH.PRC: step 7: colour 8 is not allowed",
        "SERVICE.PRC: the procedure file is missing or cannot be read (listed by VX1700.mdl)",
    };
    ASSERT_GE(found.size(), expected.size() + 2);
    // The models first, in database order: VX-1700 is checked, VX-1900S does not load.
    EXPECT_EQ(std::vector<std::string>(found.begin(), found.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(found[expected.size()].rfind("VX1900S.mdl: ", 0), 0u) << found[expected.size()];
    EXPECT_EQ(found.back(), "mdlsel.sel: no model named NO-SUCH");
}

TEST(StationLint, ExpressionsBeyondTheTokenTableAreReported) {
    kit::TempFolder tmp{"lint-tokens"};
    ASSERT_TRUE(kit::writeDemoStation(tmp.path()));
    kit::PrcFileSpec f;
    f.title = "Long";
    f.endStep = 2;
    f.steps.push_back(step(JOB_MATH));
    f.steps.back().expression = "V1=1+2+3+4+5+6+7+8+9+1+2+3+4+5+6+7";  // 31 tokens
    ASSERT_TRUE(kit::writeFile(tmp.path() + "/PELARO/PRC/TOUCH.PRC", kit::prcFile(f)));
    EXPECT_EQ(texts(lintStation(tmp.path(), {"VX-1700"})),
              std::vector<std::string>{"TOUCH.PRC: step 1: expression has more than 29 tokens"});
}

} // namespace
} // namespace procedure
