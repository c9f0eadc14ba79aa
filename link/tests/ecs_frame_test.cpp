#include <gtest/gtest.h>

#include <vector>

#include "link/ecs_frame.h"
#include "link/serial_port.h"

using namespace ecs;

namespace {

Template tmpl(std::initializer_list<int32_t> list) {
    Template t{};
    size_t i = 0;
    for (int32_t v : list) t[i++] = v;
    return t;
}

std::vector<uint8_t> build(int type, const Template& t, uint8_t b, uint8_t c, std::vector<uint8_t> src,
                           uint32_t* result = nullptr) {
    LinkBuffer source{};
    for (size_t i = 0; i < src.size(); ++i) source[i] = src[i];
    Frame f;
    const uint32_t r = buildCommandFrame(type, t, b, c, source, f);
    if (result) *result = r;
    if (r != ECS_OK) return {};
    return std::vector<uint8_t>(f.bytes.begin(), f.bytes.begin() + static_cast<long>(wireLength(type, f)));
}

using Bytes = std::vector<uint8_t>;

} // namespace

TEST(EcsFrame, Type1NibbleCodedCommands) {
    EXPECT_EQ(build(1, tmpl({0x6E, 0x1000, 0x2000 + 2, 255}), 0x10, 0, {0xA5}), Bytes({0x6E, 0x10, 0x0A, 0x05, 0xFF}));
    // Three units: one byte as two nibbles, then one byte whole.
    EXPECT_EQ(build(1, tmpl({0x2000 + 3, 255}), 0, 0, {0x12, 0x07}), Bytes({0x01, 0x02, 0x07, 0xFF}));
    // Data fields share one source position; 0x4000 sends c; unknown items are skipped.
    EXPECT_EQ(build(1, tmpl({0x4000, 0x2000 + 1, 0x0999, 0x2000 + 2, 255}), 0, 0x33, {0x01, 0x9C}),
              Bytes({0x33, 0x01, 0x09, 0x0C, 0xFF}));
}

TEST(EcsFrame, Type1ParameterFFEndsTheFrameOnTheWire) {
    EXPECT_EQ(build(1, tmpl({0x6E, 0x1000, 0x4000, 255}), 0xFF, 0x01, {}), Bytes({0x6E, 0xFF}));
}

TEST(EcsFrame, Type2LengthAndChecksum) {
    EXPECT_EQ(build(2, tmpl({0x51, 0x05, 0x1000, 0x4000, 0x8000}), 0x20, 0x01, {}),
              Bytes({0x51, 0x05, 0x20, 0x01, 0x77}));
    // Data bytes go as they are; 255 is an ordinary literal in type 2.
    EXPECT_EQ(build(2, tmpl({0xFF, 0x06, 0x1000, 0x2000 + 2, 0x8000}), 0x01, 0, {0xF0, 0x0F}),
              Bytes({0xFF, 0x06, 0x01, 0xF0, 0x0F, 0x05}));
    // A length byte shorter than the frame cuts what is sent.
    EXPECT_EQ(build(2, tmpl({0x51, 0x03, 0x1000, 0x4000, 0x8000}), 0x20, 0x01, {}), Bytes({0x51, 0x03, 0x20}));
}

TEST(EcsFrame, BrokenCommandTemplatesAreRefused) {
    uint32_t r = 0;
    Template noEnd{};
    noEnd.fill(0x41);
    build(1, noEnd, 0, 0, {}, &r);
    EXPECT_EQ(r, ECS_ERR_FORMAT);
    build(2, noEnd, 0, 0, {}, &r);
    EXPECT_EQ(r, ECS_ERR_FORMAT);
    // 300 bytes would not fit the 256-byte frame.
    build(2, tmpl({0x51, 0x05, 0x2000 + 300, 0x8000}), 0, 0, {}, &r);
    EXPECT_EQ(r, ECS_ERR_FORMAT);
    build(1, tmpl({0x2000 + 0x1FFF, 255}), 0, 0, {}, &r);
    EXPECT_EQ(r, ECS_ERR_FORMAT);
    // A type-2 length byte beyond the built frame would send stale bytes.
    LinkBuffer src{};
    Frame f;
    EXPECT_EQ(buildCommandFrame(2, tmpl({0x51, 0x09, 0x8000}), 0, 0, src, f), ECS_OK);
    EXPECT_EQ(wireLength(2, f), 0u);
}

