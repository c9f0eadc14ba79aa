#include "procedure/dcnv_point_window.h"

#include <algorithm>

#include "core/text_format.h"

namespace procedure {

void DcnvPointWindow::show(int columns, int rows) {
    visible_ = true;
    columns_ = std::clamp(columns, 0, kMaxColumns);
    rows_ = std::clamp(rows, 0, kMaxRows);
    markRow_ = markColumn_ = 0;
    selectedRow_ = selectedColumn_ = 0;
}

void DcnvPointWindow::hide() { *this = DcnvPointWindow{}; }

void DcnvPointWindow::mark(int column, int row) {
    markRow_ = markColumn_ = 0;
    if (column < 1 || column > columns_ || row < 1 || row > rows_) return;
    markRow_ = row;
    markColumn_ = column;
}

std::string DcnvPointWindow::cell(int row, int column) const {
    return row == markRow_ && column == markColumn_ && row != 0 ? "**" : "  ";
}

std::string DcnvPointWindow::columnHeader(int column) const { return core::strf("%02d", column); }

std::string DcnvPointWindow::rowHeader(int row) const { return core::strf("%c", 64 + row); }

bool DcnvPointWindow::select(int row, int column) {
    if (row < 1 || row > rows_ || column < 1 || column > columns_) return false;
    selectedRow_ = row;
    selectedColumn_ = column;
    return true;
}

bool DcnvPointWindow::selectPoint(int point) {
    if (columns_ <= 0 || point < 1) return false;
    return select((point - 1) / columns_ + 1, (point - 1) % columns_ + 1);
}

std::optional<std::pair<int, int>> DcnvPointWindow::selected() const {
    if (selectedRow_ == 0) return std::nullopt;
    return std::make_pair(selectedRow_, selectedColumn_);
}

std::vector<std::string> DcnvPointWindow::lines() const {
    std::vector<std::string> out;
    std::string header = " ";
    for (int c = 1; c <= columns_; ++c) header += " " + columnHeader(c);
    out.push_back(header);
    for (int r = 1; r <= rows_; ++r) {
        std::string line = rowHeader(r);
        for (int c = 1; c <= columns_; ++c) line += " " + cell(r, c);
        out.push_back(line);
    }
    return out;
}

} // namespace procedure
