#include "core/record_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/text_format.h"

namespace core {

uint8_t RecordReader::u8At(size_t offset) {
    if (!has(offset, 1)) return ok_ = false, 0;
    return data_[offset];
}

uint16_t RecordReader::u16At(size_t offset) {
    if (!has(offset, 2)) return ok_ = false, 0;
    return static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
}

uint32_t RecordReader::u32At(size_t offset) {
    if (!has(offset, 4)) return ok_ = false, 0;
    return static_cast<uint32_t>(data_[offset]) | (static_cast<uint32_t>(data_[offset + 1]) << 8) |
           (static_cast<uint32_t>(data_[offset + 2]) << 16) | (static_cast<uint32_t>(data_[offset + 3]) << 24);
}

float RecordReader::f32At(size_t offset) {
    uint32_t bits = u32At(offset);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double RecordReader::f64At(size_t offset) {
    if (!has(offset, 8)) return ok_ = false, 0.0;
    uint64_t bits = static_cast<uint64_t>(u32At(offset)) | (static_cast<uint64_t>(u32At(offset + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string RecordReader::textAt(size_t offset, size_t width) {
    if (!has(offset, width)) {
        ok_ = false;
        if (offset >= size_) return {};
        width = size_ - offset;
    }
    return fieldText(data_ + offset, width);
}

bool RecordReader::bytesAt(size_t offset, uint8_t* out, size_t n) {
    if (has(offset, n)) {
        std::memcpy(out, data_ + offset, n);
        return true;
    }
    ok_ = false;
    size_t avail = offset < size_ ? size_ - offset : 0;
    if (avail) std::memcpy(out, data_ + offset, avail);
    std::memset(out + avail, 0, n - avail);
    return false;
}

RecordReader RecordReader::sub(size_t offset, size_t n) const {
    if (offset >= size_) return RecordReader(data_, 0);
    return RecordReader(data_ + offset, std::min(n, size_ - offset));
}

bool RecordWriter::fits(size_t offset, size_t n) {
    if (offset <= size_ && n <= size_ - offset) return true;
    ok_ = false;
    return false;
}

void RecordWriter::u8At(size_t offset, uint8_t v) {
    if (fits(offset, 1)) data_[offset] = v;
}

void RecordWriter::u16At(size_t offset, uint16_t v) {
    if (!fits(offset, 2)) return;
    data_[offset] = static_cast<uint8_t>(v);
    data_[offset + 1] = static_cast<uint8_t>(v >> 8);
}

void RecordWriter::u32At(size_t offset, uint32_t v) {
    if (!fits(offset, 4)) return;
    for (int i = 0; i < 4; ++i) data_[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

void RecordWriter::f32At(size_t offset, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32At(offset, bits);
}

void RecordWriter::f64At(size_t offset, double v) {
    if (!fits(offset, 8)) return;
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32At(offset, static_cast<uint32_t>(bits));
    u32At(offset + 4, static_cast<uint32_t>(bits >> 32));
}

void RecordWriter::textAt(size_t offset, size_t width, const std::string& text) {
    if (width == 0 || !fits(offset, width)) return;
    copyToField(reinterpret_cast<char*>(data_ + offset), width, text);
}

void RecordWriter::bytesAt(size_t offset, const uint8_t* data, size_t n) {
    if (n && fits(offset, n)) std::memcpy(data_ + offset, data, n);
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes, std::string* error) {
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    uint8_t buf[8192];
    bool ok = true;
    while (out.size() < maxBytes) {
        size_t want = std::min(sizeof buf, maxBytes - out.size());
        size_t n = std::fread(buf, 1, want, f);
        out.insert(out.end(), buf, buf + n);
        if (n < want) {
            if (std::ferror(f)) {
                ok = false;
                if (error) *error = path + ": read error";
            }
            break;
        }
    }
    std::fclose(f);
    return ok;
}

} // namespace core
