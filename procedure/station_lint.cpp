#include "procedure/station_lint.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "core/text_format.h"
#include "core/ui.h"
#include "link/link_description.h"
#include "modeldb/message_file.h"
#include "modeldb/model_database.h"
#include "modeldb/model_file.h"
#include "procedure/expression.h"
#include "procedure/job_kinds.h"
#include "procedure/procedure_lists.h"
#include "procedure/step_panel.h"

namespace procedure {

namespace {

using prc::Meaning;
using prc::Operand;

constexpr int kLastPattern = 16;
constexpr int kMaxRun = 256;  // a run count of 0 covers 256 registers

// Collects what the readers would have shown instead of showing it.
class CollectingUi final : public core::Ui {
public:
    std::vector<std::string> messages;
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const core::FileChoice&) override { return std::nullopt; }
    void showManualParameters(const std::string&, const std::vector<core::ParameterRow>&) override {}
    int runModal(core::Screen&) override { return 0; }
    void refresh() override {}
};

// One line of a message box, for a finding.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool registerKnown(const ecs::LinkDescription& link, int code) {
    if (code < 0 || code > 0xFFFF) return false;
    const size_t block = static_cast<size_t>(code) >> 8;
    const size_t index = static_cast<size_t>(code) & 0xFF;
    return block < link.blocks.size() && index < link.blocks[block].count;
}

class ProcedureLint {
public:
    ProcedureLint(const std::string& file, const PrcFile& procedure, const modeldb::ModelData& model,
                  const ecs::LinkDescription& link, const std::string& home)
        : file_(file), procedure_(procedure), model_(model), link_(link), home_(home) {}

    std::vector<Finding> run() {
        const int end = procedure_.header.endStep;
        if (end < 1 || end > prc::kMaxSteps + 1)
            add(0, core::strf("END step %d is outside 1..%d", end, prc::kMaxSteps + 1));
        else if (end > procedure_.loadedSteps + 1)
            add(0, core::strf("END step %d lies beyond the %d steps of the file", end, procedure_.loadedSteps));
        const int last = std::min<int>(std::max(end - 1, 0), procedure_.loadedSteps);
        for (int n = 1; n <= last; ++n) step(n, procedure_.step(n));
        return std::move(findings_);
    }

private:
    void add(int step, std::string what) { findings_.push_back({file_, step, std::move(what)}); }

    void step(int n, const PrcStep& s) {
        if (s.kind == JOB_SKIP) return;
        if (!jobKind(s.kind)) {
            add(n, core::strf("unknown step kind %d", s.kind));
            return;
        }
        signal(n, s);
        const int registers = activeRegisters(s);
        for (const OperandValues& o : s.operands) {
            if (!o.field) continue;
            if (o.field->cell == prc::Cell::Text) {
                expression(n, o.text);
                continue;
            }
            switch (o.field->meaning) {
            case Meaning::Register: registerField(n, s, o); break;
            case Meaning::Variable: variableField(n, o, registers); break;
            case Meaning::Message: messageField(n, o); break;
            case Meaning::Key: keyField(n, o); break;
            case Meaning::Jump: jumpField(n, s, o); break;
            case Meaning::Number: break;
            }
        }
    }

    // Kinds 7 and 8 pair each register with a variable up to the first -1.
    static int activeRegisters(const PrcStep& s) {
        const std::vector<int32_t>& regs = s.values(Operand::Registers);
        return static_cast<int>(std::find(regs.begin(), regs.end(), -1) - regs.begin());
    }

    void signal(int n, const PrcStep& s) {
        const modeldb::ModelImage& image = model_.image;
        const int t = s.signal;
        const bool timingOk = t == prc::kUnchanged || (t == 201 && image.primeMode >= 1 && image.primeMode <= image.presetCount) ||
                              (t >= 1 && t <= image.presetCount) || (t >= 101 && t <= 100 + image.adjustCount);
        if (!timingOk) add(n, core::strf("signal %d is not a timing of the model", t));
        if (s.pattern > kLastPattern && s.pattern != prc::kUnchanged) add(n, core::strf("pattern %d is not allowed", s.pattern));
        const int c = s.colour;
        if (!(c == prc::kUnchanged || c <= 6 || (c >= 10 && c <= 16))) add(n, core::strf("colour %d is not allowed", c));
    }

