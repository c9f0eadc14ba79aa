// Kinds that read and write monitor registers named by code: the save kinds
// on the chassis special registers, plain register writes, the reserve list
// and the jumps chosen by the smallest or largest of three registers.
#include "core/result_codes.h"
#include "core/text_format.h"
#include "procedure/job_kinds.h"
#include "procedure/jobs.h"

namespace procedure::jobs {

namespace {

const char* const kWriteAccessBox = " REG write is NG -> can't access .\n Check condition ! ";
const char* const kReserveReadBox = " REG read is NG -> can't read .\n Check condition ! ";
const char* const kReserveWriteBox = " REG write is NG -> can't write .\n Check condition ! ";

struct SaveKind {
    uint8_t kind;
    int16_t (modeldb::ChassisRecord::*reg)() const;
    const char* notRegistered;
    const char* wrong;
};

constexpr SaveKind kSaveKinds[] = {
    {JOB_SERVICE_SAVE, &modeldb::ChassisRecord::sSaveRegister, " JOB_SERVICE_SAVE is not registered !",
     " JOB_SERVICE_SAVE is wrong!"},
    {JOB_USER_SAVE, &modeldb::ChassisRecord::userSaveRegister, " JOB_USER_SAVE is not registered !",
     " JOB_USER_SAVE is wrong!"},
    {JOB_COLOR_SAVE, &modeldb::ChassisRecord::colorSaveRegister, " JOB_COLOR_SAVE is not registered !",
     " JOB_COLOR_SAVE is wrong!"},
    {JOB_AUDIO_SAVE, &modeldb::ChassisRecord::audioSaveRegister, " JOB_AUDIO_SAVE is not registered !",
     " JOB_AUDIO_SAVE is wrong!"},
};

bool ok(uint32_t result) { return result == core::ECS_OK; }
uint16_t code(int32_t c) { return static_cast<uint16_t>(c); }

struct JumpTexts {
    const char* notRegisteredBox;
    const char* wrongBox;
};

void rgbJump(JobContext& c, const PrcStep& step, bool maximum) {
    static const JumpTexts kMin{" JOB_RGB_MIN_JMP is NG -> not registered !\n Check KovEdit data! ",
                                " JOB_RGB_MIN_JMP is NG -> data is wrong !\n Check KovEdit data! "};
    static const JumpTexts kMax{" JOB_RGB_MAX_JMP is NG -> not registered !\n Check KovEdit data! ",
                                " JOB_RGB_MAX_JMP is NG -> data is wrong !\n Check KovEdit data! "};
    const JumpTexts& texts = maximum ? kMax : kMin;
    const std::vector<int32_t>& regs = step.values(prc::Operand::Registers);
    const std::vector<int32_t>& jumps = step.values(prc::Operand::Jumps);
    for (size_t i = 0; i < 3; ++i) {
        const int32_t reg = i < regs.size() ? regs[i] : -1;
        const int32_t jump = i < jumps.size() ? jumps[i] : 0;
        const int n = static_cast<int>(i) + 1;
        if (reg == -1) {
            c.line(core::strf("REG%d :not registered ", n));
            c.box(texts.notRegisteredBox);
            return;
        }
        if (jump == 0 || jump >= c.run.endStep) {
            c.line(core::strf("Jump%d is NG : %-3d ", n, jump));
            c.box(texts.wrongBox);
            return;
        }
        const std::string name = c.registerName(reg);
        int32_t value = 0;
        if (!ok(c.registers().readRegister(code(reg), value, ecs::kAskMonitor))) {
            c.line(core::strf("%1d : %-10s :Read access NG !", n, name.c_str()));
            c.box("Read access is NG.\n Check condition ! ");
            return;
        }
        c.run.candidates[i] = static_cast<int16_t>(static_cast<uint16_t>(value));
        c.run.panel.jumps[i] = static_cast<int16_t>(jump);
        c.line(core::strf("%1d : %-10s :Read Value = %-6d :Jump no = %-3d", n, name.c_str(), c.run.candidates[i], jump));
    }
    // Ties go to the later of the first two and stay with it against the third.
    const JumpCandidates& v = c.run.candidates;
    size_t pick = 0;
    if (maximum) {
        pick = v[0] > v[1] ? 0 : 1;
        if (v[2] > v[pick]) pick = 2;
    } else {
        pick = v[0] < v[1] ? 0 : 1;
        if (v[2] < v[pick]) pick = 2;
    }
    const int16_t jump = c.run.panel.jumps[pick];
    const std::string name = c.registerName(regs[pick]);
    if (maximum) c.line(core::strf("MAX_REG = %-10s :Value = %-6d :Jump no = %-3d", name.c_str(), v[pick], jump));
    else c.line(core::strf("MIN = %-10s :Value = %-6d :Jump no = %-3d", name.c_str(), v[pick], jump));
    c.run.currentStep = static_cast<int16_t>(jump - 1);  // the runner's increment lands on the jump
}

} // namespace

void save(JobContext& c, const PrcStep& step) {
    for (const SaveKind& k : kSaveKinds) {
        if (k.kind != step.kind) continue;
        const int16_t reg = (c.screen.model.chassis.*k.reg)();
        if (reg == 0) {
            c.line(k.notRegistered);
            return;
        }
        c.line(jobKind(k.kind)->doneText);
        if (!ok(c.registers().writeRegister(code(reg), 0, ecs::kSendNow))) c.line(k.wrong);
        return;
    }
}

void registerWrite(JobContext& c, const PrcStep& step) {
    const std::vector<int32_t>& regs = step.values(prc::Operand::Registers);
    for (size_t i = 0; i < regs.size() && regs[i] != -1; ++i) {
        const std::string name = c.registerName(regs[i]);
        const int n = static_cast<int>(i) + 1;
        const int32_t value = step.value(prc::Operand::Values, i);
        if (ok(c.registers().writeRegister(code(regs[i]), value, ecs::kSendNow))) {
            c.line(core::strf("%02d:%-10s :Write Value = %-6d", n, name.c_str(), value));
        } else {
            c.line(core::strf("%02d:%-10s :Write access NG !", n, name.c_str()));
            c.box(kWriteAccessBox);
        }
    }
}

void reserveSet(JobContext& c, const PrcStep& step) {
    const std::vector<int32_t>& regs = step.values(prc::Operand::Registers);
    ReserveList& r = c.run.reserve;
    for (size_t i = 0; i < r.codes.size(); ++i) {
        r.codes[i] = static_cast<int16_t>(i < regs.size() ? regs[i] : -1);
        if (r.codes[i] != -1)
            c.line(core::strf("RsvREG%-2d = %-10s ", static_cast<int>(i) + 1, c.registerName(r.codes[i]).c_str()));
    }
}

void reserveRead(JobContext& c, const PrcStep&) {
    ReserveList& r = c.run.reserve;
    if (r.codes[0] == -1) {
        c.line("Reserve read is NG -> not set reserve REG .");
        c.box(" Reserve read is NG -> not set reserve REG .\n Check KovEdit data! ");
        return;
    }
    r.valid = true;
    for (size_t i = 0; i < r.codes.size() && r.codes[i] != -1; ++i) {
        const std::string name = c.registerName(r.codes[i]);
        const int n = static_cast<int>(i) + 1;
        int32_t value = 0;
        if (ok(c.registers().readRegister(code(r.codes[i]), value, ecs::kAskMonitor))) {
            r.saved[i] = static_cast<int16_t>(static_cast<uint16_t>(value));
            c.line(core::strf("RsvREG%-2d = %-10s :Read Value = %-6d", n, name.c_str(), r.saved[i]));
        } else {
            c.line(core::strf("RsvREG%-2d = %-10s :Read access NG !", n, name.c_str()));
            c.box(kReserveReadBox);
            r.valid = false;
        }
    }
}

void reserveWrite(JobContext& c, const PrcStep&) {
    ReserveList& r = c.run.reserve;
    if (!r.valid) {
        c.line("Reserve write is NG -> not read reserve REG .");
        c.box(" Reserve write is NG -> not read reserve REG .\n Check KovEdit data! ");
        return;
    }
    for (size_t i = 0; i < r.codes.size() && r.codes[i] != -1; ++i) {
        const std::string name = c.registerName(r.codes[i]);
        const int n = static_cast<int>(i) + 1;
        if (ok(c.registers().writeRegister(code(r.codes[i]), r.saved[i], ecs::kSendNow))) {
            c.line(core::strf("RsvREG%-2d = %-10s :Write Value = %-6d", n, name.c_str(), r.saved[i]));
        } else {
            c.line(core::strf("RsvREG%-2d = %-10s :Value = %-6d:Write access NG !", n, name.c_str(), r.saved[i]));
            c.box(kReserveWriteBox);
        }
    }
}

void rgbMinJump(JobContext& c, const PrcStep& step) { rgbJump(c, step, false); }
void rgbMaxJump(JobContext& c, const PrcStep& step) { rgbJump(c, step, true); }

} // namespace procedure::jobs
