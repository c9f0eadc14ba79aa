#include "procedure/procedure_select.h"

#include <algorithm>

#include "core/text_format.h"
#include "core/ui.h"
#include "procedure/prc_file.h"
#include "siggen/signal_generator.h"

namespace procedure {

namespace {

const char* const kNotSelected = "PRC_index is not selected !";
const char* const kTouchUpNothing = " [ Touch up procedure is nothing ! ]";
const std::string kSeparator(46, '-');

const char* adjustedTitle(int listKind) {
    switch (listKind) {
    case kAdjustmentList: return "              Adjusted procedure              ";
    case kTouchUpList: return "             Adjusted touch up                ";
    default: return "             Adjusted DCnv                ";
    }
}

} // namespace

ProcedureSelect::ProcedureSelect(appstate::ScreenContext& context, int listKind, ProcedureRunner& runner)
    : context_(context), listKind_(listKind), runner_(runner), session_(context) {}

void ProcedureSelect::open() {
    if (!validListKind(listKind_)) {
        context_.ui.message(kNotSelected);
        changed();
        return;
    }
    directory_ = procedureDirectory(context_.home, context_.model.chassis);
    if (!session_.open()) {
        close(0);
        return;
    }
    marks_.fill(kNotAdjusted);
    build(false);
}

int ProcedureSelect::rowNumber(const ListEntry& entry) const {
    return listKind_ == kDcnvList ? 1 : entry.index + 1;
}

void ProcedureSelect::addEntry(const ListEntry& entry, bool reportMissing) {
    int& mark = marks_[static_cast<size_t>(entry.index)];
    const std::string file = procedureFile(context_.home, context_.model.chassis, entry.name);
    const std::optional<PrcHeader> header = readPrcHeader(file);
    rowMap_.push_back(entry.index);
    if (header) {
        rows_.push_back(core::strf("%2d:%-12s:%-30s", rowNumber(entry), entry.name.c_str(), header->title.c_str()));
        if (mark != kAdjusted) mark = kNotAdjusted;
        return;
    }
    rows_.push_back(core::strf("%2d: [ %s.prc file is nothing ! ]", rowNumber(entry), entry.name.c_str()));
    if (mark != kAdjusted) mark = kFileMissing;
    if (!reportMissing) return;
    if (listKind_ == kAdjustmentList) {
        const std::string path = procedurePath(directory_, entry.name);
        context_.ui.message(core::strf("%s file is not opend.\n\n Please check file and directory!", path.c_str()));
    } else {
        const std::string stem = directory_ + "/" + entry.name;
        context_.ui.message(core::strf("%s.prc file is not opend.\n\n Please check file and directory!", stem.c_str()));
    }
}

void ProcedureSelect::build(bool afterRun) {
    rows_.clear();
    rowMap_.clear();
    entries_ = listEntries(context_.model.image, listKind_, directory_);
    if (listKind_ != kAdjustmentList && context_.model.image.touchUpProcedureCount <= 0) {
        rows_.push_back(kTouchUpNothing);
        rowMap_.push_back(-1);
    }
    if (!afterRun) {
        for (const ListEntry& e : entries_) addEntry(e, true);
    } else {
        for (const ListEntry& e : entries_)
            if (marks_[static_cast<size_t>(e.index)] != kAdjusted) addEntry(e, false);
        for (const char* row : {"", kSeparator.c_str(), adjustedTitle(listKind_), kSeparator.c_str()}) {
            rows_.push_back(row);
            rowMap_.push_back(-1);
        }
        for (const ListEntry& e : entries_)
            if (marks_[static_cast<size_t>(e.index)] == kAdjusted) addEntry(e, false);
    }
    selected_ = rows_.empty() ? -1 : 0;
    changed();
}

void ProcedureSelect::selectRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    selected_ = row;
    changed();
}

int ProcedureSelect::adjustedMark(int index) const {
    if (index < 0 || index >= static_cast<int>(marks_.size())) return kFileMissing;
    return marks_[static_cast<size_t>(index)];
}

void ProcedureSelect::start() {
    if (closed()) return;
    if (!validListKind(listKind_)) {
        context_.ui.message(kNotSelected);
        return;
    }
    if (selected_ < 0 || selected_ >= static_cast<int>(rowMap_.size())) return;
    const int index = rowMap_[static_cast<size_t>(selected_)];
    auto entry = std::find_if(entries_.begin(), entries_.end(), [index](const ListEntry& e) { return e.index == index; });
    if (index < 0 || entry == entries_.end()) return;

    ProcedureChoice choice;
    choice.listKind = listKind_;
    choice.index = index;
    choice.name = entry->name;
    choice.directory = directory_;
    choice.path = procedurePath(directory_, entry->name);
    choice.file = procedureFile(context_.home, context_.model.chassis, entry->name);
    lastChoice_ = choice;

    // The run holds service mode; screens it opens leave it alone.
    context_.flags.procedureRunning = true;
    runner_.runProcedure(choice);
    context_.flags.procedureRunning = false;

    marks_[static_cast<size_t>(index)] = kAdjusted;
    build(true);
}

void ProcedureSelect::exit() {
    if (closed()) return;
    session_.close();
    context_.generator.SgResetDefault();
    close(1);
}

bool ProcedureSelect::handle(const core::InputEvent& e) {
    using core::Key;
    const int last = static_cast<int>(rows_.size()) - 1;
    if (e.kind == core::InputEvent::Kind::Row) {
        if (e.row < 1 || e.row > last + 1) return false;
        selectRow(e.row - 1);
        return true;
    }
    if (e.is(Key::Enter) || e.isClick("Start")) {
        start();
        return true;
    }
    if (e.is(Key::Escape) || e.isClick("Exit")) {
        exit();
        return true;
    }
    if (last < 0) return false;
    if (e.is(Key::Up)) selectRow(std::max(selected_ - 1, 0));
    else if (e.is(Key::Down)) selectRow(std::min(selected_ + 1, last));
    else if (e.is(Key::Home)) selectRow(0);
    else if (e.is(Key::End)) selectRow(last);
    else return false;
    return true;
}

core::ScreenView ProcedureSelect::view() const {
    core::ScreenView v;
    v.title = "Procedure Select";
    v.lists.push_back({"procedures", rows_, selected_});
    v.buttons = {{"Start"}, {"Exit"}};
    v.keys = {"row=N", "Up", "Down", "Home", "End", "Enter", "Escape"};
    return v;
}

} // namespace procedure
