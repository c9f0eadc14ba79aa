#pragma once
// Commands whose payload and data are lists of number and name fields. Each
// such export is one row (code, exchange, payload fields, data fields, checks)
// and runRow runs any row: check, build the payload, exchange, parse.
#include <cstddef>
#include <cstdint>
#include <span>

#include "genlink/settings.h"

namespace genlink {

class Link;

enum class Flow : uint8_t {
    Cmd,            // command exchange: the payload alone
    Down,           // the data fields as one DLE block
    Up,             // the data fields read from one DLE block
    UpPlain,        // ... from one plain block
    DirectUpPlain,  // ... from one plain block sent without acknowledging the command
    Reply,          // the data fields read from one reply with DLE
    ReplyPlain,     // ... from one reply without DLE
};

enum class Put : uint8_t {
    Text,      // the slot's constant text
    Signed,    // '1' for a negative value else '0', then the magnitude without leading zeros
    Unsigned,  // the magnitude without leading zeros (the sign is dropped)
    Dec,       // `width` decimal digits; the value must fit
    Hex,       // `width` hexadecimal digits; the value must fit
    Flag,      // one digit, 0 or 1
    Letter,    // the slot's text when the flag is 1, nothing when it is 0
    Program,   // a program number in the memory kind's width; it must fit
    Program3,  // a program number in three digits; it must fit
    Name,      // the name cut to `width` and padded with blanks; read back as received
    NameTrim,  // as Name, read back without trailing blanks
    NameLimit, // the name cut to the limit's maximum (and to `width` when nonzero); read: the rest
    Byte,      // read: one character's code
    Number,    // read: the rest of the text as a decimal number
    Skip,      // read: `width` characters passed over
};

// Where a slot's value lives: the export's arguments or the caller's record.
enum class From : uint8_t { Arg, Record };

struct Slot {
    Put put;
    int16_t index = 0;
    From from = From::Arg;
    uint8_t width = 0;
    uint16_t repeat = 1;  // that many consecutive values, each in this encoding
    const char* text = nullptr;
    LimitMax limit = LimitMax::ProgNameLen;
};

constexpr Slot text(const char* t) { return {Put::Text, 0, From::Arg, 0, 1, t}; }
constexpr Slot arg(int index, Put put, int width = 0, int repeat = 1) {
    return {put, static_cast<int16_t>(index), From::Arg, static_cast<uint8_t>(width), static_cast<uint16_t>(repeat)};
}
constexpr Slot letter(int index, const char* t) { return {Put::Letter, static_cast<int16_t>(index), From::Arg, 0, 1, t}; }
constexpr Slot rec(int index, Put put, int width = 0, int repeat = 1) {
    return {put, static_cast<int16_t>(index), From::Record, static_cast<uint8_t>(width), static_cast<uint16_t>(repeat)};
}
constexpr Slot skip(int width) { return {Put::Skip, 0, From::Record, static_cast<uint8_t>(width)}; }
constexpr Slot name(Put put, int width) { return {put, 0, From::Arg, static_cast<uint8_t>(width)}; }
constexpr Slot limitedName(LimitMax limit, int cap = 0) {
    return {Put::NameLimit, 0, From::Arg, static_cast<uint8_t>(cap), 1, nullptr, limit};
}

// Checks made before anything is sent, on the arguments.
enum class Rule : uint8_t {
    Limit,       // the limit check `limit` on the values from `index`
    ProgWriter,  // 0, or a program of the memory
    ProgReader,  // a program of the memory or a built-in one
    ProgStored,  // a program of the memory, 0 excluded
};

struct Guard {
    Rule rule;
    int16_t index = 0;
    LimitCheck limit = LimitCheck::Circle;
};

constexpr Guard limit(LimitCheck check, int index) { return {Rule::Limit, static_cast<int16_t>(index), check}; }
constexpr Guard program(Rule rule, int index) { return {rule, static_cast<int16_t>(index)}; }

struct Row {
    const char* name;
    uint8_t code;
    Flow flow;
    std::span<const Slot> payload;
    std::span<const Slot> data = {};
    std::span<const Guard> guards = {};
    bool commas = false;      // ',' between the payload's fields
    uint16_t records = 1;     // read data: the fields repeat once per record
    size_t capacity = 0;      // Reply: characters beyond any limited name
};

// What an export hands to its row; pointers the row does not use stay null.
struct Operands {
    const int32_t* args = nullptr;
    const int32_t* in = nullptr;  // record sent
    int32_t* out = nullptr;       // record filled, only after a good exchange
    const char* name = nullptr;   // name sent
    char* nameOut = nullptr;      // name received, terminated
};

int runRow(Link& link, const Row& row, const Operands& ops);

// Words of the caller's record a row reads or writes.
size_t recordWords(const Row& row);
// The characters the data fields take on the wire (fixed fields only).
size_t dataLength(Link& link, const Row& row);

// A name travels inside a frame or block: it must not hold the bytes that end one.
bool wireSafe(const char* text, size_t n);

} // namespace genlink
