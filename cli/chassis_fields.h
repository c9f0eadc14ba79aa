#pragma once
// Names of the chassis record's special registers, by their offsets in
// modeldb/chassis_layout.h, as the README's file formats name them.
#include <cstddef>
#include <string>
#include <vector>

namespace cli {

struct ChassisRegisterField {
    size_t offset;
    std::string label;
};

// Every special register of bytes 300..405 that pelaro reads, in offset order.
const std::vector<ChassisRegisterField>& chassisRegisterFields();
// The five per-mode timing registers at 232.
const std::vector<std::string>& timingRegisterLabels();

} // namespace cli
