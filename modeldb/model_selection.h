#pragma once
// The model selection screen: the model list in a grid with a fixed header row
// and a fixed row-number column; sorting by model, chassis or customer name;
// selecting a row makes that model the current one. The screen stays open
// after a selection.
#include <string>
#include <vector>

#include "core/screen.h"
#include "modeldb/model_database.h"

namespace core { class Ui; }

namespace modeldb {

// What a selection changes outside the screen.
class ModelSelectionHost {
public:
    virtual ~ModelSelectionHost() = default;
    // Sets the ECS type in the monitor link and stores it in the profile.
    virtual void applyEcsType(int ecsType) = 0;
    virtual void rememberModel(const std::string& modelName, const std::string& modelFile) = 0;
    virtual void loadModel(const std::string& modelFile) = 0;
};

struct GridColumn {
    const char* header;
    int widthTwips;  // 0 = hidden
};

class ModelSelection : public core::Screen {
public:
    static constexpr int kColumns = 9;
    static constexpr int kMinRows = 20;
    static const GridColumn kGrid[kColumns];

    enum Result { Ok = 1, Cancel = 2 };

    ModelSelection(std::string home, core::Ui& ui, ModelSelectionHost& host);
    static constexpr const char* kKind = "ModelSelection";
    std::string kind() const override { return kKind; }

    // Builds the list, fills the grid, selects row 1 and focuses the grid.
    void open();

    // Data rows of the grid (at least kMinRows) and the text of a cell; row 0
    // is the header row, column 0 the row numbers.
    int dataRows() const;
    std::string cell(int row, int column) const;
    int entryCount() const { return static_cast<int>(entries_.size()); }
    const std::vector<ModelEntry>& entries() const { return entries_; }
    const std::vector<ModelRecord>& records() const { return records_; }
    const std::vector<int>& rowNumbers() const { return rowNumbers_; }
    const std::string& caption() const { return caption_; }

    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    bool gridHasFocus() const { return gridFocus_; }
    void setGridFocus(bool focus) { gridFocus_ = focus; changed(); }

    // The grid's selection changed to rows first..last of `column`. A selection
    // from row 1 over further rows of column 1, 2 or 5 sorts by that column.
    void selectionChanged(int firstRow, int lastRow, int column);
    // A click on a column header selects the whole column.
    void clickHeader(int column) { selectionChanged(1, dataRows(), column); }
    void setCurrentCell(int row, int column);

    // Makes the model of data row `row` (1-based) the current model. Rows
    // beyond the list select nothing.
    void selectModel(int row);

    // Keys: Tab, PageUp, PageDown, Up and Down move in the grid (and give it
    // the focus); Enter selects the current row while the grid has the
    // focus and is OK otherwise; Escape cancels. A row event moves to that
    // row as a click does; "OK" and "Cancel" are the buttons.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;
    // The row of the model named `name` (exact), 0 when the list has none.
    int rowOf(const std::string& name) const;

private:
    void sortBy(int column);

    std::string home_;
    core::Ui& ui_;
    ModelSelectionHost& host_;
    std::vector<ModelEntry> entries_;
    std::vector<ModelRecord> records_;
    std::vector<int> rowNumbers_;
    std::vector<CodeRecord> codeTables_[4];
    std::string caption_;
    int currentRow_ = 1;
    int currentColumn_ = 1;
    bool gridFocus_ = false;
};

} // namespace modeldb
