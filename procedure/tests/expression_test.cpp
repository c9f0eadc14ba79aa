// The expression engine of JOB_MATH: evaluation, the tokeniser's quirks, and
// expressions it must refuse without touching any variable.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "procedure/expression.h"

namespace procedure {
namespace {

using Lines = std::vector<std::string>;

struct Case {
    const char* text;
    int target;
    int16_t expected;
};

// V1 = 1, V2 = 4, V13 = 13, V50 = -7; the others are not set.
VarTable variables() {
    VarTable v;
    v.store(1, 1);
    v.store(2, 4);
    v.store(13, 13);
    v.store(50, -7);
    return v;
}

TEST(Expression, EvaluatesWithPrioritiesParenthesesAndLeftGrouping) {
    const Case cases[] = {
        {"V3=V1+V2*2", 3, 9},
        {"V3=(V1+V2)*2", 3, 10},
        {"V4=10-3-2", 4, 5},
        {"V4=100/10/5", 4, 2},
        {"V5=V13&6", 5, 4},
        {"V6=7/2", 6, 3},
        {"V6=0-7/2", 6, -3},  // toward zero
        {"V7=V8+1", 7, 1},    // V8 is not set: 0
        {"V100=5", 100, 5},
        {"V9=V50*V50*V50", 9, -343},
        {"V9=V50&255", 9, 249},          // -7 as 16 bits is 0xFFF9
        {"V9=2+3&6", 9, 4},              // "&" ranks with "+" and "-": (2+3)&6
        {"V9=((V2))", 9, 4},
        {"V9=((1+2))*(3-(4))", 9, -3},
        {"V9=40000", 9, -25536},         // the low 16 bits, signed
        {"V9=65536+3", 9, 3},
        {"V9=3.7", 9, 37},               // "." is ignored inside a number
        {"V9=1 2+1", 9, 13},             // so are blanks
        {"V9=16777217", 9, 0},           // single precision: 2^24 + 1 rounds to 2^24
        {"V9=1/0", 9, 0},                // infinity has no 16-bit truncation
        {"V9=V2/2*3", 9, 6},
        {"V 1 0=3", 10, 3},              // the target is read like a name
        {"V3=V1=V2", 1, 4},              // the last "=" takes the target
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        VarTable vars = variables();
        Lines lines;
        const ExpressionResult r = evaluateExpression(c.text, vars, lines);
        ASSERT_TRUE(r.evaluated) << (lines.size() > 1 ? lines.back() : "");
        ASSERT_TRUE(r.stored);
        EXPECT_EQ(*r.stored, c.target);
        EXPECT_EQ(vars.value(c.target), c.expected);
        EXPECT_TRUE(vars.isSet(c.target));
    }
}

TEST(Expression, LogsTheExpressionTheVariablesItReadsAndTheResult) {
    VarTable vars = variables();
    Lines lines;
    evaluateExpression("V7=V2+V30-V2", vars, lines);
    EXPECT_EQ(lines, (Lines{"V7=V2+V30-V2                             ", "V2  :Value = 4     ",
                            "V30 :Value is not set. ( =0 )", "V2  :Value = 4     ", "V7  :Value = 0     "}));
}

TEST(Expression, ATargetThatIsNoVariableStoresNothing) {
    for (const char* text : {"1+2", "X=1+2", "V0=3", "V101=3", "v3=3", "V3A=3"}) {
        SCOPED_TRACE(text);
        VarTable vars = variables();
        const VarTable before = vars;
        Lines lines;
        const ExpressionResult r = evaluateExpression(text, vars, lines);
        EXPECT_TRUE(r.evaluated);
        EXPECT_FALSE(r.stored);
        EXPECT_EQ(vars, before);
        EXPECT_EQ(lines.size(), 1u);
    }
}

TEST(Expression, MalformedExpressionsAreNotEvaluatedAndChangeNoVariable) {
    std::string manyTokens = "V3=1";
    for (int i = 0; i < 14; ++i) manyTokens += "+1";  // 29 tokens
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {manyTokens + "+1", "more than 29 tokens"},
        {"V3=(1+2", "unbalanced parentheses"},
        {"V3=1+2)", "unbalanced parentheses"},
        {"V3=)1(", "operator without operand"},
        {"V3=()", "operator without operand"},
        {"V3=-5", "operator without operand"},
        {"V3=1++2", "operator without operand"},
        {"V3=1*", "operator without operand"},
        {"V3=", "no operand"},
        {"V3=(1)(2)", "operand without operator"},
        {"V3=V101+1", "V101 is not a variable V1..V100"},
        {"V3=V0", "V0 is not a variable V1..V100"},
        {"V3=X+1", "X is not a variable V1..V100"},
        {"V3=2V", "2V is not a variable V1..V100"},
        {"V3=V", "V is not a variable V1..V100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        VarTable vars = variables();
        const VarTable before = vars;
        Lines lines;
        EXPECT_FALSE(evaluateExpression(c.text, vars, lines).evaluated);
        EXPECT_EQ(vars, before);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], std::string("Expression is NG -> not evaluated (") + c.reason + ") .");
    }
    // Exactly 29 tokens are still evaluated.
    VarTable vars;
    Lines lines;
    EXPECT_TRUE(evaluateExpression(manyTokens, vars, lines).evaluated);
    EXPECT_EQ(vars.value(3), 15);
}

