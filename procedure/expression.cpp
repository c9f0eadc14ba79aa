#include "procedure/expression.h"

#include <cmath>
#include <cstdlib>

#include "core/text_format.h"

namespace procedure {

namespace {

constexpr int kStackBottomPriority = 0;

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOperatorChar(char c) {
    return c == '&' || c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '/';
}
bool isOperand(const Token& t) { return t.kind != TokenKind::Operator; }
bool isOpen(const Token& t) { return t.kind == TokenKind::Operator && t.text == "("; }
bool isClose(const Token& t) { return t.kind == TokenKind::Operator && t.text == ")"; }

float numberValue(const std::string& digits) {
    // strtof saturates to infinity rather than overflowing.
    return std::strtof(digits.c_str(), nullptr);
}

} // namespace

int tokenPriority(const Token& token) {
    if (token.kind != TokenKind::Operator) return 5;
    switch (token.text.empty() ? '\0' : token.text[0]) {
    case '(': return 1;
    case '&': case '+': case '-': return 2;
    case '*': case '/': return 3;
    default: return 5;  // ")"
    }
}

Tokens tokenize(std::string_view text) {
    Tokens out;
    std::string current;
    TokenKind kind = TokenKind::Number;
    auto push = [&out](std::string tokenText, TokenKind tokenKind) {
        if (out.tokens.size() >= static_cast<size_t>(kMaxTokens)) {
            out.tooMany = true;
            return;
        }
        Token t{std::move(tokenText), tokenKind, 0, 0};
        t.priority = tokenPriority(t);
        if (t.kind == TokenKind::Number) t.value = numberValue(t.text);
        out.tokens.push_back(std::move(t));
    };
    for (char c : text) {
        if (c == '\0') break;
        if (isLetter(c)) {
            current += c;
            kind = TokenKind::Name;
        } else if (isDigit(c)) {
            if (current.empty()) kind = TokenKind::Number;
            current += c;
        } else if (isOperatorChar(c)) {
            if (!current.empty()) push(current, kind);
            current.clear();
            push(std::string(1, c), TokenKind::Operator);
        } else if (c == '=') {
            out.target = current;
            current.clear();
        }
    }
    if (!current.empty()) push(current, kind);
    return out;
}

std::optional<int> variableNumber(std::string_view name) {
    if (name.size() < 2 || name[0] != 'V') return std::nullopt;
    int number = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (!isDigit(name[i])) return std::nullopt;
        number = number * 10 + (name[i] - '0');
        if (number > VarTable::kLast) return std::nullopt;
    }
    if (!VarTable::valid(number)) return std::nullopt;
    return number;
}

std::optional<std::string> checkTokens(const std::vector<Token>& tokens) {
    if (tokens.empty()) return std::string("no operand");
    bool expectOperand = true;
    int depth = 0;
    for (const Token& t : tokens) {
        if (expectOperand) {
            if (isOpen(t)) {
                ++depth;
            } else if (isOperand(t)) {
                if (t.kind == TokenKind::Name && !variableNumber(t.text))
                    return t.text + " is not a variable V1..V100";
                expectOperand = false;
            } else {
                return std::string("operator without operand");
            }
        } else {
            if (isClose(t)) {
                if (--depth < 0) return std::string("unbalanced parentheses");
            } else if (t.kind == TokenKind::Operator && !isOpen(t)) {
                expectOperand = true;
            } else {
                return std::string("operand without operator");
            }
        }
    }
    if (expectOperand) return std::string("operator without operand");
    if (depth != 0) return std::string("unbalanced parentheses");
    return std::nullopt;
}

std::optional<std::vector<Token>> toPostfix(const std::vector<Token>& tokens) {
    std::vector<Token> output;
    std::vector<const Token*> stack;  // above an implicit bottom entry of priority 0
    auto topPriority = [&stack] { return stack.empty() ? kStackBottomPriority : stack.back()->priority; };
    for (const Token& t : tokens) {
        if (isOpen(t)) {
            stack.push_back(&t);
        } else if (isClose(t)) {
            // Every entry up to the "(" goes out; the "(" is dropped.
            while (!stack.empty() && !isOpen(*stack.back())) {
                output.push_back(*stack.back());
                stack.pop_back();
            }
            if (stack.empty()) return std::nullopt;
            stack.pop_back();
        } else {
            while (!stack.empty() && topPriority() >= t.priority) {
                output.push_back(*stack.back());
                stack.pop_back();
            }
            stack.push_back(&t);
        }
    }
    while (!stack.empty()) {
        if (isOpen(*stack.back())) return std::nullopt;
        output.push_back(*stack.back());
        stack.pop_back();
    }
    return output;
}

int16_t truncate16(float value) {
    if (!std::isfinite(value) || value >= 2147483648.0f || value < -2147483648.0f) return 0;
    const int32_t whole = static_cast<int32_t>(value);  // toward zero
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(whole) & 0xFFFFu));
}

std::optional<float> evaluatePostfix(const std::vector<Token>& postfix) {
    std::vector<float> stack;
    stack.reserve(postfix.size());
    for (const Token& t : postfix) {
        if (isOperand(t)) {
            stack.push_back(t.value);
            continue;
        }
        if (stack.size() < 2) return std::nullopt;
        const float right = stack.back();
        stack.pop_back();
        const float left = stack.back();
        float result = 0;
        switch (t.text.empty() ? '\0' : t.text[0]) {
        case '+': result = left + right; break;
        case '-': result = left - right; break;
        case '*': result = left * right; break;
        case '/': result = left / right; break;
        case '&': result = static_cast<float>(static_cast<int16_t>(truncate16(left) & truncate16(right))); break;
        default: return std::nullopt;
        }
        stack.back() = result;
    }
    if (stack.size() != 1) return std::nullopt;
    return stack.front();
}

ExpressionResult evaluateExpression(std::string_view text, VarTable& vars, std::vector<std::string>& lines) {
    ExpressionResult result;
    const std::string expression(text.substr(0, text.find('\0')));
    lines.push_back(core::strf("%-40s ", expression.c_str()));

    Tokens tokens = tokenize(expression);
    std::optional<std::string> problem;
    if (tokens.tooMany) problem = core::strf("more than %d tokens", kMaxTokens);
    else problem = checkTokens(tokens.tokens);
    if (problem) {
        lines.push_back(core::strf("Expression is NG -> not evaluated (%s) .", problem->c_str()));
        return result;
    }

    for (Token& t : tokens.tokens) {
        if (t.kind != TokenKind::Name) continue;
        const int v = *variableNumber(t.text);
        if (vars.isSet(v)) {
            lines.push_back(core::strf("V%-3d:Value = %-6d", v, vars.value(v)));
            t.value = static_cast<float>(vars.value(v));
        } else {
            lines.push_back(core::strf("V%-3d:Value is not set. ( =0 )", v));
            t.value = 0;
        }
        t.text = core::strf("%d", static_cast<int>(t.value));
        t.kind = TokenKind::Number;
    }

    std::optional<std::vector<Token>> postfix = toPostfix(tokens.tokens);
    std::optional<float> value = postfix ? evaluatePostfix(*postfix) : std::nullopt;
    if (!value) {
        lines.push_back("Expression is NG -> not evaluated (malformed) .");
        return result;
    }
    result.evaluated = true;
    result.value = *value;

    if (std::optional<int> target = variableNumber(tokens.target)) {
        vars.store(*target, truncate16(*value));
        result.stored = *target;
        lines.push_back(core::strf("V%-3d:Value = %-6d", *target, vars.value(*target)));
    }
    return result;
}

} // namespace procedure
