#include "screens/expert_screen.h"

#include <climits>
#include <cstdlib>

#include "core/record_io.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "modeldb/station_files.h"
#include "screens/busy_guard.h"
#include "screens/link_failure.h"

namespace screens {

namespace {

// A typed frequency cell holds at most this many characters.
constexpr size_t kMaxCellText = 16;
// The release file is small; anything beyond this is not a release file.
constexpr size_t kMaxReleaseFile = 1u << 20;

bool typable(char c) { return c >= 48 && c <= 96; }

// The cell text read as a decimal number: its leading digits, 0 when none.
int32_t decimalValue(const std::string& text) {
    const long v = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v);
}

std::string joined(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) line += (i ? " | " : "") + cells[i];
    return line;
}

} // namespace

ExpertScreen::ExpertScreen(appstate::ScreenContext& context, ExpertNestedScreens& nested, std::string releaseFile)
    : context_(context),
      nested_(nested),
      releaseFile_(std::move(releaseFile)),
      session_(context, appstate::ServiceSession::Policy::Always),
      table_(context) {}

bool ExpertScreen::open() {
    gridKind_ = GridKind::None;
    if (!session_.open()) {
        close(0);
        return false;
    }
    opened_ = true;
    changed();
    return true;
}

void ExpertScreen::showReleases() {
    gridKind_ = GridKind::Releases;
    mode_ = editColumn_ = -1;
    modeLabel_.clear();
    grid_ = Grid{{"", "Version", "Editer", "Date"}, {}};
    std::vector<uint8_t> bytes;
    if (core::readWholeFile(releaseFile_, bytes, kMaxReleaseFile)) {
        const modeldb::ReleaseFile file = modeldb::decodeReleaseFile(bytes);
        int n = 0;
        for (const modeldb::ReleaseRecord& r : file.versions)
            grid_.rows.push_back({std::to_string(++n), r.version, r.editor, r.date});
    }
    changed();
}

void ExpertScreen::showModeTable() {
    gridKind_ = GridKind::Modes;
    mode_ = editColumn_ = -1;
    modeLabel_ = "Mode :";
    grid_ = Grid{{"", " SYNC", " Hp", " Vp", " HFRE", " VFRE", " Mod"}, {}};
    LinkFailure failure;
    table_.readAll(failure);
    for (int m = 0; m < table_.count(); ++m) {
        grid_.rows.push_back(std::vector<std::string>(kModColumn + 1));
        mode_ = m;
        showMode(m);
    }
    mode_ = -1;
    failure.report(context_.ui);
    changed();
}

// Shows the five values of `mode` (the selected one) as the table build does.
void ExpertScreen::showMode(int mode) {
    cell(kRowColumn) = std::to_string(mode + 1);
    cell(kSyncColumn) = ModeTable::syncText(table_.value(mode, ModeTable::kSync));
    cell(kHpColumn) = ModeTable::polarityText(table_.value(mode, ModeTable::kHPolarity));
    cell(kVpColumn) = ModeTable::polarityText(table_.value(mode, ModeTable::kVPolarity));
    cell(kHFreColumn) = ModeTable::frequencyText(table_.value(mode, ModeTable::kHFrequency));
    cell(kVFreColumn) = ModeTable::frequencyText(table_.value(mode, ModeTable::kVFrequency));
    cell(kModColumn).clear();
}

void ExpertScreen::selectRow(int row) {
    if (gridKind_ != GridKind::Modes) return;
    const int mode = row - 1;
    editColumn_ = -1;
    if (table_.validMode(mode)) {
        mode_ = mode;
        modeLabel_ = core::strf("Mode : %2d", mode + 1);
        context_.registers.selectMode(mode);
    } else {
        mode_ = -1;
        modeLabel_ = "Select Mode";
    }
    changed();
}

bool ExpertScreen::needMode() {
    if (gridKind_ == GridKind::Modes && table_.validMode(mode_)) return true;
    context_.ui.message(kSelectModeMessage);
    return false;
}

void ExpertScreen::mark(const char* text) {
    cell(kModColumn) = text;
    changed();
}

void ExpertScreen::toggleSync() {
    if (!needMode()) return;
    const int32_t v = table_.value(mode_, ModeTable::kSync);
    // Only the kinds 0, 2 and 3 take part; any other value stays and shows nothing.
    switch (v) {
    case 0: table_.setValue(mode_, ModeTable::kSync, 2); cell(kSyncColumn) = "COMP"; break;
    case 2: table_.setValue(mode_, ModeTable::kSync, 3); cell(kSyncColumn) = "SonG"; break;
    case 3: table_.setValue(mode_, ModeTable::kSync, 0); cell(kSyncColumn) = "EXT"; break;
    default: cell(kSyncColumn).clear(); break;
    }
    mark(kModifiedMark);
}

void ExpertScreen::togglePolarity(bool horizontal) {
    if (!needMode()) return;
    const ModeTable::Item item = horizontal ? ModeTable::kHPolarity : ModeTable::kVPolarity;
    const int32_t v = table_.value(mode_, item) != 0 ? 0 : 1;
    table_.setValue(mode_, item, v);
    cell(horizontal ? kHpColumn : kVpColumn) = ModeTable::polarityText(v);
    mark(kModifiedMark);
}

void ExpertScreen::stepFrequency(bool horizontal, int delta) {
    if (!needMode()) return;
    const ModeTable::Item item = horizontal ? ModeTable::kHFrequency : ModeTable::kVFrequency;
    const int64_t v = static_cast<int64_t>(table_.value(mode_, item)) + delta;
    if (v > INT32_MAX || v < INT32_MIN) return;
    table_.setValue(mode_, item, static_cast<int32_t>(v));
    cell(horizontal ? kHFreColumn : kVFreColumn) = ModeTable::frequencyText(static_cast<int32_t>(v));
    mark(kModifiedMark);
}

