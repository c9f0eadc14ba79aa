#pragma once
// Field-by-field access to little-endian binary records. Every read and write
// is bounds-checked: past the end, a reader returns zeros and marks itself
// failed, a writer writes nothing and marks itself failed. Nothing is ever
// accessed outside the buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

class RecordReader {
public:
    RecordReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit RecordReader(const std::vector<uint8_t>& bytes) : RecordReader(bytes.data(), bytes.size()) {}

    size_t size() const { return size_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return pos_ <= size_ ? size_ - pos_ : 0; }
    bool ok() const { return ok_; }
    // True when `n` bytes are available at `offset`.
    bool has(size_t offset, size_t n) const { return offset <= size_ && n <= size_ - offset; }

    // Absolute access at an offset.
    uint8_t u8At(size_t offset);
    int8_t i8At(size_t offset) { return static_cast<int8_t>(u8At(offset)); }
    uint16_t u16At(size_t offset);
    int16_t i16At(size_t offset) { return static_cast<int16_t>(u16At(offset)); }
    uint32_t u32At(size_t offset);
    int32_t i32At(size_t offset) { return static_cast<int32_t>(u32At(offset)); }
    float f32At(size_t offset);
    double f64At(size_t offset);
    // NUL-terminated text in a field of `width` bytes.
    std::string textAt(size_t offset, size_t width);
    // Copies n bytes; fills with zeros what lies past the end.
    bool bytesAt(size_t offset, uint8_t* out, size_t n);
    // A sub-reader over [offset, offset + n), cut to what exists.
    RecordReader sub(size_t offset, size_t n) const;

    // Sequential access from the current position.
    void seek(size_t offset) { pos_ = offset; }
    void skip(size_t n) { pos_ += n; }
    uint8_t u8() { return u8At(advance(1)); }
    uint16_t u16() { return u16At(advance(2)); }
    int16_t i16() { return i16At(advance(2)); }
    uint32_t u32() { return u32At(advance(4)); }
    int32_t i32() { return i32At(advance(4)); }
    float f32() { return f32At(advance(4)); }
    double f64() { return f64At(advance(8)); }
    std::string text(size_t width) { return textAt(advance(width), width); }

private:
    size_t advance(size_t n) { size_t at = pos_; pos_ += n; return at; }
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

class RecordWriter {
public:
    // A writer over a caller's fixed buffer.
    RecordWriter(uint8_t* data, size_t size) : data_(data), size_(size) {}
    // A writer that owns a zero-filled buffer of `size` bytes.
    explicit RecordWriter(size_t size) : owned_(size, 0), data_(owned_.data()), size_(size) {}
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    bool ok() const { return ok_; }
    size_t size() const { return size_; }
    const std::vector<uint8_t>& bytes() const { return owned_; }
    std::vector<uint8_t> take() { return std::move(owned_); }

    void u8At(size_t offset, uint8_t v);
    void i8At(size_t offset, int8_t v) { u8At(offset, static_cast<uint8_t>(v)); }
    void u16At(size_t offset, uint16_t v);
    void i16At(size_t offset, int16_t v) { u16At(offset, static_cast<uint16_t>(v)); }
    void u32At(size_t offset, uint32_t v);
    void i32At(size_t offset, int32_t v) { u32At(offset, static_cast<uint32_t>(v)); }
    void f32At(size_t offset, float v);
    void f64At(size_t offset, double v);
    // Text cut to width - 1 bytes, NUL-padded to width.
    void textAt(size_t offset, size_t width, const std::string& text);
    void bytesAt(size_t offset, const uint8_t* data, size_t n);

private:
    bool fits(size_t offset, size_t n);
    std::vector<uint8_t> owned_;
    uint8_t* data_;
    size_t size_;
    bool ok_ = true;
};

// Reads a whole file; false when it cannot be opened or read. `maxBytes`
// bounds what is read, so a huge file never exhausts memory.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes = 64u << 20,
                   std::string* error = nullptr);

} // namespace core
