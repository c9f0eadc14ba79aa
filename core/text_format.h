#pragma once
// printf-style text building. The format is checked by the compiler against its
// arguments; text from files or the monitor must be an argument, never a format.
#include <cstddef>
#include <string>

namespace core {

std::string strf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Copies text into a fixed field of `size` bytes, cut to size - 1 and NUL-terminated.
void copyToField(char* field, size_t size, const std::string& text);

// The text of a fixed field: up to the first NUL or the field's end.
std::string fieldText(const char* field, size_t size);
std::string fieldText(const unsigned char* field, size_t size);

} // namespace core
