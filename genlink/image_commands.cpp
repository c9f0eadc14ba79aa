#include "genlink/image_commands.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "genlink/fields.h"
#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

namespace {

constexpr uint8_t kSetPattern = 0xB4, kGetPattern = 0xB3;
constexpr size_t kSummedBlock = 1024;
constexpr char kPatternMark[] = "VEXOR402";

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool slotAccepted(Link& link, LimitCheck check, int32_t slot) {
    return link.limits().check(check, link.memoryKind(), &slot) == 0;
}

// Slot number then the record's total length, without leading zeros.
std::string transferPayload(const std::string& slot, size_t total) { return slot + std::to_string(total); }

void putColors(Bytes& record, const uint8_t* colors) {
    for (size_t i = 0; i < kColorEntries && colors; ++i)
        std::memcpy(&record[kImageHeader + 3 * i], colors + 4 * i, 3);
}

void takeColors(const Bytes& record, uint8_t* colors) {
    for (size_t i = 0; i < kColorEntries; ++i) {
        std::memcpy(colors + 4 * i, &record[kImageHeader + 3 * i], 3);
        colors[4 * i + 3] = 0;
    }
}

int sendRecord(Link& link, uint8_t code, const std::string& payload, const Bytes& record) {
    return link.exchange([&](CommandProtocol& p) {
        return p.summedDown(code, bytes(payload), payload.size(), record.data(), record.size(), kSummedBlock);
    });
}

// Receives a record of at most capacity image bytes into `record`; `received`
// is the full length sent. A record too short to hold its header and colour
// table is malformed.
int receiveRecord(Link& link, uint8_t code, const std::string& payload, size_t capacity, Bytes& record,
                  size_t& received) {
    record.assign(capacity + kImagePrefix, 0);
    const int r = link.exchange([&](CommandProtocol& p) {
        return p.summedUp(code, bytes(payload), payload.size(), record.data(), record.size(), &received);
    });
    if ((r == kOk || r == kReplyTooLong) && received < kImagePrefix) return kCommFailed;
    return r;
}

} // namespace

Bytes bitmapRecord(int32_t width, int32_t height, const uint8_t* colors, const uint8_t* image) {
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    Bytes record(kImagePrefix + pixels, 0);
    record[0] = static_cast<uint8_t>(width);
    record[1] = static_cast<uint8_t>(width >> 8);
    record[2] = static_cast<uint8_t>(height);
    record[3] = static_cast<uint8_t>(height >> 8);
    record[8] = 8;  // bits per pixel
    record[10] = 1;
    putColors(record, colors);
    if (pixels) std::memcpy(&record[kImagePrefix], image, pixels);
    return record;
}

Bytes graphicPatternRecord(int32_t value, int32_t colorFlag, const uint8_t* colors, const uint8_t* image,
                           size_t length) {
    Bytes record(kImagePrefix + length, 0);
    std::memcpy(record.data(), kPatternMark, 8);
    record[8] = static_cast<uint8_t>(value);
    record[9] = static_cast<uint8_t>(colorFlag);
    if (colorFlag) putColors(record, colors);
    if (length) std::memcpy(&record[kImagePrefix], image, length);
    return record;
}

int setBitmap(Link& link, uint8_t code, int32_t slot, const uint8_t* colors, const uint8_t* image, int32_t width,
              int32_t height) {
    if (!slotAccepted(link, LimitCheck::VbmNo, slot) || slot < 0 || slot > 99 || !colors || !image) return kBadArgument;
    if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide) return kBadArgument;
    const Bytes record = bitmapRecord(width, height, colors, image);
    return sendRecord(link, code, transferPayload(decimalField(slot, 2), record.size()), record);
}

