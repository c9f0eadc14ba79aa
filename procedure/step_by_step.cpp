#include "procedure/step_by_step.h"

#include <cctype>

#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"
#include "procedure/job_interpreter.h"
#include "procedure/job_kinds.h"
#include "procedure/step_generator.h"
#include "procedure/step_status.h"
#include "siggen/signal_generator.h"

namespace procedure {

namespace {

const char* const kSgSetFailed = " SG set is NG -> can't set .\n Check KovEdit data ";
const char* const kDebugEnd = " Debug Mode : Prodedure END ! ";
const char* const kJumpNotRegistered = " JUMP data is NG -> not registered !\n Check KovEdit data! ";
const char* const kJumpNotSet = "Jump_number is not set. -> Set jump No.(KovEdit) ";
const char* const kNoKey = "Can't use F-X key! ";
const char* const kLooping = " Procedure does not stop -> too many automatic steps .\n Check KovEdit data! ";
constexpr int kLastInternalPatternColour = 22;

bool isStepKey(const core::InputEvent& e) {
    for (core::Key k : {core::Key::Up, core::Key::Down, core::Key::PageUp, core::Key::PageDown, core::Key::Home,
                        core::Key::End})
        if (e.is(k)) return true;
    return false;
}

int functionKeyNumber(const core::InputEvent& e) {
    const core::Key keys[kPanelKeys] = {core::Key::F1, core::Key::F2, core::Key::F3, core::Key::F4, core::Key::F5};
    for (int i = 0; i < kPanelKeys; ++i)
        if (e.is(keys[i])) return i + 1;
    return 0;
}

} // namespace

std::string stepByStepCaption(const std::string& path, const std::string& title) {
    std::string shown = core::strf("%-15s", path.c_str());
    // The drive ("C:") is left out; a path without one is shown whole.
    if (shown.size() >= 2 && std::isalpha(static_cast<unsigned char>(shown[0])) && shown[1] == ':')
        shown = shown.substr(2);
    return core::strf(" %-12s:", shown.c_str()) + core::strf("%-30s", title.c_str());
}

StepByStep::StepByStep(appstate::ScreenContext& context, NestedScreens& nested)
    : context_(context), nested_(nested), sliders_(context) {}

void StepByStep::open(const ProcedureChoice& choice) {
    run_.reset(0);
    procedure_ = PrcFile{};
    std::optional<PrcFile> file = readPrcFile(choice.file);
    if (!file) {
        // Nothing to run: say so rather than report a jump beyond an END of 0.
        context_.ui.message(
            core::strf("%s file is not opend.\n\n Please check file and directory!", choice.path.c_str()));
        close(kCancelled);
        return;
    }
    procedure_ = std::move(*file);
    caption_ = stepByStepCaption(choice.path, procedure_.header.title);
    run_.reset(procedure_.header.endStep);
    runSteps();
}

std::string StepByStep::stepNumberText() const { return core::strf(" Step No = %3d ", run_.currentStep); }

std::string StepByStep::stepNameText() const {
    return core::strf(" %-20s", procedure_.step(run_.currentStep).name.c_str());
}

void StepByStep::runSteps() {
    waiting_ = false;
    bool wasBusy = busy_;
    busy_ = true;
    int automaticInRow = 0;
    while (runStep()) {
        if (!run_.skip) {
            logVisible_ = true;
            waiting_ = true;
            break;
        }
        if (++automaticInRow > kMaxAutomaticSteps) {
            context_.ui.message(kLooping);
            close(kCancelled);
            break;
        }
        run_.currentStep = static_cast<int16_t>(run_.currentStep + 1);
        changed();
        context_.ui.refresh();
    }
    busy_ = wasBusy;
    changed();
}

bool StepByStep::runStep() {
    log_.clear();
    cancelDebug_ = debug();
    const int16_t current = run_.currentStep;
    if (current >= run_.endStep) {
        endRun();
        return false;
    }
    const PrcStep& step = procedure_.step(current);
    if (step.kind == prc::kEmptyKind || step.kind == JOB_SKIP) {
        run_.skip = true;
        log_.add(kSkipDoneText);
        return true;
    }

    siggen::SignalGenerator& sg = context_.generator;
    if (sg.kind() != siggen::kSgKindAppliance) {
        if (!setStepSignal(context_, run_.generator, step.signal, step.pattern, step.colour))
            context_.ui.message(kSgSetFailed);
    } else if (step.colour <= kLastInternalPatternColour) {
        switchInternalPattern(context_, run_.generator, step.colour);
    }
    if (const uint32_t ms = waitCodeMs(step.waitCode)) context_.clock.sleepMs(ms, kStepWait);
    status_ = stepStatusText(readStepStatus(context_));
    hidePanel();

    const int kind = step.kind;
    auto debugPanel = [&](std::initializer_list<uint8_t> keys) {
        run_.panel.keys.fill(kKeyNone);
        size_t i = 0;
        for (uint8_t k : keys) run_.panel.keys[i++] = k;
        buildButtons();
        sliders_.hide();
        run_.skip = false;
    };
    if (isInteractive(kind)) {
        run_.skip = false;
    } else if (kind == JOB_FACTORY || kind == JOB_FAIL_INFO) {
        run_.skip = true;
        if (debug()) debugPanel({kKeyOk});
    } else if (kind == JOB_DCNV_DATA) {
        run_.skip = true;
        run_.dcnv.fillColumn(step);
    } else {
        run_.skip = true;
        if (debug()) debugPanel({kKeyOk, kKeyCancel});
    }
    logVisible_ = false;
    JobInterpreter(JobContext{context_, procedure_, run_, log_, *this, nested_}).execute(current);
    return true;
}

void StepByStep::endRun() {
    const int16_t current = run_.currentStep;
    if (debug() && current == run_.endStep) context_.ui.message(kDebugEnd);
    if (run_.endStep < current) {
        // The answer changes nothing.
        context_.ui.askYesNo(core::strf("JUMP NO is NG \nPRC JMP NO = %3d \nPRC END NO = %3d", current, run_.endStep));
        close(kCancelled);
        return;
    }
    close(kEnded);
}

void StepByStep::hidePanel() {
    for (KeyButton& b : buttons_) b = KeyButton{};
    jumpBoxes_ = false;
    sliders_.hide();
    selectedSlider_ = -1;
    displaysVisible_ = false;
    dateFields_ = false;
    focus_ = kFocusLog;
}

// ---- StepScreen ----

void StepByStep::buildButtons() {
    for (KeyButton& b : buttons_) b = KeyButton{};
    const StepPanel& p = run_.panel;
    for (size_t i = 0; i < buttons_.size() && p.keys[i] != kKeyNone; ++i) {
        buttons_[i].visible = true;
        buttons_[i].key = p.keys[i];
        buttons_[i].caption = keyCodeText(p.keys[i]);
    }
    const int16_t current = run_.currentStep;
    if (procedure_.step(current).kind == JOB_DCNV_ADJUST) dcnvJumps(current);
    if (debug()) debugJumps(current);
    changed();
}

void StepByStep::dcnvJumps(int16_t current) {
    StepPanel& p = run_.panel;
    if (p.keys[2] == kKeyPrevious && p.jumps[2] == 0)
        p.jumps[2] = static_cast<int16_t>(run_.dcnv.pointColumn == 1 ? current : current - 1);
    if (p.keys[3] == kKeyBypass && p.jumps[3] == 0) p.jumps[3] = static_cast<int16_t>(run_.dcnv.bypassJump());
}

void StepByStep::debugJumps(int16_t current) {
    StepPanel& p = run_.panel;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (!buttons_[i].visible) break;
        const uint8_t key = p.keys[i];
        if (key != kKeyOk && key != kKeyCancel && (p.jumps[i] == 0 || p.jumps[i] > run_.endStep)) {
            log_.add(core::strf("Jump%d :not registered ", static_cast<int>(i) + 1));
            context_.ui.message(kJumpNotRegistered);
        }
        if (run_.skip && i == 0) p.jumps[0] = 0;
        if (key == kKeyOk && p.jumps[i] == 0) p.jumps[i] = static_cast<int16_t>(current + 1);
        if (key == kKeyCancel) p.jumps[i] = 0;
    }
    jumpBoxes_ = true;
}

