#include "procedure/prc_file.h"


#include "core/record_io.h"

namespace procedure {

namespace {

const std::vector<int32_t> kNoValues;
const std::string kNoText;
const PrcStep kEmptyStep;

const OperandValues* findOperand(const PrcStep& step, prc::Operand operand) {
    for (const OperandValues& o : step.operands)
        if (o.field && o.field->operand == operand) return &o;
    return nullptr;
}

OperandValues decodeOperand(core::RecordReader& r, const prc::OperandField& f) {
    OperandValues o;
    o.field = &f;
    if (f.cell == prc::Cell::Text) {
        o.text = r.textAt(f.offset, f.count);
        return o;
    }
    o.values.reserve(f.count);
    for (size_t i = 0; i < f.count; ++i) {
        if (f.cell == prc::Cell::Word) o.values.push_back(r.i16At(f.offset + 2 * i));
        else o.values.push_back(r.u8At(f.offset + i));
    }
    return o;
}

} // namespace

const std::vector<int32_t>& PrcStep::values(prc::Operand operand) const {
    const OperandValues* o = findOperand(*this, operand);
    return o ? o->values : kNoValues;
}

int32_t PrcStep::value(prc::Operand operand, size_t i) const {
    const std::vector<int32_t>& v = values(operand);
    return i < v.size() ? v[i] : 0;
}

const std::string& PrcStep::text(prc::Operand operand) const {
    const OperandValues* o = findOperand(*this, operand);
    return o ? o->text : kNoText;
}

const PrcStep& PrcFile::step(int number) const {
    if (number < 1 || number > prc::kMaxSteps) return kEmptyStep;
    return steps_[static_cast<size_t>(number)];
}

PrcHeader decodePrcHeader(const uint8_t* data, size_t size) {
    core::RecordReader r(data, size < prc::kRecordSize ? size : prc::kRecordSize);
    PrcHeader h;
    h.title = r.textAt(prc::kTitle, prc::kTitleSize);
    h.endStep = r.i16At(prc::kEndStep);
    return h;
}

PrcStep decodePrcStep(const uint8_t* record, size_t size) {
    core::RecordReader r(record, size < prc::kRecordSize ? size : prc::kRecordSize);
    PrcStep s;
    s.name = r.textAt(prc::kStepName, prc::kStepNameSize);
    s.signal = r.u8At(prc::kSignal);
    s.pattern = r.u8At(prc::kPattern);
    s.colour = r.u8At(prc::kColour);
    s.waitCode = r.u8At(prc::kWaitCode);
    s.kind = r.u8At(prc::kKind);
    for (const prc::OperandField& f : prc::kOperandLayout)
        if (f.belongsTo(s.kind)) s.operands.push_back(decodeOperand(r, f));
    return s;
}

PrcFile decodePrcFile(const std::vector<uint8_t>& bytes) {
    PrcFile file;
    file.header = decodePrcHeader(bytes.data(), bytes.size());
    const size_t records = bytes.size() / prc::kRecordSize;  // whole records only
    for (size_t n = 1; n < records && n <= static_cast<size_t>(prc::kMaxSteps); ++n) {
        file.slot(static_cast<int>(n)) = decodePrcStep(bytes.data() + n * prc::kRecordSize, prc::kRecordSize);
        file.loadedSteps = static_cast<int>(n);
    }
    return file;
}

std::optional<PrcFile> readPrcFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(path, bytes, prc::kRecordSize * prc::kSlotCount)) return std::nullopt;
    return decodePrcFile(bytes);
}

std::optional<PrcHeader> readPrcHeader(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(path, bytes, prc::kRecordSize)) return std::nullopt;
    return decodePrcHeader(bytes.data(), bytes.size());
}

} // namespace procedure