    void checkRegister(int n, int code, const char* what) {
        if (!registerKnown(link_, code))
            add(n, core::strf("register %04X (%s) is not in the link description", static_cast<unsigned>(code) & 0xFFFF, what));
    }

    void registerField(int n, const PrcStep& s, const OperandValues& o) {
        const prc::OperandField& f = *o.field;
        if (f.operand == Operand::RunRegisters) {
            for (size_t r = 0; r < o.values.size() && o.values[r] != 0; ++r) {
                int count = s.value(Operand::RunCounts, r);
                if (count == 0) count = kMaxRun;
                for (int j = 0; j < count; ++j)
                    if (!registerKnown(link_, o.values[r] + j)) {
                        checkRegister(n, o.values[r] + j, f.name);
                        break;
                    }
            }
            return;
        }
        for (int32_t v : o.values) {
            if (f.terminates) {
                // Slider lists end at 0 or below, display lists at -1 or 0.
                if (v == f.fill || (f.operand == Operand::Sliders && v <= 0) || (f.operand == Operand::Displays && v == 0))
                    break;
            } else if (v == f.fill) {
                continue;
            }
            checkRegister(n, v, f.name);
        }
    }

    void variableField(int n, const OperandValues& o, int registers) {
        const prc::OperandField& f = *o.field;
        size_t count = o.values.size();
        if (f.operand == Operand::Variables) count = std::min<size_t>(count, static_cast<size_t>(registers));
        for (size_t i = 0; i < count; ++i) {
            const int32_t v = o.values[i];
            if (f.operand == Operand::InputVariables && v == 0) break;
            if (!VarTable::valid(v)) add(n, core::strf("%s: variable %d is outside V1..V100", f.name, v));
        }
    }

    void messageField(int n, const OperandValues& o) {
        for (int32_t v : o.values) {
            if (v == -1) break;
            const uint16_t code = static_cast<uint16_t>(v);
            const int letter = modeldb::messageLetter(code);
            if (letter < 0 || letter > 25) {
                add(n, core::strf("message %04X names no message file", static_cast<unsigned>(code)));
                continue;
            }
            auto it = messages_.find(code);
            if (it == messages_.end()) {
                CollectingUi ui;
                const std::string text = modeldb::messageText(home_, letter, modeldb::messageNumber(code), ui);
                it = messages_.emplace(code, !text.empty()).first;
            }
            if (!it->second)
                add(n, core::strf("message %c%d is not in the message files", 'A' + letter, modeldb::messageNumber(code)));
        }
    }

    void keyField(int n, const OperandValues& o) {
        for (int32_t v : o.values) {
            if (v == 0) break;
            if (v >= kKeyCodeCount) add(n, core::strf("key code %d is unknown", v));
        }
    }

    void jumpField(int n, const PrcStep& s, const OperandValues& o) {
        const int end = procedure_.header.endStep;
        const bool rgb = s.kind == JOB_RGB_MIN_JMP || s.kind == JOB_RGB_MAX_JMP;
        for (size_t i = 0; i < o.values.size(); ++i) {
            const int32_t jump = o.values[i];
            if (rgb && (jump == 0 || jump >= end)) add(n, core::strf("jump %d must lie between 1 and END %d", jump, end));
            else if (!rgb && jump > end) add(n, core::strf("%s: jump %d lies beyond END %d", o.field->name, jump, end));
        }
    }

    void expression(int n, const std::string& text) {
        const Tokens tokens = tokenize(text);
        if (tokens.tooMany) {
            add(n, core::strf("expression has more than %d tokens", kMaxTokens));
            return;
        }
        if (const std::optional<std::string> problem = checkTokens(tokens.tokens))
            add(n, "expression: " + *problem);
        else if (!variableNumber(tokens.target))
            add(n, "expression assigns no variable V1..V100");
    }

