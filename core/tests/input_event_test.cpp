#include <gtest/gtest.h>

#include "core/input_event.h"
#include "core/operation_log.h"

using core::InputEvent;
using core::Key;
using core::parseInputEvent;

TEST(InputEvent, NamesParseBackToTheSameEvent) {
    const InputEvent events[] = {
        InputEvent::press(Key::F1),        InputEvent::press(Key::F12),      InputEvent::press(Key::Enter),
        InputEvent::press(Key::Escape),    InputEvent::press(Key::Backtab),  InputEvent::press(Key::PageDown),
        InputEvent::charKey('q'),        InputEvent::charKey('7'),       InputEvent::charKey('i', true),
        InputEvent::charKey('0', true),  InputEvent::typed("0 "),          InputEvent::typed(""),
        InputEvent::click("Save"),         InputEvent::click("POWER ON"),    InputEvent::selectRow(12),
    };
    for (const InputEvent& e : events) {
        auto back = parseInputEvent(e.name());
        ASSERT_TRUE(back) << e.name();
        EXPECT_EQ(*back, e) << e.name();
    }
    EXPECT_EQ(InputEvent::charKey('i', true).name(), "Alt+I");
    EXPECT_EQ(InputEvent::typed(" 12 ").name(), "type= 12 ");
}

TEST(InputEvent, KeyNamesIgnoreCaseAndBadNamesAreRefused) {
    EXPECT_EQ(parseInputEvent("escape"), InputEvent::press(Key::Escape));
    EXPECT_EQ(parseInputEvent("esc"), InputEvent::press(Key::Escape));
    EXPECT_EQ(parseInputEvent("alt+q"), InputEvent::charKey('Q', true));
    for (const char* bad : {"", "F13", "Alt+", "Alt+QQ", "row=", "row=x1", "row=-1", "click=", "??", "Ctrl+C"})
        EXPECT_FALSE(parseInputEvent(bad)) << bad;
}

TEST(InputEvent, DigitsLettersAndAlt) {
    EXPECT_EQ(InputEvent::charKey('5').digit(), 5);
    EXPECT_EQ(InputEvent::charKey('5', true).digit(), -1);
    EXPECT_EQ(InputEvent::charKey('0', true).altDigit(), 0);
    EXPECT_EQ(InputEvent::charKey('Q').altDigit(), -1);
    EXPECT_TRUE(InputEvent::charKey('w', true).isAlt('W'));
    EXPECT_FALSE(InputEvent::charKey('w').isAlt('w'));
    EXPECT_TRUE(InputEvent::charKey('k').isLetter('K'));
    EXPECT_FALSE(InputEvent::press(Key::Enter).isLetter('K'));
    EXPECT_TRUE(InputEvent::press(Key::Tab).is(Key::Tab));
    EXPECT_FALSE(InputEvent::click("Tab").is(Key::Tab));
}

TEST(OperationLog, LinesProgressCancelAndListener) {
    core::OperationLog log;
    int changes = 0;
    log.setListener([&] { ++changes; });
    EXPECT_EQ(log.progress(), -1);
    log.add(" 1:first");
    log.setProgress(140);
    EXPECT_EQ(log.progress(), 100);
    log.setProgress(-7);
    EXPECT_EQ(log.progress(), -1);
    EXPECT_EQ(log.lines().front(), " 1:first");
    log.requestCancel();
    EXPECT_TRUE(log.cancelRequested());
    log.clearCancel();
    EXPECT_FALSE(log.cancelRequested());
    log.clear();
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(changes, 4);
}

TEST(OperationLog, KeepsTheNewestLinesWithinItsBound) {
    core::OperationLog log;
    for (size_t i = 0; i < core::OperationLog::kMaxLines + 5; ++i) log.add(std::to_string(i));
    EXPECT_EQ(log.lines().size(), core::OperationLog::kMaxLines);
    EXPECT_EQ(log.lines().front(), "5");
}