void StepByStep::setupSliders(SliderSpacing spacing) {
    sliders_.setup(run_.panel, spacing);
    selectedSlider_ = -1;
    changed();
}

void StepByStep::showDisplays() {
    displaysVisible_ = true;
    changed();
}

void StepByStep::showProductDateFields() {
    dateFields_ = true;
    changed();
}

void StepByStep::showDcnvPointWindow() {
    dcnvWindow_.show(run_.dcnv.columns, run_.dcnv.rows);
    changed();
}

void StepByStep::markDcnvPoint() {
    dcnvWindow_.mark(run_.dcnv.pointColumn, run_.dcnv.pointRow);
    changed();
}

// ---- The technician's actions ----

void StepByStep::pressButton(int n) {
    if (!waiting_ || closed()) return;
    const bool shown = n >= 1 && n <= kPanelKeys && buttons_[static_cast<size_t>(n - 1)].visible;
    const uint8_t key = shown ? buttons_[static_cast<size_t>(n - 1)].key : uint8_t{kKeyNone};
    if (key == kKeyNone) {
        context_.ui.message(kNoKey);
        return;
    }
    StepPanel& p = run_.panel;
    if (key == kKeyCancel) {
        p.productDateMode = false;
        close(kCancelled);
        return;
    }
    const int16_t jump = p.jumps[static_cast<size_t>(n - 1)];
    int16_t next = jump;
    if (jump == 0) {
        next = static_cast<int16_t>(run_.currentStep + 1);
        if (debug()) log_.add(kJumpNotSet);
    }
    if (p.productDateMode) {
        writeProductDate(p, date_, context_.registers, context_.ui);
        p.productDateMode = false;
    }
    run_.currentStep = next;
    runSteps();
}

