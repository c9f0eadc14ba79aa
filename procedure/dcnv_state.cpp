#include "procedure/dcnv_state.h"

#include "procedure/prc_file.h"

namespace procedure {

void DcnvState::reset() {
    conditionSet = false;
    columns = rows = 0;
    conditionWord = 0;
    bypass.fill(0);
    pointColumn = pointRow = 0;
}

bool DcnvState::fillColumn(const PrcStep& step) {
    const int32_t column = step.value(prc::Operand::DcnvColumn);
    const std::vector<int32_t>& values = step.values(prc::Operand::DcnvValues);
    if (column < 1 || column > kDcnvTableColumns || values.size() < kDcnvTableRows) return false;
    for (size_t h = 0; h < kDcnvTableRows; ++h)
        table[h][static_cast<size_t>(column - 1)] = static_cast<int16_t>(values[h]);
    return true;
}

std::optional<int16_t> DcnvState::pointRegister(int point) const {
    if (point < 1 || point > kDcnvTableRows * kDcnvTableColumns) return std::nullopt;
    const int index = point - 1;
    return table[static_cast<size_t>(index % kDcnvTableRows)][static_cast<size_t>(index / kDcnvTableRows)];
}

int DcnvState::bypassJump() const {
    if (pointRow < 1 || pointRow > kDcnvBypassRows) return 0;
    return bypass[static_cast<size_t>(pointRow - 1)];
}

} // namespace procedure
