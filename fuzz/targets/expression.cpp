// The expression engine of the procedures' arithmetic step: the input is
// the expression text (as a procedure file holds it), evaluated over
// variables V1..V100 that hold values of their own, then taken apart step
// by step as the engine does.
#include <string_view>
#include <vector>

#include "procedure/expression.h"
#include "procedure/var_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    procedure::VarTable vars;
    vars.clear();
    for (int v = procedure::VarTable::kFirst; v <= procedure::VarTable::kLast; v += 3) vars.store(v, v * 331 - 16000);
    std::vector<std::string> lines;
    const procedure::ExpressionResult r = procedure::evaluateExpression(text, vars, lines);
    if (r.stored && !procedure::VarTable::valid(*r.stored)) __builtin_trap();

    const procedure::Tokens tokens = procedure::tokenize(text);
    if (tokens.tokens.size() > static_cast<size_t>(procedure::kMaxTokens)) __builtin_trap();
    if (!procedure::checkTokens(tokens.tokens))
        if (const auto postfix = procedure::toPostfix(tokens.tokens)) procedure::evaluatePostfix(*postfix);
    return 0;
}
