// Kinds that fill or use procedure variables: register reads into
// variables, variable writes to registers, JOB_MATH, the ABL reading and the
// maximum or minimum of a list of variables.
#include <vector>

#include "core/result_codes.h"
#include "core/text_format.h"
#include "procedure/expression.h"
#include "procedure/jobs.h"

namespace procedure::jobs {

namespace {

const char* const kBadReadVariableBox = " V_XX data is NG  -> can't read .\n Set KovEdit data V_(1-100)";
const char* const kBadWriteVariableBox = " V_XX data is NG  -> can't write .\n Set KovEdit data V_(1-100)";
const char* const kCheckKovEdit = "\n Check KovEdit data! ";

bool ok(uint32_t result) { return result == core::ECS_OK; }
uint16_t code(int32_t c) { return static_cast<uint16_t>(c); }

// The job's formats carry "%-03d" (the '-' wins over the '0'); kept as written.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
std::string unsetInputText(int variable) { return core::strf("V[%-03d] is NG -> not set value data .", variable); }
std::string maxText(int variable, int value) { return core::strf("Max :V[%-03d] = %-5d ", variable, value); }
std::string minText(int variable, int value) { return core::strf("Min :V[%-03d] = %-5d ", variable, value); }
#pragma GCC diagnostic pop

} // namespace

void read(JobContext& c, const PrcStep& step) {
    const std::vector<int32_t>& regs = step.values(prc::Operand::Registers);
    for (size_t i = 0; i < regs.size() && regs[i] != -1; ++i) {
        const int n = static_cast<int>(i) + 1;
        const int v = step.value(prc::Operand::Variables, i);
        const std::string name = c.registerName(regs[i]);
        c.line(core::strf("%02d:Read %-10s -> V%-3d", n, name.c_str(), v));
        if (!VarTable::valid(v)) {
            c.box(kBadReadVariableBox);
            continue;
        }
        int32_t value = 0;
        if (ok(c.registers().readRegister(code(regs[i]), value, ecs::kAskMonitor))) {
            c.line(core::strf("%02d:V%-3d = %-6d", n, v, value));
            c.run.vars.store(v, value);
        } else {
            c.line(core::strf("%02d:%-10s :Read access NG !", n, name.c_str()));
            c.box(" REG read is NG -> can't access .\n Check condition ! ");
            c.run.vars.unset(v);
        }
    }
}

void write(JobContext& c, const PrcStep& step) {
    const std::vector<int32_t>& regs = step.values(prc::Operand::Registers);
    for (size_t i = 0; i < regs.size() && regs[i] != -1; ++i) {
        const int n = static_cast<int>(i) + 1;
        const int v = step.value(prc::Operand::Variables, i);
        const std::string name = c.registerName(regs[i]);
        const int16_t value = c.run.vars.value(v);  // 0 for a number outside 1..100
        c.line(core::strf("%02d:V%-3d = %-6d -> %-10s ", n, v, value, name.c_str()));
        if (!VarTable::valid(v)) {
            c.box(kBadWriteVariableBox);
            continue;
        }
        if (!c.run.vars.isSet(v)) {
            const std::string text = core::strf("V%-3d does not set the value", v);
            c.line(text);
            c.box(text + "\n Check KovEdit data ! ");
            continue;
        }
        if (ok(c.registers().writeRegister(code(regs[i]), value, ecs::kSendNow))) {
            c.line(core::strf("%02d:%-10s :Write Value = %-6d", n, name.c_str(), value));
        } else {
            c.line(core::strf("%02d:%-10s :Write access NG !", n, name.c_str()));
            c.box(" REG write is NG -> can't access .\n Check condition ! ");
        }
    }
}

void math(JobContext& c, const PrcStep& step) {
    std::vector<std::string> lines;
    evaluateExpression(step.text(prc::Operand::Expression), c.run.vars, lines);
    for (std::string& line : lines) c.line(std::move(line));
}

void abl(JobContext& c, const PrcStep& step) {
    const int v = step.value(prc::Operand::Variable);
    const int16_t reg = c.screen.model.chassis.ablRegister();
    c.line(core::strf("Read REG = %-10s -> V%-3d", c.registerName(reg).c_str(), v));
    if (!VarTable::valid(v)) {
        c.box(kBadReadVariableBox);
        return;
    }
    int32_t value = 0;
    // A model without an ABL register has nothing to read (code 0 would read a pseudo-register as 0).
    if (reg == 0 || !ok(c.registers().readRegister(code(reg), value, ecs::kAskMonitor))) {
        c.line("ABL read is NG -> can't read .");
        c.box(" ABL read is NG -> can't read .\n Check the condition ! ");
        return;
    }
    c.run.vars.store(v, value);
    c.line(core::strf("V%-3d = %-6d", v, c.run.vars.value(v)));
}

void maxMin(JobContext& c, const PrcStep& step) {
    const int32_t mode = step.value(prc::Operand::MaxMinMode);
    if (mode != 1 && mode != 2) {
        c.line("JOB_MAX_MIN is NG -> not read max_or_min .");
        c.box(" JOB_MAX_MIN is NG -> not read max_or_min .\n Check KovEdit data! ");
        return;
    }
    const int result = step.value(prc::Operand::ResultVariable);
    if (!VarTable::valid(result)) {
        const std::string text = "Result V is NG -> not set value data .";
        c.line(text);
        c.box(text + kCheckKovEdit);
        return;
    }
    // The inputs collected up to the first that is not set; that one takes no part.
    std::vector<int> inputs;
    bool stopped = false;
    for (int32_t v : step.values(prc::Operand::InputVariables)) {
        if (v == 0) break;
        if (!c.run.vars.isSet(v)) {
            const std::string text = unsetInputText(v);
            c.line(text);
            c.box(text + kCheckKovEdit);
            stopped = true;
            break;
        }
        c.line(core::strf("V[%-3d] = %-5d ", v, c.run.vars.value(v)));
        inputs.push_back(v);
    }
    if (inputs.empty()) {
        if (!stopped) {
            const std::string text = "Input V is NG -> not set value data .";
            c.line(text);
            c.box(text + kCheckKovEdit);
        }
        return;
    }
    int maxVar = inputs[0];
    int minVar = inputs[0];
    for (size_t i = 1; i < inputs.size(); ++i) {
        if (c.run.vars.value(inputs[i]) > c.run.vars.value(maxVar)) maxVar = inputs[i];
        if (c.run.vars.value(inputs[i]) < c.run.vars.value(minVar)) minVar = inputs[i];
    }
    c.line("===== MAX MIN Data =====");
    c.line(maxText(maxVar, c.run.vars.value(maxVar)));
    c.line(minText(minVar, c.run.vars.value(minVar)));
    if (mode == 1) {
        c.run.vars.store(result, c.run.vars.value(maxVar));
        c.line("===== Result MAX data set =====");
    } else {
        c.run.vars.store(result, c.run.vars.value(minVar));
        c.line("===== Result MIN Data set =====");
    }
    c.line(core::strf("Result V[%-3d] = %-5d ", result, c.run.vars.value(result)));
}

} // namespace procedure::jobs