void StepByStep::pressEveryButtonWith(uint8_t key) {
    for (int n = 1; n <= kPanelKeys && !closed(); ++n) {
        const KeyButton& b = buttons_[static_cast<size_t>(n - 1)];
        if (b.visible && b.key == key) pressButton(n);
    }
}

bool StepByStep::focusable(int position) const {
    if (position == kFocusLog) return true;
    if (position >= kFocusFirstButton && position < kFocusFirstSlider)
        return buttons_[static_cast<size_t>(position - kFocusFirstButton)].visible;
    if (position >= kFocusFirstSlider && position < kFocusYear) return sliders_.visible(position - kFocusFirstSlider);
    if (position >= kFocusYear && position <= kFocusSerial) return dateFields_ && run_.panel.productDateMode;
    return false;
}

void StepByStep::setFocus(int position) {
    focus_ = position;
    const bool onSlider = position >= kFocusFirstSlider && position < kFocusYear;
    selectedSlider_ = onSlider ? position - kFocusFirstSlider : -1;
    if (onSlider) {
        sliders_.reapply(selectedSlider_);
        refreshDisplays();
    }
    changed();
}

void StepByStep::moveFocus(bool forward) {
    constexpr int kPositions = kFocusSerial + 1;
    int at = focus_;
    for (int i = 0; i < kPositions; ++i) {
        at = (at + (forward ? 1 : kPositions - 1)) % kPositions;
        if (focusable(at)) break;
    }
    setFocus(at);
}

void StepByStep::focusSlider(int index) {
    if (!sliders_.visible(index)) return;
    setFocus(kFocusFirstSlider + index);
}

void StepByStep::refreshDisplays() {
    if (!displaysVisible_) return;
    readDisplays(run_.panel, context_.registers, context_.clock);
}

