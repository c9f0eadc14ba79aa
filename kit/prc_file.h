#pragma once
// Writer of procedure files (".PRC"): a 128-byte header with the title and
// END step, then one 128-byte record per step. A step's operands are given
// by field (the layout of its kind decides where they go); every field of
// the kind not given holds its "unused" value (-1 for register and message
// lists, 0 elsewhere). Raw bytes can be laid over a record to build broken files.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "kit/model_kit.h"
#include "procedure/prc_layout.h"

namespace kit {

struct PrcStepSpec {
    std::string name;
    uint8_t kind = 0;
    uint8_t signal = procedure::prc::kUnchanged;
    uint8_t pattern = procedure::prc::kUnchanged;
    uint8_t colour = procedure::prc::kUnchanged;
    uint8_t waitCode = 0;
    // Values of the kind's fields, cut to the field's size.
    std::vector<std::pair<procedure::prc::Operand, std::vector<int32_t>>> operands;
    std::string expression;  // JOB_MATH
    // Bytes laid over the record at an offset after everything else.
    std::vector<std::pair<size_t, Bytes>> raw;

    PrcStepSpec& with(procedure::prc::Operand operand, std::vector<int32_t> values) {
        operands.emplace_back(operand, std::move(values));
        return *this;
    }
};

struct PrcFileSpec {
    std::string title;  // at most 30 characters are stored
    int16_t endStep = 0;
    std::vector<PrcStepSpec> steps;  // written in order as steps 1, 2, ...
};

Bytes prcHeaderRecord(const std::string& title, int16_t endStep);
Bytes prcStepRecord(const PrcStepSpec& step);
Bytes prcFile(const PrcFileSpec& file);

} // namespace kit