    std::string file_;
    const PrcFile& procedure_;
    const modeldb::ModelData& model_;
    const ecs::LinkDescription& link_;
    const std::string& home_;
    std::map<uint16_t, bool> messages_;
    std::vector<Finding> findings_;
};

std::vector<std::string> procedureNames(const modeldb::ModelImage& image) {
    std::vector<std::string> names;
    const int adjust = std::clamp<int>(image.adjustProcedureCount, 0, static_cast<int>(image.adjustProcedures.size()));
    const int touchUp = std::clamp<int>(image.touchUpProcedureCount, 0, static_cast<int>(image.touchUpProcedures.size()));
    for (int i = 0; i < adjust; ++i) names.push_back(image.adjustProcedures[static_cast<size_t>(i)]);
    for (int i = 0; i < touchUp; ++i) names.push_back(image.touchUpProcedures[static_cast<size_t>(i)]);
    return names;
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string Finding::text() const {
    if (step == 0) return file + ": " + what;
    return file + ": step " + std::to_string(step) + ": " + what;
}

std::vector<Finding> lintProcedure(const std::string& file, const PrcFile& procedure,
                                   const modeldb::ModelData& model, const ecs::LinkDescription& link,
                                   const std::string& home) {
    return ProcedureLint(file, procedure, model, link, home).run();
}

std::vector<Finding> lintStation(const std::string& home, const std::vector<std::string>& models) {
    std::vector<Finding> findings;
    CollectingUi dbUi;
    modeldb::ModelDatabase db(home, dbUi);
    if (db.buildModelList() < 0) {
        findings.push_back({"mdlsel.sel", 0, "the model database cannot be read"});
        return findings;
    }
    std::set<std::string> wanted(models.begin(), models.end());
    std::set<std::string> found;
    std::set<std::string> checked;  // model file and procedure path
    for (const modeldb::ModelRecord& record : db.records()) {
        if (!wanted.empty() && !wanted.count(record.name)) continue;
        found.insert(record.name);
        const std::string modelFile = record.fileStem + ".mdl";
        modeldb::ModelData data;
        ecs::LinkDescription link = ecs::emptyLinkDescription();
        CollectingUi ui;
        const int loaded = modeldb::loadModel(data, home, modelFile, ui, [&](const std::string& path) {
            std::ifstream in(path, std::ios::binary);
            if (!in) return 0;
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::string error;
            if (!ecs::parseLinkDescription(bytes.data(), bytes.size(), link, &error))
                ui.message("link description " + baseName(path) + ": " + error);
            return 1;
        });
        for (const std::string& m : ui.messages) findings.push_back({modelFile, 0, oneLine(m)});
        if (loaded != 1) {
            if (ui.messages.empty()) findings.push_back({modelFile, 0, "the model's file chain does not load"});
            continue;
        }
        for (const std::string& name : procedureNames(data.image)) {
            const std::string path = procedureFile(home, data.chassis, name);
            if (!checked.insert(modelFile + "\n" + path).second) continue;
            const std::string shown = baseName(procedurePath(procedureDirectory(home, data.chassis), name));
            const std::optional<PrcFile> prc = readPrcFile(path);
            if (!prc) {
                findings.push_back({shown, 0, "the procedure file is missing or cannot be read (listed by " + modelFile + ")"});
                continue;
            }
            for (Finding& f : lintProcedure(shown, *prc, data, link, home)) findings.push_back(std::move(f));
        }
    }
    for (const std::string& m : wanted)
        if (!found.count(m)) findings.push_back({"mdlsel.sel", 0, "no model named " + m});
    // Models sharing a chassis share its procedures: say each finding once.
    std::vector<Finding> unique;
    std::set<std::string> seen;
    for (Finding& f : findings)
        if (seen.insert(f.text()).second) unique.push_back(std::move(f));
    return unique;
}

} // namespace procedure
