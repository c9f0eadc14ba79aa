#pragma once
// A procedure file (".PRC") decoded once: the header's title and END step,
// and up to 255 steps with their generator settings, wait code, kind and the
// operands laid out for that kind. Slots no record filled hold an empty step
// of kind 99, which the runner skips.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "procedure/prc_layout.h"

namespace procedure {

struct PrcHeader {
    std::string title;    // at most 30 characters
    int16_t endStep = 0;  // the run ends when the step number reaches it
};

// The decoded values of one operand field: numbers for word and byte cells
// (words signed, bytes unsigned), text for a text cell.
struct OperandValues {
    const prc::OperandField* field = nullptr;
    std::vector<int32_t> values;
    std::string text;
};

struct PrcStep {
    std::string name;
    uint8_t signal = prc::kUnchanged;
    uint8_t pattern = prc::kUnchanged;
    uint8_t colour = prc::kUnchanged;
    uint8_t waitCode = 0;
    uint8_t kind = prc::kEmptyKind;
    std::vector<OperandValues> operands;  // the kind's fields in layout order

    // All elements of a field of this step's kind; empty when the kind has no such field.
    const std::vector<int32_t>& values(prc::Operand operand) const;
    // Element i of a field, 0 when absent.
    int32_t value(prc::Operand operand, size_t i = 0) const;
    const std::string& text(prc::Operand operand) const;
};

class PrcFile {
public:
    PrcHeader header;
    int loadedSteps = 0;  // steps read from the file, 0..255

    // Step 1..255; any other number is an empty slot (kind 99).
    const PrcStep& step(int number) const;
    PrcStep& slot(int number) { return steps_.at(static_cast<size_t>(number)); }

private:
    std::array<PrcStep, prc::kSlotCount> steps_{};  // slot 0 unused
};

// Decoders over bytes; they never read past what is given.
PrcHeader decodePrcHeader(const uint8_t* data, size_t size);
PrcStep decodePrcStep(const uint8_t* record, size_t size);
// The header, then whole 128-byte step records up to 255; a short last
// record is dropped.
PrcFile decodePrcFile(const std::vector<uint8_t>& bytes);

// Nothing when the file cannot be opened.
std::optional<PrcFile> readPrcFile(const std::string& path);
std::optional<PrcHeader> readPrcHeader(const std::string& path);

} // namespace procedure
