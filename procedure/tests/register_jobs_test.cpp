// Save kinds, register writes, the reserve list and the min/max jumps.
#include "job_fixture.h"

#include "modeldb/chassis_layout.h"
#include "procedure/job_kinds.h"

namespace procedure::testing {
namespace {

using Write = std::pair<uint16_t, int32_t>;
using Writes = std::vector<Write>;

void setSpecial(modeldb::ChassisRecord& chassis, size_t offset, int16_t code) {
    chassis.specialRegisters[(offset - modeldb::chassis::kSpecialRegisters) / 2] = code;
}

struct SaveCase {
    uint8_t kind;
    size_t offset;
    const char* done;
    const char* notRegistered;
    const char* wrong;
};

const SaveCase kSaveCases[] = {
    {JOB_SERVICE_SAVE, modeldb::chassis::kServiceSave, " === JOB_SERVICE_SAVE done ===",
     " JOB_SERVICE_SAVE is not registered !", " JOB_SERVICE_SAVE is wrong!"},
    {JOB_USER_SAVE, modeldb::chassis::kUserSave, " === JOB_USER_SAVE done ===", " JOB_USER_SAVE is not registered !",
     " JOB_USER_SAVE is wrong!"},
    {JOB_COLOR_SAVE, modeldb::chassis::kColorSave, " === JOB_COLOR_SAVE done ===",
     " JOB_COLOR_SAVE is not registered !", " JOB_COLOR_SAVE is wrong!"},
    {JOB_AUDIO_SAVE, modeldb::chassis::kAudioSave, " === JOB_AUDIO_SAVE done ===",
     " JOB_AUDIO_SAVE is not registered !", " JOB_AUDIO_SAVE is wrong!"},
};

using RegisterJobs = JobFixture;

TEST_F(RegisterJobs, SaveKindsWriteZeroToTheirChassisRegisterOnlyWhenItIsRegistered) {
    for (const SaveCase& c : kSaveCases) {
        SCOPED_TRACE(jobKindName(c.kind));
        model.chassis.reset();
        EXPECT_EQ(runStep(stepOf(c.kind)), Lines{c.notRegistered});
        EXPECT_TRUE(regs.writes().empty());

        setSpecial(model.chassis, c.offset, 0x0240);
        define(0x0240, 9);
        EXPECT_EQ(runStep(stepOf(c.kind)), Lines{c.done});
        EXPECT_EQ(regs.writes(), (Writes{{0x0240, 0}}));
        EXPECT_EQ(regs.accesses().back().flags, ecs::kSendNow);

        regs.refuse(0x0240);
        EXPECT_EQ(runStep(stepOf(c.kind)), (Lines{c.done, c.wrong}));
        regs = ecs::MemoryRegisters{};
    }
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(RegisterJobs, RegisterWriteWritesEachValueUntilTheEndOfTheListAndReportsRefusals) {
    define(0x0100);
    define(0x0101);
    define(0x0102);
    regs.refuse(0x0101);
    auto step = stepOf(JOB_REG_WRITE).with(Op::Registers, {0x0100, 0x0101, -1, 0x0102}).with(Op::Values, {12, -3, 0, 7});
    EXPECT_EQ(runStep(step), (Lines{" === JOB_REG_WRITE done ===", "01:REG_0100   :Write Value = 12    ",
                                    "02:REG_0101   :Write access NG !"}));
    EXPECT_EQ(regs.writes(), (Writes{{0x0100, 12}, {0x0101, -3}}));
    EXPECT_EQ(ui.messages(), Lines{" REG write is NG -> can't access .\n Check condition ! "});
}

TEST_F(RegisterJobs, ReserveListKeepsValuesAcrossStepsAndWritesThemBack) {
    define(0x0100, 40);
    define(0x0103, -2, -128, 127);
    EXPECT_EQ(runStep(stepOf(JOB_RSV_SET).with(Op::Registers, {0x0100, 0x0103})),
              (Lines{" === JOB_RSV_SET done ===", "RsvREG1  = REG_0100   ", "RsvREG2  = REG_0103   "}));
    EXPECT_FALSE(run.reserve.valid);  // setting the list reads nothing

    EXPECT_EQ(runStep(stepOf(JOB_RSV_READ)),
              (Lines{" === JOB_RSV_READ done ===", "RsvREG1  = REG_0100   :Read Value = 40    ",
                     "RsvREG2  = REG_0103   :Read Value = -2    "}));
    EXPECT_TRUE(run.reserve.valid);

    regs.set(0x0100, 90);  // the operator adjusts, then the procedure restores
    regs.set(0x0103, 5);
    EXPECT_EQ(runStep(stepOf(JOB_RSV_WRITE)),
              (Lines{" === JOB_RSV_WRITE done ===", "RsvREG1  = REG_0100   :Write Value = 40    ",
                     "RsvREG2  = REG_0103   :Write Value = -2    "}));
    EXPECT_EQ(regs.value(0x0100), 40);
    EXPECT_EQ(regs.value(0x0103), -2);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(RegisterJobs, ARefusedReserveReadGoesOnButBlocksTheReserveWrite) {
    define(0x0100, 40);
    define(0x0101, 41);
    define(0x0102, 42);
    regs.refuse(0x0101);
    runStep(stepOf(JOB_RSV_SET).with(Op::Registers, {0x0100, 0x0101, 0x0102}));
    EXPECT_EQ(runStep(stepOf(JOB_RSV_READ)),
              (Lines{" === JOB_RSV_READ done ===", "RsvREG1  = REG_0100   :Read Value = 40    ",
                     "RsvREG2  = REG_0101   :Read access NG !", "RsvREG3  = REG_0102   :Read Value = 42    "}));
    EXPECT_FALSE(run.reserve.valid);
    EXPECT_EQ(runStep(stepOf(JOB_RSV_WRITE)),
              (Lines{" === JOB_RSV_WRITE done ===", "Reserve write is NG -> not read reserve REG ."}));
    EXPECT_TRUE(regs.writes().empty());
    EXPECT_EQ(ui.messages(), (Lines{" REG read is NG -> can't read .\n Check condition ! ",
                                    " Reserve write is NG -> not read reserve REG .\n Check KovEdit data! "}));
}

TEST_F(RegisterJobs, ReserveReadWithoutAListAndAWriteThatFails) {
    EXPECT_EQ(runStep(stepOf(JOB_RSV_READ)),
              (Lines{" === JOB_RSV_READ done ===", "Reserve read is NG -> not set reserve REG ."}));
    EXPECT_FALSE(run.reserve.valid);

    define(0x0100, 3);
    runStep(stepOf(JOB_RSV_SET).with(Op::Registers, {0x0100}));
    runStep(stepOf(JOB_RSV_READ));
    regs.refuse(0x0100);
    EXPECT_EQ(runStep(stepOf(JOB_RSV_WRITE)),
              (Lines{" === JOB_RSV_WRITE done ===", "RsvREG1  = REG_0100   :Value = 3     :Write access NG !"}));
    EXPECT_EQ(ui.messages(), (Lines{" Reserve read is NG -> not set reserve REG .\n Check KovEdit data! ",
                                    " REG write is NG -> can't write .\n Check condition ! "}));
}

struct JumpCase {
    uint8_t kind;
    std::array<int32_t, 3> values;
    size_t chosen;
};

TEST_F(RegisterJobs, MinAndMaxJumpsChooseWithTiesGoingToTheLaterOfTheFirstTwo) {
    const JumpCase cases[] = {
        {JOB_RGB_MIN_JMP, {5, 5, 5}, 1}, {JOB_RGB_MIN_JMP, {1, 2, 3}, 0}, {JOB_RGB_MIN_JMP, {4, 3, 3}, 1},
        {JOB_RGB_MIN_JMP, {4, 3, 2}, 2}, {JOB_RGB_MAX_JMP, {7, 3, 7}, 0}, {JOB_RGB_MAX_JMP, {7, 7, 7}, 1},
        {JOB_RGB_MAX_JMP, {1, 2, 3}, 2}, {JOB_RGB_MAX_JMP, {-1, -5, -9}, 0},
    };
    const std::array<int32_t, 3> jumps{11, 12, 13};
    for (const JumpCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << jobKindName(c.kind) << " " << c.values[0] << c.values[1] << c.values[2]);
        define(0x0300, c.values[0], -128, 127);
        define(0x0301, c.values[1], -128, 127);
        define(0x0302, c.values[2], -128, 127);
        run.currentStep = 5;
        const Lines lines =
            runStep(stepOf(c.kind).with(Op::Registers, {0x0300, 0x0301, 0x0302}).with(Op::Jumps, {11, 12, 13}));
        ASSERT_EQ(lines.size(), 5u);
        const std::string name = core::strf("REG_%04X", 0x0300 + static_cast<int>(c.chosen));
        const std::string expected =
            c.kind == JOB_RGB_MIN_JMP
                ? core::strf("MIN = %-10s :Value = %-6d :Jump no = %-3d", name.c_str(), c.values[c.chosen], jumps[c.chosen])
                : core::strf("MAX_REG = %-10s :Value = %-6d :Jump no = %-3d", name.c_str(), c.values[c.chosen],
                             jumps[c.chosen]);
        EXPECT_EQ(lines[4], expected);
        EXPECT_EQ(run.currentStep, jumps[c.chosen] - 1);  // the runner's increment lands on the jump
    }
}

TEST_F(RegisterJobs, MinJumpLogsEachCandidateAndFillsThePanelJumps) {
    define(0x0300, 9);
    define(0x0301, 4);
    define(0x0302, 6);
    EXPECT_EQ(runStep(stepOf(JOB_RGB_MIN_JMP).with(Op::Registers, {0x0300, 0x0301, 0x0302}).with(Op::Jumps, {7, 8, 9})),
              (Lines{" === JOB_RGB_MIN_JMP done ===", "1 : REG_0300   :Read Value = 9      :Jump no = 7  ",
                     "2 : REG_0301   :Read Value = 4      :Jump no = 8  ",
                     "3 : REG_0302   :Read Value = 6      :Jump no = 9  ",
                     "MIN = REG_0301   :Value = 4      :Jump no = 8  "}));
    EXPECT_EQ(run.candidates, (JumpCandidates{9, 4, 6}));
    EXPECT_EQ(run.panel.jumps[0], 7);
    EXPECT_EQ(run.panel.jumps[2], 9);
    EXPECT_EQ(run.currentStep, 7);
}

TEST_F(RegisterJobs, JumpJobsEndAtAMissingRegisterABadJumpOrARefusedRead) {
    define(0x0300, 1);
    define(0x0301, 2);
    run.currentStep = 3;
    EXPECT_EQ(runStep(stepOf(JOB_RGB_MAX_JMP).with(Op::Registers, {0x0300, -1, 0x0301}).with(Op::Jumps, {7, 8, 9})),
              (Lines{" === JOB_RGB_MAX_JMP done ===", "1 : REG_0300   :Read Value = 1      :Jump no = 7  ",
                     "REG2 :not registered "}));
    // A jump at END (20) is not below it; a jump of 0 is not given.
    EXPECT_EQ(runStep(stepOf(JOB_RGB_MIN_JMP).with(Op::Registers, {0x0300, 0x0301, 0x0300}).with(Op::Jumps, {20, 8, 9})),
              (Lines{" === JOB_RGB_MIN_JMP done ===", "Jump1 is NG : 20  "}));
    EXPECT_EQ(runStep(stepOf(JOB_RGB_MIN_JMP).with(Op::Registers, {0x0300, 0x0301, 0x0300}).with(Op::Jumps, {5, 0, 9})),
              (Lines{" === JOB_RGB_MIN_JMP done ===", "1 : REG_0300   :Read Value = 1      :Jump no = 5  ",
                     "Jump2 is NG : 0   "}));
    regs.refuse(0x0301);
    EXPECT_EQ(runStep(stepOf(JOB_RGB_MIN_JMP).with(Op::Registers, {0x0301, 0x0300, 0x0300}).with(Op::Jumps, {5, 6, 9})),
              (Lines{" === JOB_RGB_MIN_JMP done ===", "1 : REG_0301   :Read access NG !"}));
    EXPECT_EQ(run.currentStep, 3);  // no jump after an early end
    EXPECT_EQ(ui.messages(), (Lines{" JOB_RGB_MAX_JMP is NG -> not registered !\n Check KovEdit data! ",
                                    " JOB_RGB_MIN_JMP is NG -> data is wrong !\n Check KovEdit data! ",
                                    " JOB_RGB_MIN_JMP is NG -> data is wrong !\n Check KovEdit data! ",
                                    "Read access is NG.\n Check condition ! "}));
}

TEST_F(RegisterJobs, KindsWithoutAJobHereDoNothing) {
    for (uint8_t kind : {uint8_t{0}, uint8_t{JOB_SKIP}, uint8_t{JOB_DCNV_DATA}, uint8_t{32}, uint8_t{99}, uint8_t{255}}) {
        EXPECT_TRUE(runStep(stepOf(kind)).empty()) << int(kind);
        EXPECT_TRUE(regs.accesses().empty());
    }
    log.clear();
    interpreter.execute(0);    // no step 0
    interpreter.execute(256);  // nor beyond 255
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(screen.calls.empty());
}

TEST(JobKindTable, InteractiveKindsAreThePanelAndDcnvPointKinds) {
    std::vector<int> interactive;
    for (int k = 0; k <= 40; ++k)
        if (isInteractive(k)) interactive.push_back(k);
    EXPECT_EQ(interactive, (std::vector<int>{1, 2, 25, 27, 28, 29, 30, 31}));
    EXPECT_STREQ(jobKindName(26), "JOB_DCNV_DATA");
    EXPECT_STREQ(jobKindName(99), "");
}

} // namespace
} // namespace procedure::testing