int getBitmap(Link& link, uint8_t code, int32_t slot, uint8_t* colors, uint8_t* image, int32_t capacity,
              int32_t* width, int32_t* height) {
    if (!slotAccepted(link, LimitCheck::VbmNo, slot) || slot < 0 || slot > 99) return kBadArgument;
    if (!colors || !width || !height || capacity < 0 || (capacity > 0 && !image)) return kBadArgument;
    Bytes record;
    size_t received = 0;
    const int r = receiveRecord(link, code, decimalField(slot, 2), static_cast<size_t>(capacity), record, received);
    if (r != kOk && r != kReplyTooLong) return r;
    const int32_t w = record[0] | record[1] << 8, h = record[2] | record[3] << 8;
    const size_t pixels = std::min({static_cast<size_t>(w) * static_cast<size_t>(h), received - kImagePrefix,
                                    static_cast<size_t>(capacity)});
    *width = w;
    *height = h;
    takeColors(record, colors);
    if (pixels) std::memcpy(image, &record[kImagePrefix], pixels);
    return r;
}

int setGraphicPattern(Link& link, int32_t slot, const int32_t* header, const uint8_t* colors, const uint8_t* image,
                      int32_t length) {
    // The slot travels in two decimal digits; a pattern number it cannot hold is refused.
    if (!slotAccepted(link, LimitCheck::OptPtnNo, slot) || slot < 0 || slot > 99 || !header) return kBadArgument;
    if (header[0] < 0 || header[0] > 0xFF || header[1] < 0 || header[1] > 0xFF || (header[1] && !colors))
        return kBadArgument;
    if (length < 0 || (length > 0 && !image)) return kBadArgument;
    const Bytes record = graphicPatternRecord(header[0], header[1], colors, image, static_cast<size_t>(length));
    return sendRecord(link, kSetPattern, transferPayload(decimalField(slot, 2), record.size()), record);
}

int getGraphicPattern(Link& link, int32_t slot, int32_t* header, uint8_t* colors, uint8_t* image, int32_t capacity,
                      int32_t* length) {
    if (!slotAccepted(link, LimitCheck::OptPtnNo, slot) || slot < 0 || slot > 99) return kBadArgument;
    if (!header || !colors || !length || capacity < 0 || (capacity > 0 && !image)) return kBadArgument;
    Bytes record;
    size_t received = 0;
    const int r = receiveRecord(link, kGetPattern, decimalField(slot, 2), static_cast<size_t>(capacity), record,
                                received);
    if (r != kOk && r != kReplyTooLong) return r;
    const size_t imageLength = received - kImagePrefix;
    header[0] = record[8];
    header[1] = record[9];
    takeColors(record, colors);
    const size_t fitted = std::min(imageLength, static_cast<size_t>(capacity));
    if (fitted) std::memcpy(image, &record[kImagePrefix], fitted);
    *length = static_cast<int32_t>(std::min<size_t>(imageLength, 0x7FFFFFFF));
    return r;
}

int setOptionPattern(Link& link, int32_t number, const uint8_t* data, int32_t length) {
    if (!slotAccepted(link, LimitCheck::OptPtnNo, number) || number < 0 || number > 0xFF || !data || length <= 0)
        return kBadArgument;
    const std::string payload = transferPayload(hexField(static_cast<uint32_t>(number), 2), static_cast<size_t>(length));
    return link.exchange([&](CommandProtocol& p) {
        return p.summedDown(kSetPattern, bytes(payload), payload.size(), data, static_cast<size_t>(length),
                            kSummedBlock);
    });
}

int getOptionPattern(Link& link, int32_t number, uint8_t* data, int32_t capacity, int32_t* length) {
    if (!slotAccepted(link, LimitCheck::OptPtnNo, number) || number < 0 || number > 0xFF || !length || capacity < 0 ||
        (capacity > 0 && !data))
        return kBadArgument;
    const std::string payload = hexField(static_cast<uint32_t>(number), 2);
    size_t received = 0;
    const int r = link.exchange([&](CommandProtocol& p) {
        return p.summedUp(kGetPattern, bytes(payload), payload.size(), data, static_cast<size_t>(capacity), &received);
    });
    if (r == kOk || r == kReplyTooLong) *length = static_cast<int32_t>(std::min<size_t>(received, 0x7FFFFFFF));
    return r;
}

} // namespace genlink
