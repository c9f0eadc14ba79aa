#include "kit/dat_file.h"

#include <algorithm>

#include "core/text_format.h"

namespace kit {

const char* const kDatErrorText = "=err=";

namespace {

// The text and its NUL, cut to the field; bytes past them stay zero.
template <size_t N>
std::array<uint8_t, N> field(const std::string& text) {
    std::array<uint8_t, N> out{};
    std::copy_n(text.begin(), std::min(text.size(), N), out.begin());
    return out;
}

DatValueField valueText(const std::string& five) {
    DatValueField out{};
    out.fill(' ');
    std::copy_n(five.begin(), std::min<size_t>(five.size(), 5), out.begin());
    return out;
}

} // namespace

DatTextField datHeaderField(const std::string& text) {
    std::string t = core::strf("%-15s", text.c_str());
    t.resize(15);  // longer texts are cut; the 16th byte is the NUL
    return field<kDatTextField>(t);
}

DatTextField datLabelField(const std::string& groupName) {
    // A name of 15 characters or more leaves no room for the NUL.
    return field<kDatTextField>(core::strf("=%-14s", groupName.c_str()));
}

DatTextField datModeField(int mode, const DatTextField& label) {
    // The mode text is written over the label: what it leaves shows through.
    const std::string text = core::strf("=Mode = %-5d", mode);
    DatTextField out = field<kDatTextField>(text);
    for (size_t i = text.size() + 1; i < kDatTextField; ++i) out[i] = label[i];
    return out;
}

DatValueField datValueField(int32_t value) { return valueText(core::strf("%5d", value)); }

DatValueField datErrorField() { return valueText(kDatErrorText); }

void DatWriter::header(const std::string& modelName, const std::string& modelFile, const std::string& standardName) {
    append(datHeaderField(modelName));
    append(datHeaderField(modelFile));
    append(datHeaderField(standardName));
}

void DatWriter::label(const std::string& groupName) {
    label_ = datLabelField(groupName);
    append(label_);
}

void DatWriter::mode(int mode) { append(datModeField(mode, label_)); }

void DatWriter::value(int32_t value) { append(datValueField(value)); }

void DatWriter::error() { append(datErrorField()); }

void DatWriter::raw(const Bytes& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

Bytes DatWriter::take() {
    Bytes out;
    out.swap(out_);
    return out;
}

} // namespace kit
