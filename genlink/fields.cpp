#include "genlink/fields.h"

namespace genlink {

namespace {

uint64_t magnitude(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

std::string digitsOf(uint64_t value, unsigned base, int width) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out(width > 0 ? static_cast<size_t>(width) : 0, '0');
    for (int i = width - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = kDigits[value % base];
        value /= base;
    }
    return out;
}

int digitValue(char c, unsigned base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    return v >= 0 && static_cast<unsigned>(v) < base ? v : -1;
}

int64_t readDigits(const char* text, size_t width, unsigned base) {
    int64_t value = 0;
    for (size_t i = 0; i < width && text[i]; ++i) {
        int d = digitValue(text[i], base);
        if (d < 0) break;
        value = value * base + d;
    }
    return value;
}

} // namespace

std::string decimalField(int64_t value, int width) { return digitsOf(magnitude(value), 10, width); }

std::string hexField(uint64_t value, int width) { return digitsOf(value, 16, width); }

std::string signedField(int64_t value, int width) {
    if (width <= 0) return {};
    return std::string(1, value < 0 ? '1' : '0') + digitsOf(magnitude(value), 10, width - 1);
}

std::string freeUnsigned(int64_t value) { return std::to_string(magnitude(value)); }

std::string freeSigned(int64_t value) { return std::string(1, value < 0 ? '1' : '0') + freeUnsigned(value); }

std::string nameField(const std::string& name, int width) {
    if (width <= 0) return {};
    std::string out = name.substr(0, static_cast<size_t>(width));
    out.resize(static_cast<size_t>(width), ' ');
    return out;
}

int64_t readDecimalField(const char* text, size_t width) { return readDigits(text, width, 10); }

int64_t readHexField(const char* text, size_t width) { return readDigits(text, width, 16); }

int64_t readSignedField(const char* text, size_t width) {
    if (width == 0 || !text[0]) return 0;
    int64_t m = readDigits(text + 1, width - 1, 10);
    return text[0] == '0' ? m : -m;
}

std::string readNameField(const char* text, size_t width) {
    size_t n = 0;
    while (n < width && text[n]) ++n;
    std::string out(text, n);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

} // namespace genlink
