#include "genlink/frames.h"

namespace genlink {

Bytes commandFrame(uint8_t code, const uint8_t* payload, size_t n) {
    Bytes f;
    f.reserve(n + 3);
    f.push_back(STX);
    f.push_back(code);
    if (n) f.insert(f.end(), payload, payload + n);
    f.push_back(ETX);
    return f;
}

size_t blockOverhead(BlockForm form) { return form == BlockForm::Dle ? 3 : 2; }
size_t blockDataOffset(BlockForm form) { return form == BlockForm::Dle ? 2 : 1; }

Bytes dataBlock(BlockForm form, const uint8_t* data, size_t n, bool last) {
    Bytes b;
    b.reserve(n + blockOverhead(form));
    b.push_back(STX);
    if (form == BlockForm::Dle) b.push_back(DLE);
    if (n) b.insert(b.end(), data, data + n);
    b.push_back(last ? ETX : ETB);
    return b;
}

uint8_t summedChecksum(const uint8_t* data, size_t n) {
    uint32_t sum = static_cast<uint32_t>((n >> 8) & 0xFF) + static_cast<uint32_t>(n & 0xFF);
    for (size_t i = 0; i < n; ++i) sum += data[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

Bytes summedBlock(const uint8_t* data, size_t n, bool last) {
    Bytes b;
    b.reserve(n + 6);
    b.push_back(STX);
    b.push_back(SUMMED);
    b.push_back(static_cast<uint8_t>((n >> 8) & 0xFF));
    b.push_back(static_cast<uint8_t>(n & 0xFF));
    if (n) b.insert(b.end(), data, data + n);
    b.push_back(summedChecksum(data, n));
    b.push_back(last ? ETX : ETB);
    return b;
}

bool blockIsGood(BlockForm form, const uint8_t* block, size_t blockLen, bool last) {
    if (blockLen < blockOverhead(form) || block[0] != STX) return false;
    if (form == BlockForm::Dle && block[1] != DLE) return false;
    return block[blockLen - 1] == (last ? ETX : ETB);
}

int readDecimalPrefix(const char* text, size_t n) {
    size_t i = 0;
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<int> errorFrameNumber(const uint8_t* rest, size_t n) {
    if (n != kErrorFrameRest || rest[0] != DC1 || rest[3] != ETX) return std::nullopt;
    const char digits[2] = {static_cast<char>(rest[1]), static_cast<char>(rest[2])};
    return readDecimalPrefix(digits, 2);
}

Bytes errorFrame(int number) {
    unsigned v = static_cast<unsigned>(number < 0 ? 0 : number) % 100u;
    return {STX, DC1, static_cast<uint8_t>('0' + v / 10), static_cast<uint8_t>('0' + v % 10), ETX};
}

} // namespace genlink
