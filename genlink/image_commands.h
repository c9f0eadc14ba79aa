#pragma once
// The generator's image memories: bitmap slots and graphic option patterns,
// moved as image records (a 16-byte header, a colour table of 256 entries of
// red, green and blue, then the image bytes) with the summed exchanges.
#include <cstddef>
#include <cstdint>

#include "genlink/frames.h"

namespace genlink {

class Link;

constexpr size_t kImageHeader = 16;
constexpr size_t kColorEntries = 256;
constexpr size_t kImagePrefix = kImageHeader + 3 * kColorEntries;  // 784
constexpr size_t kCallerColorTable = 4 * kColorEntries;             // red, green, blue, unused
constexpr int32_t kMaxImageSide = 0xFFFF;

// The record of a bitmap of width × height bytes; colors holds 256 entries of four bytes.
Bytes bitmapRecord(int32_t width, int32_t height, const uint8_t* colors, const uint8_t* image);
// The record of a graphic pattern; a zero flag sends an all-zero colour table.
Bytes graphicPatternRecord(int32_t value, int32_t colorFlag, const uint8_t* colors, const uint8_t* image,
                           size_t length);

// Bitmap slots (`code` names the family's command).
int setBitmap(Link& link, uint8_t code, int32_t slot, const uint8_t* colors, const uint8_t* image, int32_t width,
              int32_t height);
// Fills width, height, the colour table and at most `capacity` image bytes.
int getBitmap(Link& link, uint8_t code, int32_t slot, uint8_t* colors, uint8_t* image, int32_t capacity,
              int32_t* width, int32_t* height);

// Graphic option patterns: header[0] is header byte 8, header[1] the colour-table flag.
int setGraphicPattern(Link& link, int32_t slot, const int32_t* header, const uint8_t* colors, const uint8_t* image,
                      int32_t length);
int getGraphicPattern(Link& link, int32_t slot, int32_t* header, uint8_t* colors, uint8_t* image, int32_t capacity,
                      int32_t* length);

// Option patterns of the third form: the caller's bytes as they are.
int setOptionPattern(Link& link, int32_t number, const uint8_t* bytes, int32_t length);
int getOptionPattern(Link& link, int32_t number, uint8_t* bytes, int32_t capacity, int32_t* length);

} // namespace genlink