void StepByStep::saveDcnvPoint() {
    if (!dcnvWindow_.visible()) return;
    const uint16_t reg = static_cast<uint16_t>(run_.dcnv.conditionWord);
    if (debug())
        context_.ui.message(core::strf("Dcnv Save ? -> %-10s done", context_.registers.registerName(reg).c_str()));
    context_.registers.writeRegister(reg, 0, ecs::kSendNow);
}

void StepByStep::jumpToDcnvPoint() {
    if (!dcnvWindow_.visible() || !waiting_) return;
    const auto cell = dcnvWindow_.selected();
    if (!cell) return;
    const int point = run_.dcnv.pointNumber(cell->first, cell->second);
    const std::optional<int16_t> reg = run_.dcnv.pointRegister(point);
    for (int n = 1; reg && n < run_.endStep && n <= prc::kMaxSteps; ++n) {
        const PrcStep& step = procedure_.step(n);
        if (step.kind == JOB_DCNV_ADJUST && step.value(prc::Operand::Sliders, 0) == *reg) {
            run_.currentStep = static_cast<int16_t>(n);
            runSteps();
            return;
        }
    }
    context_.ui.message(core::strf("Dcnv point %d has no adjustment step .", point));
}

// ---- Input ----

bool StepByStep::handle(const core::InputEvent& e) {
    using Kind = core::InputEvent::Kind;
    if (closed()) return false;
    if (busy_) return true;  // dropped while steps run
    switch (e.kind) {
    case Kind::Key: return handleKey(e);
    case Kind::Text:
        if (selectedSlider_ >= 0) {
            sliders_.type(selectedSlider_, e.text);
        } else if (focus_ == kFocusYear) {
            date_.year = e.text;
        } else if (focus_ == kFocusWeek) {
            date_.week = e.text;
        } else if (focus_ == kFocusSerial) {
            date_.serial = e.text;
        } else {
            return false;
        }
        changed();
        return true;
    case Kind::Click:
        if (e.text == kCancelDebugCaption && cancelDebug_) {
            close(kCancelled);
            return true;
        }
        if (dcnvWindow_.visible() && e.text == DcnvPointWindow::kSaveCaption) {
            saveDcnvPoint();
            return true;
        }
        if (dcnvWindow_.visible() && e.text == DcnvPointWindow::kJumpCaption) {
            jumpToDcnvPoint();
            return true;
        }
        for (int n = 1; n <= kPanelKeys; ++n)
            if (buttons_[static_cast<size_t>(n - 1)].visible && buttons_[static_cast<size_t>(n - 1)].caption == e.text) {
                pressButton(n);
                return true;
            }
        return false;
    case Kind::Row:
        if (!dcnvWindow_.visible() || !dcnvWindow_.selectPoint(e.row)) return false;
        changed();
        return true;
    }
    return false;
}

bool StepByStep::handleKey(const core::InputEvent& e) {
    if (const int n = functionKeyNumber(e)) {
        pressButton(n);
        return true;
    }
    if (e.is(core::Key::Escape)) {
        close(kCancelled);
        return true;
    }
    if (e.is(core::Key::Tab) || e.is(core::Key::Backtab)) {
        moveFocus(e.is(core::Key::Tab));
        return true;
    }
    if (e.is(core::Key::Enter)) {
        if (focus_ >= kFocusFirstButton && focus_ < kFocusFirstSlider) {
            pressButton(focus_ - kFocusFirstButton + 1);
        } else if (selectedSlider_ >= 0) {
            sliders_.enterTyped(selectedSlider_);  // a refused text shows the old value again
            refreshDisplays();
            changed();
        }
        return true;
    }
    if (isStepKey(e)) {
        if (selectedSlider_ < 0) return false;
        sliders_.step(selectedSlider_, e.key);
        refreshDisplays();
        changed();
        return true;
    }
    if (e.isLetter('K')) {
        pressEveryButtonWith(kKeyOk);
        return true;
    }
    if (e.isLetter('C')) {
        pressEveryButtonWith(kKeyCancel);
        return true;
    }
    if (e.isLetter('J')) {
        pressEveryButtonWith(kKeyReadjust);
        return true;
    }
    for (int i = 0; i < kPanelSliders; ++i)
        if (e.isLetter(kSliderLetters[i])) {
            focusSlider(i);
            return true;
        }
    return false;
}

