#include "kit/prc_file.h"

#include <algorithm>

#include "core/record_io.h"

namespace kit {

namespace prc = procedure::prc;

namespace {

void putValue(core::RecordWriter& w, const prc::OperandField& f, size_t i, int32_t value) {
    if (f.cell == prc::Cell::Word) w.i16At(f.offset + 2 * i, static_cast<int16_t>(value));
    else w.u8At(f.offset + i, static_cast<uint8_t>(value));
}

} // namespace

Bytes prcHeaderRecord(const std::string& title, int16_t endStep) {
    core::RecordWriter w(prc::kRecordSize);
    // The title field holds 30 characters; a shorter title ends with a NUL.
    Bytes text(prc::kTitleSize, 0);
    std::copy_n(title.begin(), std::min(title.size(), prc::kTitleSize), text.begin());
    w.bytesAt(prc::kTitle, text.data(), text.size());
    w.i16At(prc::kEndStep, endStep);
    return w.take();
}

Bytes prcStepRecord(const PrcStepSpec& step) {
    core::RecordWriter w(prc::kRecordSize);
    w.textAt(prc::kStepName, prc::kStepNameSize, step.name);
    w.u8At(prc::kSignal, step.signal);
    w.u8At(prc::kPattern, step.pattern);
    w.u8At(prc::kColour, step.colour);
    w.u8At(prc::kWaitCode, step.waitCode);
    w.u8At(prc::kKind, step.kind);
    for (const prc::OperandField& f : prc::kOperandLayout) {
        if (!f.belongsTo(step.kind)) continue;
        if (f.cell == prc::Cell::Text) {
            w.textAt(f.offset, f.count, step.expression);
            continue;
        }
        for (size_t i = 0; i < f.count; ++i) putValue(w, f, i, f.fill);
    }
    for (const auto& [operand, values] : step.operands) {
        const prc::OperandField* f = prc::operandField(step.kind, operand);
        if (!f || f->cell == prc::Cell::Text) continue;
        for (size_t i = 0; i < values.size() && i < f->count; ++i) putValue(w, *f, i, values[i]);
    }
    for (const auto& [offset, bytes] : step.raw) {
        const size_t n = offset < prc::kRecordSize ? std::min(bytes.size(), prc::kRecordSize - offset) : 0;
        if (n > 0) w.bytesAt(offset, bytes.data(), n);
    }
    return w.take();
}

Bytes prcFile(const PrcFileSpec& file) {
    Bytes out = prcHeaderRecord(file.title, file.endStep);
    for (const PrcStepSpec& s : file.steps) {
        const Bytes record = prcStepRecord(s);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

} // namespace kit
