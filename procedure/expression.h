#pragma once
// The arithmetic of JOB_MATH: an expression such as "V3=(V1+V2)*2" computes a
// procedure variable from variables and constants. Pure functions over a
// VarTable: tokenise, check, substitute variables, convert to postfix,
// evaluate in single precision, assign. An expression that cannot be
// evaluated safely (too many tokens, unbalanced parentheses, a missing or
// doubled operand or operator, a name that is not V1..V100) is reported in
// the log and changes no variable.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "procedure/var_table.h"

namespace procedure {

enum class TokenKind { Name = 1, Operator = 2, Number = 3 };

struct Token {
    std::string text;
    TokenKind kind = TokenKind::Number;
    int priority = 0;
    float value = 0;  // numbers, and names once substituted
    bool operator==(const Token&) const = default;
};

constexpr int kMaxTokens = 29;

struct Tokens {
    std::vector<Token> tokens;  // at most kMaxTokens
    std::string target;         // the text before the last "="
    bool tooMany = false;       // more tokens than the table holds
};

// Character by character: letters and "_" make a name, digits a number (or
// continue a name), "&()*+-/" stand alone, "=" takes the text so far as the
// target, and every other character (blanks, ".") is ignored without ending
// a token, so "1 2" reads as 12.
Tokens tokenize(std::string_view text);

// "(" 1; "&", "+", "-" 2; "*", "/" 3; ")", names and numbers 5.
int tokenPriority(const Token& token);

// The variable number of a name "V<digits>" whose number is 1..100, else nothing.
std::optional<int> variableNumber(std::string_view name);

// Why a token sequence cannot be evaluated, or nothing when it can.
std::optional<std::string> checkTokens(const std::vector<Token>& tokens);

// Postfix order (operators of equal priority group from the left). Nothing
// when the parentheses do not match.
std::optional<std::vector<Token>> toPostfix(const std::vector<Token>& tokens);

// Evaluates postfix tokens in single precision; "&" works on the low 16 bits
// of both values truncated toward zero. Nothing when an operator lacks an
// operand or not exactly one value remains.
std::optional<float> evaluatePostfix(const std::vector<Token>& postfix);

// Truncation toward zero to a signed 16-bit value. A value the processor
// cannot convert to 32 bits (NaN, infinities, beyond +-2^31) gives its
// "integer indefinite", whose low 16 bits are 0.
int16_t truncate16(float value);

struct ExpressionResult {
    bool evaluated = false;
    float value = 0;
    std::optional<int> stored;  // the variable assigned, when the target is one
};

// JOB_MATH: logs the expression, the variables it reads and the assignment
// into `lines`; assigns the target variable when it is V1..V100.
ExpressionResult evaluateExpression(std::string_view text, VarTable& vars, std::vector<std::string>& lines);

} // namespace procedure
