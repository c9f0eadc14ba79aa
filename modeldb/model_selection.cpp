#include "modeldb/model_selection.h"

#include <algorithm>

#include "core/text_format.h"

namespace modeldb {

const GridColumn ModelSelection::kGrid[kColumns] = {
    {"", 600},           {"MODEL NAME", 2400}, {"CH", 900},       {"MODEL FILE", 0}, {"TUVO PROC", 0},
    {"CUSTOMER", 1680},  {"COM TYPE", 0},      {" VER ", 900},    {"DESCRIPTION", 4650},
};

ModelSelection::ModelSelection(std::string home, core::Ui& ui, ModelSelectionHost& host)
    : home_(std::move(home)), ui_(ui), host_(host)
{
}

void ModelSelection::open()
{
    ModelDatabase db(home_, ui_);
    entries_.clear();
    records_.clear();
    rowNumbers_.clear();
    if (db.buildModelList() > 0) {
        entries_ = db.entries();
        records_ = db.records();
        codeTables_[0] = db.codes(Table::Chassis);
        codeTables_[1] = db.codes(Table::ComType);
        codeTables_[2] = db.codes(Table::Customer);
        codeTables_[3] = db.codes(Table::Firmware);
    }
    for (size_t i = 0; i < entries_.size(); ++i) rowNumbers_.push_back(static_cast<int>(i) + 1);
    currentRow_ = 1;
    currentColumn_ = 1;
    gridFocus_ = true;
    changed();
}

int ModelSelection::dataRows() const
{
    return std::max(kMinRows, entryCount());
}

std::string ModelSelection::cell(int row, int column) const
{
    if (column < 0 || column >= kColumns || row < 0 || row > dataRows()) return {};
    if (row == 0) return kGrid[column].header;
    if (row > entryCount()) return {};
    const ModelEntry& e = entries_[row - 1];
    switch (column) {
    case 0: return core::strf("%d", rowNumbers_[row - 1]);
    case 1: return e.modelName;
    case 2: return e.chassisName;
    case 3: return e.fileStem;
    case 4: return e.tuvoName;
    case 5: return e.customerName;
    case 6: return e.comTypeName;
    case 7: return e.firmwareName;
    default: return e.description;
    }
}

void ModelSelection::setCurrentCell(int row, int column)
{
    currentRow_ = std::clamp(row, 1, dataRows());
    currentColumn_ = std::clamp(column, 1, kColumns - 1);
    changed();
}

void ModelSelection::selectionChanged(int firstRow, int lastRow, int column)
{
    currentRow_ = std::clamp(firstRow, 1, dataRows());
    currentColumn_ = std::clamp(column, 0, kColumns - 1);
    if (firstRow == 1 && lastRow > 1 && (column == 1 || column == 2 || column == 5)) sortBy(column);
    changed();
}

void ModelSelection::sortBy(int column)
{
    auto key = [column](const ModelEntry& e) -> const std::string& {
        return column == 1 ? e.modelName : column == 2 ? e.chassisName : e.customerName;
    };
    const size_t n = entries_.size();
    // Each key as its rank among the keys (equal keys, equal ranks), so the
    // exchange sort below compares and exchanges integers: the order it gives
    // is the one it gives on the entries themselves (equal keys included, the
    // sort not being stable), at a fraction of the cost for a large kit.
    std::vector<size_t> byKey(n);
    for (size_t i = 0; i < n; ++i) byKey[i] = i;
    std::sort(byKey.begin(), byKey.end(), [&](size_t a, size_t b) { return key(entries_[a]) < key(entries_[b]); });
    std::vector<uint32_t> rank(n);  // rank of the entry now at each position
    size_t distinct = 0;
    for (size_t k = 0; k < n; ++k) {
        if (k == 0 || key(entries_[byKey[k - 1]]) < key(entries_[byKey[k]])) ++distinct;
        rank[byKey[k]] = static_cast<uint32_t>(distinct - 1);
    }
    std::vector<uint32_t> from(n);  // which entry ends at each position
    for (size_t i = 0; i < n; ++i) from[i] = static_cast<uint32_t>(i);

    if (distinct == n) {
        // With no two keys equal, the exchange sort's order is the keys' order.
        for (size_t i = 0; i < n; ++i) from[rank[i]] = static_cast<uint32_t>(i);
    } else {
        // Exchange sort: every later entry that sorts before position i trades
        // places with it. Position i's entry is held in locals during the scan.
        for (size_t i = 0; i + 1 < n; ++i) {
            uint32_t rankI = rank[i], fromI = from[i];
            for (size_t j = i + 1; j < n; ++j) {
                if (rankI > rank[j]) {
                    std::swap(rankI, rank[j]);
                    std::swap(fromI, from[j]);
                }
            }
            rank[i] = rankI;
            from[i] = fromI;
        }
    }

    std::vector<ModelEntry> entries(n);
    std::vector<ModelRecord> records(n);
    std::vector<int> rowNumbers(n);
    for (size_t i = 0; i < n; ++i) {
        entries[i] = std::move(entries_[from[i]]);
        records[i] = std::move(records_[from[i]]);
        rowNumbers[i] = rowNumbers_[from[i]];
    }
    entries_ = std::move(entries);
    records_ = std::move(records);
    rowNumbers_ = std::move(rowNumbers);
}

void ModelSelection::selectModel(int row)
{
    if (row < 1 || row > entryCount()) return;
    const ModelRecord& m = records_[row - 1];
    host_.applyEcsType(m.comTypeCode == 1 ? 1 : 2);
    caption_ = m.name;
    changed();
    host_.rememberModel(m.name, m.fileStem + ".mdl");
    host_.loadModel(m.fileStem + ".mdl");
    changed();
}

bool ModelSelection::handle(const core::InputEvent& e)
{
    using core::Key;
    if (e.kind == core::InputEvent::Kind::Row) {
        if (e.row < 1 || e.row > dataRows()) return false;
        gridFocus_ = true;
        setCurrentCell(e.row, currentColumn_);
        return true;
    }
    if (e.isClick("OK")) {
        close(Ok);
        return true;
    }
    if (e.isClick("Cancel") || e.is(Key::Escape)) {
        close(Cancel);
        return true;
    }
    if (e.is(Key::Enter)) {
        if (gridFocus_) selectModel(currentRow_);
        else close(Ok);
        return true;
    }
    int step = 0;
    if (e.is(Key::PageUp)) step = -10;
    else if (e.is(Key::PageDown)) step = 10;
    else if (e.is(Key::Up)) step = -1;
    else if (e.is(Key::Down)) step = 1;
    else if (!e.is(Key::Tab)) return false;
    gridFocus_ = true;
    currentRow_ = std::clamp(currentRow_ + step, 1, dataRows());
    changed();
    return true;
}

core::ScreenView ModelSelection::view() const
{
    core::ScreenView v;
    v.title = "Model Sel";
    v.field("Model", caption_);
    core::ScreenView::List grid{"models", {}, currentRow_ - 1};
    for (int r = 1; r <= entryCount(); ++r) {
        const ModelEntry& e = entries_[static_cast<size_t>(r - 1)];
        grid.lines.push_back(core::strf("%3s  %-19s %-8s %-16s %-5s %s", cell(r, 0).c_str(), e.modelName.c_str(),
                                        e.chassisName.c_str(), e.customerName.c_str(), e.firmwareName.c_str(),
                                        e.description.c_str()));
    }
    v.lists.push_back(std::move(grid));
    v.buttons = {{"OK"}, {"Cancel"}};
    v.keys = {"Enter", "Escape", "Tab", "Up", "Down", "PageUp", "PageDown", "row=N"};
    return v;
}

int ModelSelection::rowOf(const std::string& name) const
{
    for (int r = 1; r <= entryCount(); ++r)
        if (entries_[static_cast<size_t>(r - 1)].modelName == name) return r;
    return 0;
}

} // namespace modeldb