TEST(EcsFrame, Type1AnswersDecodeNibbles) {
    LinkBuffer dest{};
    const uint8_t answer[] = {0x6F, 0x01, 0x02, 0x0A, 0x0B, 0xFF};
    EXPECT_EQ(checkAnswer(1, tmpl({0x6F, 0x2000 + 4, 255}), answer, sizeof answer, dest), ECS_OK);
    EXPECT_EQ(dest[0], 0x12);
    EXPECT_EQ(dest[1], 0xAB);
    const uint8_t odd[] = {0x6F, 0x01, 0x02, 0x07, 0xFF};
    EXPECT_EQ(checkAnswer(1, tmpl({0x6F, 0x2000 + 3, 255}), odd, sizeof odd, dest), ECS_OK);
    EXPECT_EQ(dest[0], 0x12);
    EXPECT_EQ(dest[1], 0x07);
    // Wrong literal, missing end byte, answer too short: all format errors, no message.
    bool mismatch = true;
    const uint8_t wrong[] = {0x6E, 0x01, 0x02, 0x0A, 0x0B, 0xFF};
    EXPECT_EQ(checkAnswer(1, tmpl({0x6F, 0x2000 + 4, 255}), wrong, sizeof wrong, dest, &mismatch), ECS_ERR_FORMAT);
    EXPECT_FALSE(mismatch);
    const uint8_t longer[] = {0x6F, 0x01, 0x02, 0x0A, 0x0B, 0x00, 0xFF};
    EXPECT_EQ(checkAnswer(1, tmpl({0x6F, 0x2000 + 4, 255}), longer, sizeof longer, dest), ECS_ERR_FORMAT);
    const uint8_t shorter[] = {0x6F, 0x01, 0xFF};
    EXPECT_EQ(checkAnswer(1, tmpl({0x6F, 0x2000 + 4, 255}), shorter, sizeof shorter, dest), ECS_ERR_FORMAT);
}

TEST(EcsFrame, Type2AnswersCheckLiteralsAndChecksum) {
    const Template t = tmpl({0x52, 0x05, 0x1000, 0x2000 + 2, 0x8000});
    LinkBuffer dest{};
    bool mismatch = true;
    const uint8_t good[] = {0x52, 0x05, 0x12, 0x34, 0x9D};
    EXPECT_EQ(checkAnswer(2, t, good, sizeof good, dest, &mismatch), ECS_OK);
    EXPECT_FALSE(mismatch);
    EXPECT_EQ(dest[0], 0x12);
    EXPECT_EQ(dest[1], 0x34);
    const uint8_t badSum[] = {0x52, 0x05, 0x12, 0x34, 0x9E};
    EXPECT_EQ(checkAnswer(2, t, badSum, sizeof badSum, dest, &mismatch), ECS_ERR_FORMAT);
    EXPECT_FALSE(mismatch);
    const uint8_t badLiteral[] = {0x53, 0x05, 0x12, 0x34, 0x9E};
    EXPECT_EQ(checkAnswer(2, t, badLiteral, sizeof badLiteral, dest, &mismatch), ECS_ERR_FORMAT);
    EXPECT_TRUE(mismatch);
    Template noEnd{};
    noEnd.fill(0x1000);
    EXPECT_EQ(checkAnswer(2, noEnd, good, sizeof good, dest, &mismatch), ECS_ERR_FORMAT);
}

TEST(EcsFrame, Type2ErrorFrameGivesTheMonitorsCode) {
    LinkBuffer dest{};
    const uint8_t error[] = {0x60, 0x04, 0x03, 0x00};  // checksum deliberately wrong
    EXPECT_EQ(checkAnswer(2, tmpl({0x52, 0x03, 0x8000}), error, sizeof error, dest), 0x20001003u);
    const uint8_t tooShort[] = {0x60, 0x02};
    EXPECT_EQ(checkAnswer(2, tmpl({0x52, 0x03, 0x8000}), tooShort, sizeof tooShort, dest), ECS_ERR_FORMAT);
    // In type 1, 0x60 is an ordinary byte.
    const uint8_t type1[] = {0x60, 0x04, 0x03, 0xFF};
    EXPECT_EQ(checkAnswer(1, tmpl({0x60, 0x04, 0x03, 255}), type1, sizeof type1, dest), ECS_OK);
}

TEST(EcsFrame, AnswerCompleteness) {
    const uint8_t t1[] = {0x6F, 0x0A, 0xFF};
    EXPECT_FALSE(answerComplete(1, t1, 2));
    EXPECT_TRUE(answerComplete(1, t1, 3));
    const uint8_t t2[] = {0x52, 0x04, 0x01, 0x57};
    EXPECT_FALSE(answerComplete(2, t2, 1));
    EXPECT_FALSE(answerComplete(2, t2, 3));
    EXPECT_TRUE(answerComplete(2, t2, 4));
    const uint8_t tiny[] = {0x52, 0x00};
    EXPECT_TRUE(answerComplete(2, tiny, 2));
    std::vector<uint8_t> full(256, 0x01);
    EXPECT_TRUE(answerComplete(1, full.data(), 256));
}

TEST(SerialTimeouts, FiguresForBothTimeOuts) {
    const platform::SerialTimeouts normal = monitorTimeouts(9600, 3000);
    EXPECT_EQ(normal.readInterval, 3000u);
    EXPECT_EQ(normal.readMultiplier, 4u);
    EXPECT_EQ(normal.readConstant, 3000u);
    EXPECT_EQ(normal.writeMultiplier, 4u);
    EXPECT_EQ(normal.writeConstant, 30u);
    const platform::SerialTimeouts slow = monitorTimeouts(9600, 20000);
    EXPECT_EQ(slow.readConstant, 20000u);
    EXPECT_EQ(slow.writeConstant, 200u);
    EXPECT_EQ(monitorTimeouts(2400, 3000).readMultiplier, 10u);
}