// ---- View ----

int StepByStep::displayCount() const { return displaysVisible_ ? run_.panel.displayCount + (run_.panel.averaging ? 1 : 0) : 0; }

std::string StepByStep::displayName(int i) const {
    const StepPanel& p = run_.panel;
    if (p.averaging && i == 2) return "Result";
    if (i < 0 || i >= kShownDisplays) return "";
    return core::strf("%-6s", context_.registers.registerName(static_cast<uint16_t>(p.displayRegs[static_cast<size_t>(i)])).c_str());
}

std::string StepByStep::displayValue(int i) const {
    const StepPanel& p = run_.panel;
    if (p.averaging && i == 2) return core::strf("%-5d", p.averageResult);
    if (i < 0 || i >= kShownDisplays || !p.displayRead[static_cast<size_t>(i)]) return "";
    return core::strf("%-5d", p.displayValues[static_cast<size_t>(i)]);
}

core::ScreenView StepByStep::view() const {
    core::ScreenView v;
    v.title = caption_;
    v.field("step", stepNumberText());
    v.field("name", stepNameText());
    v.field("status", status_);
    for (int i = 0; i < kPanelKeys; ++i) {
        const KeyButton& b = buttons_[static_cast<size_t>(i)];
        if (!b.visible) continue;
        v.buttons.push_back({b.caption});
        if (jumpBoxes_) v.field(core::strf("jump %d", i + 1), core::strf("%-5d", jump(i)));
    }
    for (int i = 0; i < kPanelSliders; ++i) {
        if (!sliders_.visible(i)) continue;
        const StepSlider& s = sliders_.slider(i);
        v.field(core::strf("slider %d", i + 1), s.name + " " + (s.typed.empty() ? s.valueText : s.typed) +
                                                    core::strf(" [%d..%d]", s.min, s.max) +
                                                    (selectedSlider_ == i ? " *" : ""));
    }
    for (int i = 0; i < displayCount(); ++i) v.field(core::strf("display %d", i + 1), displayName(i) + " " + displayValue(i));
    if (dateFields_) {
        v.field("YEAR", date_.year);
        v.field("WEEK", date_.week);
        v.field("SERIAL", date_.serial);
    }
    v.field("focus", std::to_string(focus_));
    if (logVisible_)
        v.lists.push_back({"log", std::vector<std::string>(log_.lines().begin(), log_.lines().end()), -1});
    if (dcnvWindow_.visible()) {
        const auto cell = dcnvWindow_.selected();
        v.lists.push_back({DcnvPointWindow::kTitle, dcnvWindow_.lines(), cell ? cell->first : -1});
        v.buttons.push_back({DcnvPointWindow::kSaveCaption});
        v.buttons.push_back({DcnvPointWindow::kJumpCaption});
    }
    if (cancelDebug_) v.buttons.push_back({kCancelDebugCaption});
    v.keys = {"F1", "F2", "F3", "F4", "F5", "K", "C", "J", "Q", "W", "E", "R", "T", "Y", "U", "I",
              "Tab", "Backtab", "Enter", "Escape", "type=TEXT"};
    if (selectedSlider_ >= 0)
        v.keys.insert(v.keys.end(), {"Up", "Down", "PageUp", "PageDown", "Home", "End"});
    if (dcnvWindow_.visible()) v.keys.push_back("row=N");
    return v;
}

// ---- Runner ----

void StepRunner::runProcedure(const ProcedureChoice& choice) {
    StepByStep screen(context_, nested_);
    screen.open(choice);
    if (!screen.closed()) context_.ui.runModal(screen);
}

} // namespace procedure
