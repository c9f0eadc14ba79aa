#pragma once
// The DCnv adjustment state of one run: the condition set by JOB_DCNV_COND
// (point grid size, condition word, bypass jumps per grid row), the current
// point, and DcnvTable, the register code of every point, filled column by
// column by JOB_DCNV_DATA steps.
#include <array>
#include <cstdint>
#include <optional>

namespace procedure {

struct PrcStep;

constexpr int kDcnvTableRows = 48;
constexpr int kDcnvTableColumns = 4;
constexpr int kDcnvBypassRows = 15;

struct DcnvState {
    bool conditionSet = false;
    uint8_t columns = 0;        // of the point grid
    uint8_t rows = 0;
    int16_t conditionWord = 0;  // the register "Save" writes 0 to
    std::array<uint8_t, kDcnvBypassRows> bypass{};  // jump step per grid row
    int pointColumn = 0;        // current point, from 1; 0 = none yet
    int pointRow = 0;
    std::array<std::array<int16_t, kDcnvTableColumns>, kDcnvTableRows> table{};

    // As the step screen opens: no condition, no point (the table stays).
    void reset();

    // JOB_DCNV_DATA: column c (1..4) of the table from the step's 48 values.
    // False, and nothing changed, for another column number.
    bool fillColumn(const PrcStep& step);

    // The register code of point number p (1 ..): table[(p-1) mod 48][(p-1) div 48];
    // nothing for a point beyond the table.
    std::optional<int16_t> pointRegister(int point) const;

    // The point number of grid cell (row, column), both from 1: (row-1) x columns + column.
    int pointNumber(int row, int column) const { return (row - 1) * columns + column; }

    // The bypass jump of the current point's row, 0 when the row is outside the table.
    int bypassJump() const;
};

} // namespace procedure