void ExpertScreen::focusCell(bool horizontal) {
    if (!needMode()) return;
    editColumn_ = horizontal ? kHFreColumn : kVFreColumn;
    changed();
}

void ExpertScreen::applyCellText(const std::string& text) {
    const ModeTable::Item item = editColumn_ == kHFreColumn ? ModeTable::kHFrequency : ModeTable::kVFrequency;
    cell(editColumn_) = text;
    table_.setValue(mode_, item, decimalValue(text));
    mark(kModifiedMark);
}

void ExpertScreen::typeKey(char c) {
    if (!needMode() || editColumn_ < 0 || !typable(c)) return;
    std::string text = cell(editColumn_);
    if (text.size() >= kMaxCellText) return;
    applyCellText(text + c);
}

void ExpertScreen::setCellText(const std::string& typed) {
    if (!needMode() || editColumn_ < 0) return;
    std::string text;
    for (char c : typed)
        if (typable(c) && text.size() < kMaxCellText) text += c;
    applyCellText(text);
}

void ExpertScreen::readSelected() {
    if (!needMode()) return;
    LinkFailure failure;
    // The mark stays while a value could not be read again.
    if (table_.readMode(mode_, failure)) showMode(mode_);
    else {
        const std::string kept = cell(kModColumn);
        showMode(mode_);
        cell(kModColumn) = kept;
    }
    failure.report(context_.ui);
    changed();
}

void ExpertScreen::writeSelected() {
    if (!needMode()) return;
    LinkFailure failure;
    // " wrt" only when the monitor took every value.
    if (table_.writeMode(mode_, failure)) mark(kWrittenMark);
    failure.report(context_.ui);
    changed();
}

void ExpertScreen::finish() {
    if (closed()) return;
    session_.close();
    close(1);
}

bool ExpertScreen::handleClick(const std::string& c) {
    if (c == kReleaseCaption) showReleases();
    else if (c == kTimingEditCaption) showModeTable();
    else if (c == kDownTimingCaption) nested_.openTimingDownload();
    else if (c == kViewerCaption) nested_.openViewer();
    else if (c == kCloseCaption) finish();
    else if (!editControlsVisible()) return false;
    else if (c == kReadCaption) readSelected();
    else if (c == kWriteCaption) writeSelected();
    else if (c == kSyncCaption) toggleSync();
    else if (c == kHPolarityCaption) togglePolarity(true);
    else if (c == kVPolarityCaption) togglePolarity(false);
    else if (c == kHUpCaption) stepFrequency(true, 1);
    else if (c == kHDownCaption) stepFrequency(true, -1);
    else if (c == kVUpCaption) stepFrequency(false, 1);
    else if (c == kVDownCaption) stepFrequency(false, -1);
    else if (c == kHCellName) focusCell(true);
    else if (c == kVCellName) focusCell(false);
    else return false;
    return true;
}

bool ExpertScreen::handle(const core::InputEvent& e) {
    if (closed()) return false;
    if (busy_) return true;  // dropped
    BusyGuard guard(busy_);
    switch (e.kind) {
    case core::InputEvent::Kind::Click: return handleClick(e.text);
    case core::InputEvent::Kind::Row:
        if (gridKind_ != GridKind::Modes) return false;
        selectRow(e.row);
        return true;
    case core::InputEvent::Kind::Text:
        if (gridKind_ != GridKind::Modes) return false;
        setCellText(e.text);
        return true;
    case core::InputEvent::Kind::Key:
        if (e.is(core::Key::Escape)) {
            finish();
            return true;
        }
        if (e.kind == core::InputEvent::Kind::Key && e.key == core::Key::Character && !e.alt &&
            gridKind_ == GridKind::Modes) {
            typeKey(e.character);
            return true;
        }
        return false;
    }
    return false;
}

core::ScreenView ExpertScreen::view() const {
    core::ScreenView v;
    v.title = kTitle;
    if (gridKind_ != GridKind::None) {
        core::ScreenView::List list{gridKind_ == GridKind::Modes ? kTimingEditCaption : kReleaseCaption, {}, -1};
        list.lines.push_back(joined(grid_.headers));
        for (const auto& row : grid_.rows) list.lines.push_back(joined(row));
        list.selected = selectedRow();
        v.lists.push_back(std::move(list));
    }
    for (const char* c : {kReleaseCaption, kTimingEditCaption, kDownTimingCaption, kViewerCaption})
        v.buttons.push_back({c});
    v.keys = {"Escape"};
    if (editControlsVisible()) {
        v.field("Mode", modeLabel_);
        for (const char* c : {kReadCaption, kWriteCaption, kSyncCaption, kHPolarityCaption, kVPolarityCaption,
                              kHUpCaption, kHDownCaption, kVUpCaption, kVDownCaption})
            v.buttons.push_back({c});
        v.keys.insert(v.keys.end(), {"row=N", "click=HFRE", "click=VFRE", "type=TEXT", "0..9 A..Z"});
    }
    v.buttons.push_back({kCloseCaption});
    return v;
}

int runExpert(appstate::ScreenContext& context, ExpertNestedScreens& nested, const std::string& releaseFile) {
    ExpertScreen screen(context, nested, releaseFile);
    if (!screen.open()) return screen.result();
    context.ui.runModal(screen);
    screen.finish();
    return screen.result();
}

} // namespace screens
