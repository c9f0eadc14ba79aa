#include "datafiles/dat_reader.h"

#include <algorithm>
#include <cstring>

#include "core/record_io.h"
#include "core/text_format.h"
#include "datafiles/data_groups.h"

namespace datafiles {

namespace {

// A mode field is in place when it begins as the mode text does ("=Mod").
constexpr size_t kModeCheckLength = 4;

class FieldReader {
public:
    explicit FieldReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool text(kit::DatTextField& out) {
        if (bytes_.size() - pos_ < out.size()) return false;
        std::copy_n(bytes_.begin() + static_cast<long>(pos_), out.size(), out.begin());
        pos_ += out.size();
        return true;
    }
    bool value(DatValue& out) {
        if (bytes_.size() - pos_ < kit::kDatValueField) return false;
        out = decodeDatValue(bytes_.data() + pos_);
        pos_ += kit::kDatValueField;
        return true;
    }
    size_t remaining() const { return bytes_.size() - pos_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

class Decoder {
public:
    Decoder(const std::vector<uint8_t>& bytes, DatContents& out) : in_(bytes), out_(out) {}

    bool header() {
        if (in_.text(out_.header.modelName) && in_.text(out_.header.modelFile) && in_.text(out_.header.standardName))
            return true;
        out_.fault.kind = DatFault::Kind::Short;
        out_.fault.field = DatFault::Field::Header;
        return false;
    }

    bool group(size_t g, const modeldb::DataGroup& group) {
        DatGroup& d = out_.groups.emplace_back();
        const GroupKind kind = groupKind(group);
        if (kind == GroupKind::SpecialUnknown) return true;
        if (!in_.text(d.label)) return fail(DatFault::Kind::Short, DatFault::Field::Label, g, 0, 0);
        if (d.label[0] != '=') return fail(DatFault::Kind::LabelDifferent, DatFault::Field::Label, g, 0, 0);
        const int n = group.itemCount;
        const size_t first = firstDataItem(kind);
        const int dataItems = std::max(0, n - static_cast<int>(first));
        switch (kind) {
        case GroupKind::Ordinary:
            if (group.modeCount == 0) return block(g, d, {-1, -1, -1, 0, {}}, n);
            for (int k = 0; k < group.modeCount; ++k) {
                kit::DatTextField mode{};
                const size_t at = d.blocks.size();
                if (!in_.text(mode)) return fail(DatFault::Kind::Short, DatFault::Field::Mode, g, at, 0);
                const kit::DatTextField expected = kit::datModeField(k, d.label);
                if (!std::equal(mode.begin(), mode.begin() + kModeCheckLength, expected.begin()))
                    return fail(DatFault::Kind::ModeDifferent, DatFault::Field::Mode, g, at, 0);
                if (!block(g, d, {k, -1, -1, 0, {}}, n)) return false;
            }
            return true;
        case GroupKind::Special1:
            for (int a = 0; a <= selectorA(group); ++a)
                for (int b = 0; b <= selectorB(group); ++b)
                    if (!block(g, d, {-1, a, b, first, {}}, dataItems)) return false;
            return true;
        case GroupKind::Special2:
            return block(g, d, {-1, -1, -1, first, {}}, dataItems);
        case GroupKind::Special3:
            for (int j = 1; j <= group.modeCount; ++j)
                if (!block(g, d, {j, -1, -1, first, {}}, dataItems)) return false;
            return true;
        case GroupKind::Special4:
            for (int j = 0; j < group.modeCount; ++j)
                if (!block(g, d, {j, -1, -1, first, {}}, dataItems)) return false;
            return true;
        case GroupKind::SpecialUnknown:
            break;
        }
        return true;
    }

    size_t remaining() const { return in_.remaining(); }

private:
    bool block(size_t g, DatGroup& d, DatBlock b, int count) {
        const size_t at = d.blocks.size();
        d.blocks.push_back(std::move(b));
        DatBlock& out = d.blocks.back();
        out.values.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            DatValue v;
            if (!in_.value(v)) return fail(DatFault::Kind::Short, DatFault::Field::Value, g, at, static_cast<size_t>(i));
            if (v.kind == DatValue::Kind::Invalid)
                return fail(DatFault::Kind::ValueDifferent, DatFault::Field::Value, g, at, static_cast<size_t>(i));
            out.values.push_back(std::move(v));
        }
        return true;
    }

    bool fail(DatFault::Kind kind, DatFault::Field field, size_t g, size_t block, size_t value) {
        out_.fault = {kind, field, g, block, value};
        return false;
    }

    FieldReader in_;
    DatContents& out_;
};

} // namespace

DatValue decodeDatValue(const uint8_t* field, size_t size) {
    DatValue v;
    v.text.assign(reinterpret_cast<const char*>(field), size);
    if (size >= 5 && v.text.compare(0, 5, kit::kDatErrorText) == 0) {
        v.kind = DatValue::Kind::Error;
        return v;
    }
    // Blanks, an optional minus sign, at least one digit, blanks.
    size_t i = 0;
    while (i < size && v.text[i] == ' ') ++i;
    bool negative = false;
    if (i < size && v.text[i] == '-') {
        negative = true;
        ++i;
    }
    int64_t number = 0;
    size_t digits = 0;
    while (i < size && v.text[i] >= '0' && v.text[i] <= '9') {
        number = number * 10 + (v.text[i] - '0');
        ++i;
        ++digits;
    }
    while (i < size && v.text[i] == ' ') ++i;
    if (digits == 0 || i != size) return v;  // Invalid
    v.kind = DatValue::Kind::Number;
    v.number = static_cast<int32_t>(negative ? -number : number);
    return v;
}

const DatValue* DatContents::value(size_t g, size_t b, size_t v) const {
    if (g >= groups.size() || b >= groups[g].blocks.size() || v >= groups[g].blocks[b].values.size()) return nullptr;
    return &groups[g].blocks[b].values[v];
}

std::string fieldText(const kit::DatTextField& field) {
    return core::fieldText(field.data(), field.size());
}

bool sameHeaderText(const kit::DatTextField& field, const std::string& current) {
    return fieldText(field) == fieldText(kit::datHeaderField(current));
}

DatContents decodeDatFile(const std::vector<uint8_t>& bytes, const modeldb::StandardBlock& standard) {
    DatContents out;
    Decoder d(bytes, out);
    if (!d.header()) return out;
    const size_t groups = walkedGroupCount(standard);
    for (size_t g = 0; g < groups; ++g)
        if (!d.group(g, standard.groups[g])) return out;
    out.trailingBytes = d.remaining();
    return out;
}

bool readDatFile(const std::string& path, const modeldb::StandardBlock& standard, DatContents& out) {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(path, bytes, kMaxDatFileSize)) return false;
    out = decodeDatFile(bytes, standard);
    return true;
}

} // namespace datafiles
