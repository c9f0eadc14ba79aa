#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "core/screen.h"
#include "core/test_ui.h"

using namespace core;

namespace {
class Probe : public Screen {
public:
    std::string kind() const override { return "probe"; }
    void finish(int code) { close(code); }
    bool handle(const InputEvent& e) override {
        if (!e.is(Key::Escape)) return false;
        finish(2);
        return true;
    }
    ScreenView view() const override { return {}; }
};
} // namespace

TEST(FakeUi, AnswersInOrderAndRecords) {
    TestUi ui;
    ui.answerYesNo(true);
    ui.answerYesNo(false);
    ui.answerFile(std::string("/tmp/a.dat"));
    ui.answerModal([](Screen& s) {
        static_cast<Probe&>(s).finish(5);
        return 5;
    });
    ui.message(" ECS syntax Error ");
    EXPECT_TRUE(ui.askYesNo("Save?"));
    EXPECT_FALSE(ui.askYesNo("Really?"));
    EXPECT_EQ(ui.chooseFile({}), "/tmp/a.dat");
    Probe probe;
    EXPECT_EQ(ui.runModal(probe), 5);
    EXPECT_TRUE(probe.closed());
    EXPECT_EQ(ui.messages(), std::vector<std::string>{" ECS syntax Error "});
    EXPECT_EQ(ui.questions().size(), 2u);
    EXPECT_EQ(ui.modalKinds(), std::vector<std::string>{"probe"});
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST(FakeUi, UnexpectedQuestionFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            TestUi ui;
            ui.askYesNo("Nobody answers this");
        },
        "unexpected question: Nobody answers this");
    FakeUi plain;
    plain.askYesNo("x");
    EXPECT_EQ(plain.unexpected().size(), 1u);
}
