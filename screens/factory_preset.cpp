#include "screens/factory_preset.h"

#include <algorithm>

#include "core/text_format.h"
#include "core/ui.h"
#include "screens/busy_guard.h"
#include "screens/generator_steps.h"
#include "siggen/signal_generator.h"

namespace screens {

namespace {

std::string trimmed(const std::string& s) { return s.substr(0, s.find_last_not_of(' ') + 1); }

} // namespace

FactoryPreset::FactoryPreset(appstate::ScreenContext& context, Variant variant, bool av)
    : context_(context),
      variant_(variant),
      av_(av && variant == Variant::Timings),
      session_(context, appstate::ServiceSession::Policy::UnlessProcedureRunning),
      sliders_(context) {}

bool FactoryPreset::open() {
    sliders_.load();
    if (!session_.open()) {
        close(0);
        return false;
    }
    opened_ = true;
    if (hasList()) {
        fillList();
        focus_ = kFocusList;
    } else {
        LinkFailure failure;
        sliders_.readAll(failure);
        adjusting_ = true;
        focus_ = kFocusSave;
        for (int i = static_cast<int>(kPresetSliderCount) - 1; i >= 0; --i)
            if (sliders_.visible(static_cast<size_t>(i))) focus_ = kFocusFirstSlider + i;
        failure.report(context_.ui);
    }
    changed();
    return true;
}

void FactoryPreset::fillList() {
    const modeldb::ModelImage& image = context_.model.image;
    rows_.clear();
    const int count = av_ ? std::clamp<int>(image.avPresetCount, 0, static_cast<int>(modeldb::kMaxAvPresets))
                          : std::clamp<int>(image.presetCount, 0, static_cast<int>(modeldb::kMaxPresets));
    for (int i = 0; i < count; ++i) {
        const auto& t = av_ ? image.avPresets[static_cast<size_t>(i)] : image.presets[static_cast<size_t>(i)];
        rows_.push_back(core::strf("%2d:%-15s", i + 1, t.name.c_str()));
    }
    marks_.assign(rows_.size(), std::string());
    selected_ = previous_ = cursor_ = -1;
}

void FactoryPreset::selectRow(int row) {
    if (!hasList() || closed() || row < 0 || row >= static_cast<int>(rows_.size())) return;
    cursor_ = row;
    if (row == previous_) return;
    core::Ui& ui = context_.ui;
    LinkFailure failure;
    if (previous_ >= 0 && sliders_.modified() && ui.askYesNo(kSaveQuestion)) sliders_.save(failure);
    sliders_.clearModified();
    previous_ = selected_ = row;
    marks_[static_cast<size_t>(row)] = "*";
    // An AV row loads the preset timing of the same number.
    sendPresetTiming(context_, row + 1);

    status_ = readMonitorStatus(context_, failure);
    sliders_.readAll(failure);
    const bool noCheck = context_.model.chassis.modeNumberRegister() == 0;
    adjusting_ = noCheck || (status_.modeNumber && *status_.modeNumber == row + 1);
    failure.report(ui);
    changed();  // the status and marks show while the mode check speaks
    if (!adjusting_) {
        if (status_.modeNumber)
            ui.message(core::strf("The monitor has selected mode %d instead of %d.", *status_.modeNumber, row + 1));
        // Deselected: choosing the same row again retries it.
        selected_ = previous_ = -1;
        sliders_.clear();
    }
    changed();
}

int FactoryPreset::selectedSlider() const {
    return focus_ >= kFocusFirstSlider && focus_ < kFocusFirstSlider + static_cast<int>(kPresetSliderCount)
               ? focus_ - kFocusFirstSlider
               : -1;
}

bool FactoryPreset::selectSlider(int index) {
    if (!adjusting_ || index < 0 || !sliders_.visible(static_cast<size_t>(index))) return false;
    focus_ = kFocusFirstSlider + index;
    changed();
    return true;
}

bool FactoryPreset::focusable(int position) const {
    if (position == kFocusList) return hasList();
    if (position >= kFocusFirstSlider && position < kFocusSave)
        return sliders_.visible(static_cast<size_t>(position - kFocusFirstSlider));
    return position >= kFocusSave && position <= kFocusClose;
}

void FactoryPreset::moveFocus(bool forward) {
    constexpr int kPositions = kFocusClose + 1;
    int next = focus_;
    for (int n = 0; n < kPositions; ++n) {
        next = (next + (forward ? 1 : kPositions - 1)) % kPositions;
        if (focusable(next)) break;
    }
    focus_ = next;
    changed();
}

void FactoryPreset::save() {
    LinkFailure failure;
    sliders_.save(failure);
    failure.report(context_.ui);
    changed();
}

void FactoryPreset::restore() {
    LinkFailure failure;
    sliders_.restore(failure);
    failure.report(context_.ui);
    changed();
}

void FactoryPreset::finish() {
    if (closed()) return;
    if (opened_ && !context_.registers.monitorNotConnected() && sliders_.modified() &&
        context_.ui.askYesNo(kSaveQuestion)) {
        LinkFailure failure;
        sliders_.save(failure);
        failure.report(context_.ui);
    }
    session_.close();
    if (opened_ && variant_ == Variant::Timings) context_.generator.SgResetDefault();
    close(1);
}

bool FactoryPreset::handle(const core::InputEvent& e) {
    using core::InputEvent;
    using core::Key;
    if (closed()) return false;
    if (busy_) return true;  // dropped
    BusyGuard guard(busy_);
    if (e.is(Key::Escape) || e.isClick(kCloseCaption)) {
        finish();
        return true;
    }
    if (e.isClick(kSaveCaption)) {
        save();
        return true;
    }
    if (e.isClick(kRestoreCaption)) {
        restore();
        return true;
    }
    if (e.kind == InputEvent::Kind::Row) {
        if (!hasList() || e.row < 1 || e.row > static_cast<int>(rows_.size())) return false;
        selectRow(e.row - 1);
        return true;
    }
    if (e.kind == InputEvent::Kind::Text) {
        const int s = selectedSlider();
        if (!adjusting_ || s < 0) return false;
        sliders_.type(static_cast<size_t>(s), e.text);
        changed();
        return true;
    }
    if (e.kind != InputEvent::Kind::Key) return false;
    return handleKey(e);
}

bool FactoryPreset::handleKey(const core::InputEvent& e) {
    using core::Key;
    if (const int d = e.altDigit(); d >= 0) {
        const int row = d == 0 ? 9 : d - 1;
        if (!hasList() || row >= static_cast<int>(rows_.size())) return false;
        selectRow(row);
        return true;
    }
    for (int i = 0; i < static_cast<int>(kPresetSliderCount); ++i)
        if (e.isAlt(kSliderLetters[i])) return selectSlider(i);
    if (e.is(Key::Tab) || e.is(Key::Backtab)) {
        moveFocus(e.is(Key::Tab));
        return true;
    }
    const int slider = selectedSlider();
    if (e.is(Key::Enter)) {
        switch (focus_) {
        case kFocusList:
            if (cursor_ >= 0) selectRow(cursor_);
            return true;
        case kFocusSave: save(); return true;
        case kFocusRestore: restore(); return true;
        case kFocusClose: finish(); return true;
        default: break;
        }
        if (slider < 0 || !adjusting_) return false;
        LinkFailure failure;
        sliders_.enterTyped(static_cast<size_t>(slider), failure);  // a rejected text leaves the old value
        failure.report(context_.ui);
        changed();
        return true;
    }
    if (focus_ == kFocusList && (e.is(Key::Up) || e.is(Key::Down))) {
        if (rows_.empty()) return false;
        const int from = selected_ >= 0 ? selected_ : cursor_;
        const int last = static_cast<int>(rows_.size()) - 1;
        const int to = from < 0 ? 0 : std::clamp(from + (e.is(Key::Up) ? -1 : 1), 0, last);
        selectRow(to);
        return true;
    }
    if (slider >= 0 && adjusting_ && !e.alt) {
        LinkFailure failure;
        if (!sliders_.step(static_cast<size_t>(slider), e.key, failure)) return false;
        failure.report(context_.ui);
        changed();
        return true;
    }
    return false;
}

core::ScreenView FactoryPreset::view() const {
    core::ScreenView v;
    v.title = kTitle;
    if (hasList()) {
        v.field("Mode", status_.mode);
        v.field("HFre", status_.hFrequency);
        v.field("VFre", status_.vFrequency);
        v.field("Sync", status_.sync);
        core::ScreenView::List list{av_ ? "AV timings" : "timings", {}, selected_};
        for (size_t i = 0; i < rows_.size(); ++i) list.lines.push_back((marks_[i].empty() ? " " : marks_[i]) + rows_[i]);
        v.lists.push_back(std::move(list));
    }
    std::string focusName;
    for (size_t i = 0; i < kPresetSliderCount; ++i) {
        const PresetSlider& s = sliders_.slider(i);
        if (!s.visible()) continue;
        v.field(core::strf("%c %s", kSliderLetters[i], trimmed(s.name).c_str()), s.valueText);
        if (static_cast<int>(i) == selectedSlider()) focusName = trimmed(s.name);
    }
    if (focus_ == kFocusList) focusName = "list";
    if (focus_ == kFocusSave) focusName = kSaveCaption;
    if (focus_ == kFocusRestore) focusName = kRestoreCaption;
    if (focus_ == kFocusClose) focusName = kCloseCaption;
    v.field("Focus", focusName);
    v.buttons = {{kSaveCaption}, {kRestoreCaption}, {kCloseCaption}};
    if (hasList()) v.keys = {"Alt+1..Alt+0", "row=N"};
    if (focus_ == kFocusList && hasList()) v.keys.insert(v.keys.end(), {"Up", "Down"});
    v.keys.insert(v.keys.end(), {"Tab", "Backtab", "Enter", "Escape"});
    if (adjusting_) {
        v.keys.push_back("Alt+Q..Alt+I");
        if (selectedSlider() >= 0)
            v.keys.insert(v.keys.end(), {"Up", "Down", "PageUp", "PageDown", "Home", "End", "type=N"});
    }
    return v;
}

int runFactoryPreset(appstate::ScreenContext& context, FactoryPreset::Variant variant, bool av) {
    FactoryPreset screen(context, variant, av);
    if (!screen.open()) return screen.result();
    context.ui.runModal(screen);
    screen.finish();
    return screen.result();
}

} // namespace screens
