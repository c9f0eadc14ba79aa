// generator: sets the signal generator as the generator control screen would
// and applies it; without options prints the timing record and selection.
#include <CLI/CLI.hpp>

#include <cctype>

#include "app/state/app_state.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/registers.h"
#include "cli/session.h"
#include "core/text_format.h"
#include "modeldb/model_file.h"
#include "siggen/manual_parameters.h"
#include "siggen/signal_generator.h"

namespace cli {
namespace {

constexpr int kLastPattern = 16;

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// A pattern index 0..16, or the name of one of 0..13.
std::optional<int32_t> patternOf(const std::string& text) {
    for (int32_t p = 0; p <= siggen::kPatternSpecialWhite; ++p)
        if (sameText(text, siggen::patternName(p))) return p;
    std::optional<int32_t> n = parseValue(text);
    if (n && *n >= 0 && *n <= kLastPattern) return n;
    return std::nullopt;
}

class GeneratorCommand : public Command {
public:
    std::string name() const override { return "generator"; }
    std::string summary() const override {
        return "set the generator's timing, pattern, colour and inversion and apply them; without options print "
               "its timing record and pattern selection";
    }
    void define(CLI::App& app) override {
        app.add_option("--timing", timing_, "model timing: 1..99 preset, 101..199 adjustment, 201 the prime mode");
        app.add_option("--pattern", pattern_, "pattern index 0..16 or its name (CROSSHATCH, WHITE, ...)");
        app.add_option("--colour", colour_, "colour guns 0..6 (3: all guns)")->check(CLI::Range(0, 6));
        auto* invert = app.add_flag("--invert", invert_, "inverted pattern");
        auto* normal = app.add_flag("--normal", normal_, "pattern not inverted");
        invert->excludes(normal);
        auto* level = app.add_option("--level", level_, "special-white level in percent")->check(CLI::Range(0, 100));
        auto* box = app.add_option("--box", box_, "special-white box area in percent")->check(CLI::Range(0, 100));
        level->needs(box);
        box->needs(level);
    }
    Needs needs() const override { return {.state = true, .model = timing_ != 0}; }

    int execute(Session& session) override {
        siggen::SignalGenerator& sg = session.generator();
        const appstate::PortConfiguration& config = session.state().configuration();
        // A new process knows nothing of the generator: it starts from the
        // default record and changes only what the options name.
        sg.timing() = siggen::defaultSgTiming();
        sg.selection() = siggen::SgPatternSelection{};
        modeldb::SgTiming timing;
        if (timing_ != 0 && !modeldb::selectTiming(session.state().document().modelImage(), timing_, timing)) {
            session.out().error(core::strf("the model %s has no timing %d", session.state().modelName().c_str(), timing_));
            return kExitUsage;
        }
        std::optional<int32_t> pattern;
        if (!pattern_.empty() && !(pattern = patternOf(pattern_))) {
            session.out().error("not a pattern: " + pattern_);
            return kExitUsage;
        }
        const bool patternChange = pattern || invert_ || normal_ || level_ >= 0;
        const bool change = timing_ != 0 || patternChange || colour_ >= 0;

        if (pattern) sg.selection().pattern = *pattern;
        if (colour_ >= 0) sg.selection().colour = colour_;
        if (invert_ || normal_) sg.selection().invert = invert_ ? 1 : 0;
        if (level_ >= 0) sg.setSpecialWhite(level_, box_);

        const int messages = session.ui().messageCount();
        if (change) {
            sg.SgSelect(config.sgName, config.sgPort, config.sgIsaNumber);
            sg.SgOpen();
            if (timing_ != 0) {
                sg.applyTiming(timing);  // a full apply
            } else {
                sg.setPatternOnly(true);
                sg.setPatternChanged(patternChange ? 1 : 0);
                sg.SgApply();
            }
            if (sg.kind() == siggen::kSgKindManual) siggen::ShowManualParameters(session.ui(), sg);
        }
        for (const core::ParameterRow& r : siggen::manualParameterRows(sg.timing(), sg.selection())) {
            if (r.item == "END") continue;
            session.out().data(r.item + ": " + r.value + (r.unit.empty() ? "" : " " + r.unit),
                               {{"item", r.item}, {"value", r.value}, {"unit", r.unit}});
        }
        session.out().data(core::strf("Invert: %d", sg.selection().invert), {{"item", "Invert"}, {"value", sg.selection().invert}});
        session.out().data(core::strf("Special white: level %d%%, box %d%%", sg.specialWhiteLevel(), sg.specialWhiteBox()),
                           {{"item", "Special white"}, {"level", sg.specialWhiteLevel()}, {"box", sg.specialWhiteBox()}});
        if (change) sg.SgClose();
        return session.ui().messageCount() == messages ? kExitDone : kExitFailed;
    }

private:
    int timing_ = 0;
    std::string pattern_;
    int colour_ = -1;
    bool invert_ = false;
    bool normal_ = false;
    int level_ = -1;
    int box_ = -1;
};

} // namespace

std::unique_ptr<Command> makeGeneratorCommand() { return std::make_unique<GeneratorCommand>(); }

} // namespace cli
