#pragma once
// "Dcnv Adjustment Point": the grid of DCnv points of the run's condition,
// columns headed "01", "02", ... and rows "A", "B", ...; the point being
// adjusted is marked "**". The technician selects a cell to jump to.
#include <optional>
#include <string>
#include <vector>

namespace procedure {

class DcnvPointWindow {
public:
    static constexpr const char* kTitle = "Dcnv Adjustment Point";
    static constexpr const char* kSaveCaption = "Save";
    static constexpr const char* kJumpCaption = "Jump";
    // Row headers are letters; column headers two digits.
    static constexpr int kMaxRows = 26;
    static constexpr int kMaxColumns = 99;

    // Shows an empty grid (counts beyond the headers are cut).
    void show(int columns, int rows);
    void hide();
    bool visible() const { return visible_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // Marks (column, row), both from 1, and clears the previous mark; a cell
    // outside the grid marks nothing.
    void mark(int column, int row);
    // The cell text: "**" at the marked point, "  " elsewhere.
    std::string cell(int row, int column) const;
    std::string columnHeader(int column) const;
    std::string rowHeader(int row) const;

    // Selects cell (row, column); false outside the grid.
    bool select(int row, int column);
    // The cell of point number n, numbered row by row from 1.
    bool selectPoint(int point);
    std::optional<std::pair<int, int>> selected() const;  // (row, column)

    // The grid as text lines: the header line, then one line per row.
    std::vector<std::string> lines() const;

private:
    bool visible_ = false;
    int columns_ = 0;
    int rows_ = 0;
    int markRow_ = 0;
    int markColumn_ = 0;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
};

} // namespace procedure