TEST(Expression, TokeniserKindsPrioritiesAndPostfix) {
    const Tokens t = tokenize("V12 = ( V1 + 2_x ) * 3.5 & 7");
    EXPECT_EQ(t.target, "V12");
    std::vector<std::string> texts;
    std::vector<int> kinds, priorities;
    for (const Token& token : t.tokens) {
        texts.push_back(token.text);
        kinds.push_back(static_cast<int>(token.kind));
        priorities.push_back(token.priority);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"(", "V1", "+", "2_x", ")", "*", "35", "&", "7"}));
    EXPECT_EQ(kinds, (std::vector<int>{2, 1, 2, 1, 2, 2, 3, 2, 3}));
    EXPECT_EQ(priorities, (std::vector<int>{1, 5, 2, 5, 5, 3, 5, 2, 5}));

    const std::optional<std::vector<Token>> converted = toPostfix(tokenize("1-2*3+4").tokens);
    ASSERT_TRUE(converted);
    std::string postfix;
    for (const Token& token : *converted) postfix += token.text + " ";
    EXPECT_EQ(postfix, "1 2 3 * - 4 + ");
}

TEST(Expression, TruncationTo16BitsMatchesTheProcessorsConversion) {
    EXPECT_EQ(truncate16(3.99f), 3);
    EXPECT_EQ(truncate16(-3.99f), -3);
    EXPECT_EQ(truncate16(32768.0f), -32768);
    EXPECT_EQ(truncate16(-32769.0f), 32767);
    EXPECT_EQ(truncate16(2147483520.0f), -128);  // 0x7FFFFF80
    EXPECT_EQ(truncate16(3.0e9f), 0);
    EXPECT_EQ(truncate16(-std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(truncate16(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(Expression, PostfixAndEvaluationRefuseWhatTheCheckWouldCatch) {
    EXPECT_FALSE(toPostfix(tokenize("(1").tokens));
    EXPECT_FALSE(toPostfix(tokenize("1)").tokens));
    EXPECT_FALSE(evaluatePostfix(tokenize("+").tokens));
    EXPECT_FALSE(evaluatePostfix({}));
    EXPECT_FALSE(evaluatePostfix(tokenize("1+2+3").tokens));  // infix order: "+" finds one value
    EXPECT_EQ(evaluatePostfix(tokenize("7").tokens), 7.0f);
}

// Random text over the expression alphabet never breaks the engine, and a
// refused expression never changes a variable.
TEST(Expression, RandomExpressionsAreSafe) {
    std::mt19937 random(15);
    const std::string alphabet = "V0123456789()+-*/&=. _xX";
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        const int length = static_cast<int>(random() % 110);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        VarTable vars = variables();
        const VarTable before = vars;
        Lines lines;
        const ExpressionResult r = evaluateExpression(text, vars, lines);
        ASSERT_FALSE(lines.empty());
        if (!r.evaluated || !r.stored) {
            ASSERT_EQ(vars, before) << text;
        }
    }
    // And random bytes, NULs included.
    for (int n = 0; n < 5000; ++n) {
        std::string text(static_cast<size_t>(random() % 130), '\0');
        for (char& c : text) c = static_cast<char>(random() & 0xFF);
        VarTable vars = variables();
        Lines lines;
        evaluateExpression(text, vars, lines);
    }
}

} // namespace
} // namespace procedure
