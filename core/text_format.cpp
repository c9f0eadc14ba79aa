#include "core/text_format.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace core {

std::string strf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        out.clear();
    } else if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        std::vector<char> big(static_cast<size_t>(n) + 1);
        vsnprintf(big.data(), big.size(), format, copy);
        out.assign(big.data(), static_cast<size_t>(n));
    }
    va_end(copy);
    return out;
}

void copyToField(char* field, size_t size, const std::string& text) {
    if (size == 0) return;
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, size - n);
}

std::string fieldText(const char* field, size_t size) {
    const void* nul = std::memchr(field, 0, size);
    size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : size;
    return std::string(field, n);
}

std::string fieldText(const unsigned char* field, size_t size) {
    return fieldText(reinterpret_cast<const char*>(field), size);
}

} // namespace core
