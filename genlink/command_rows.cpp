#include "genlink/command_rows.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "genlink/fields.h"
#include "genlink/frames.h"
#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

namespace {

int64_t power(int64_t base, int n) {
    int64_t v = 1;
    while (n-- > 0) v *= base;
    return v;
}

bool fits(int64_t v, int64_t base, int width) { return v >= 0 && v < power(base, width); }

bool isName(Put p) { return p == Put::Name || p == Put::NameTrim || p == Put::NameLimit; }
bool takesRest(Put p) { return p == Put::NameLimit || p == Put::Number; }
bool isValue(Put p) { return p != Put::Text && p != Put::Skip && !isName(p); }
bool reads(Flow f) { return f != Flow::Cmd && f != Flow::Down; }

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The longest name a limited-name slot carries; nothing when the tables refuse.
std::optional<size_t> nameLimit(Link& link, const Slot& s) {
    int32_t max = 0;
    if (link.limits().maximum(s.limit, link.memoryKind(), max) != 0 || max < 0) return std::nullopt;
    size_t n = static_cast<size_t>(max);
    if (s.width) n = std::min<size_t>(n, s.width);
    return n;
}

// Characters a slot takes when read; 0 for one that takes the rest.
size_t readWidth(Link& link, const Slot& s) {
    switch (s.put) {
    case Put::Flag:
    case Put::Byte: return 1;
    case Put::Program: return static_cast<size_t>(std::max(programNumberWidth(link.memoryKind()), 0));
    case Put::Program3: return 3;
    case Put::Number:
    case Put::NameLimit: return 0;
    default: return s.width;
    }
}

std::optional<std::string> encodeName(Link& link, const Slot& s, const char* name) {
    if (!name) return std::nullopt;
    const size_t length = std::strlen(name);
    size_t keep = s.width;
    if (s.put == Put::NameLimit) {
        std::optional<size_t> limit = nameLimit(link, s);
        if (!limit) return std::nullopt;
        keep = *limit;
    }
    keep = std::min(keep, length);
    if (!wireSafe(name, keep)) return std::nullopt;
    std::string out(name, keep);
    if (s.put != Put::NameLimit) out.resize(s.width, ' ');
    return out;
}

std::optional<std::string> encodeValue(Link& link, const Slot& s, int32_t v) {
    switch (s.put) {
    case Put::Signed: return freeSigned(v);
    case Put::Unsigned: return freeUnsigned(v);
    case Put::Dec:
        if (!fits(v, 10, s.width)) return std::nullopt;
        return decimalField(v, s.width);
    case Put::Hex:
        if (!fits(v, 16, s.width)) return std::nullopt;
        return hexField(static_cast<uint32_t>(v), s.width);
    case Put::Flag:
        if (v != 0 && v != 1) return std::nullopt;
        return decimalField(v, 1);
    case Put::Letter:
        if (v != 0 && v != 1) return std::nullopt;
        return v ? std::string(s.text) : std::string();
    case Put::Program: {
        const int width = programNumberWidth(link.memoryKind());
        if (width < 0 || !fits(v, 10, width)) return std::nullopt;
        return decimalField(v, width);
    }
    case Put::Program3:
        if (!fits(v, 10, 3)) return std::nullopt;
        return decimalField(v, 3);
    default: return std::nullopt;
    }
}

// Appends the slot's fields; false when a value does not fit or a pointer is missing.
bool encodeSlot(Link& link, const Slot& s, const Operands& ops, std::vector<std::string>& fields) {
    if (s.put == Put::Text) {
        fields.emplace_back(s.text);
        return true;
    }
    if (isName(s.put)) {
        std::optional<std::string> n = encodeName(link, s, ops.name);
        if (!n) return false;
        fields.push_back(*n);
        return true;
    }
    const int32_t* values = s.from == From::Arg ? ops.args : ops.in;
    if (!values) return false;
    for (int i = 0; i < s.repeat; ++i) {
        std::optional<std::string> f = encodeValue(link, s, values[s.index + i]);
        if (!f) return false;
        if (s.put != Put::Letter || !f->empty()) fields.push_back(*f);
    }
    return true;
}

std::optional<std::string> encodeSlots(Link& link, std::span<const Slot> slots, const Operands& ops, bool commas) {
    std::vector<std::string> fields;
    for (const Slot& s : slots)
        if (!encodeSlot(link, s, ops, fields)) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (commas && i) out += ',';
        out += fields[i];
    }
    return out;
}

bool guardPasses(Link& link, const Guard& g, const int32_t* args) {
    if (!args) return false;
    const int32_t* v = args + g.index;
    Limits& limits = link.limits();
    const int kind = link.memoryKind();
    switch (g.rule) {
    case Rule::Limit: return limits.check(g.limit, kind, v) == 0;
    case Rule::ProgWriter: return *v == 0 || limits.checkProgNo(kind, *v) == 0;
    case Rule::ProgReader: return limits.checkProgNo(kind, *v) == 0 || limits.checkInProgNo(*v) == 0;
    case Rule::ProgStored: return limits.checkProgNo(kind, *v) == 0;
    }
    return false;
}

size_t replyCapacity(Link& link, const Row& row) {
    size_t n = row.capacity;
    for (const Slot& s : row.data)
        if (s.put == Put::NameLimit) n += nameLimit(link, s).value_or(0);
    return n;
}

// Parses the received text into the record (stride words per record) and the name.
bool parse(Link& link, const Row& row, const char* text, size_t n, std::vector<int32_t>& record, std::string& name) {
    const size_t stride = recordWords(row);
    size_t at = 0;
    for (size_t r = 0; r < row.records; ++r) {
        for (const Slot& s : row.data) {
            if (takesRest(s.put)) {
                const std::string rest(text + std::min(at, n), n - std::min(at, n));
                if (s.put == Put::Number)
                    record[r * stride + static_cast<size_t>(s.index)] = readDecimalPrefix(rest.data(), rest.size());
                else
                    name = rest;
                at = n;
                continue;
            }
            for (int i = 0; i < s.repeat; ++i) {
                const size_t w = readWidth(link, s);
                if (at + w > n) return false;
                const char* t = text + at;
                int32_t* word = isValue(s.put) ? &record[r * stride + static_cast<size_t>(s.index + i)] : nullptr;
                switch (s.put) {
                case Put::Hex: *word = static_cast<int32_t>(readHexField(t, w)); break;
                case Put::Byte: *word = static_cast<uint8_t>(t[0]); break;
                case Put::Name: name.assign(t, w); break;
                case Put::NameTrim: name = readNameField(t, w); break;
                case Put::Skip:
                case Put::Text: break;
                default:
                    if (word) *word = static_cast<int32_t>(readDecimalField(t, w));
                    break;
                }
                at += w;
            }
        }
    }
    return true;
}

} // namespace

bool wireSafe(const char* text, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (text[i] == static_cast<char>(ETX) || text[i] == static_cast<char>(ETB)) return false;
    return true;
}

size_t recordWords(const Row& row) {
    size_t words = 0;
    for (const Slot& s : row.data)
        if (isValue(s.put)) words = std::max(words, static_cast<size_t>(s.index + s.repeat));
    return words;
}

size_t dataLength(Link& link, const Row& row) {
    size_t n = 0;
    for (const Slot& s : row.data) n += readWidth(link, s) * s.repeat;
    return n * row.records;
}

int runRow(Link& link, const Row& row, const Operands& ops) {
    for (const Guard& g : row.guards)
        if (!guardPasses(link, g, ops.args)) return kBadArgument;
    const std::optional<std::string> payload = encodeSlots(link, row.payload, ops, row.commas);
    if (!payload) return kBadArgument;

    if (!reads(row.flow)) {
        std::string data;
        if (row.flow == Flow::Down) {
            const std::optional<std::string> d = encodeSlots(link, row.data, ops, false);
            if (!d) return kBadArgument;
            data = *d;
        }
        return link.exchange([&](CommandProtocol& p) {
            if (row.flow == Flow::Cmd) return p.cmd(row.code, bytes(*payload), payload->size());
            return p.down(row.code, bytes(*payload), payload->size(), bytes(data), data.size(),
                          std::max<size_t>(data.size(), 1), BlockForm::Dle);
        });
    }

    const size_t words = recordWords(row) * row.records;
    bool wantsName = false, readsProgram = false;
    for (const Slot& s : row.data) {
        wantsName = wantsName || isName(s.put);
        readsProgram = readsProgram || s.put == Put::Program;
    }
    if ((words && !ops.out) || (wantsName && !ops.nameOut)) return kBadArgument;
    if (readsProgram && programNumberWidth(link.memoryKind()) < 0) return kBadArgument;

    const size_t length = dataLength(link, row);
    const bool isReply = row.flow == Flow::Reply || row.flow == Flow::ReplyPlain;
    const size_t capacity = isReply ? replyCapacity(link, row) : length;
    std::vector<uint8_t> text(capacity + 1, 0);
    size_t received = length;
    const int r = link.exchange([&](CommandProtocol& p) {
        const uint8_t* pl = bytes(*payload);
        switch (row.flow) {
        case Flow::Up: return p.up(row.code, pl, payload->size(), text.data(), length, std::max<size_t>(length, 1), BlockForm::Dle);
        case Flow::UpPlain:
            return p.up(row.code, pl, payload->size(), text.data(), length, std::max<size_t>(length, 1), BlockForm::Plain);
        case Flow::DirectUpPlain:
            return p.directUp(row.code, pl, payload->size(), text.data(), length, std::max<size_t>(length, 1),
                              BlockForm::Plain);
        default:
            return p.reply(row.code, pl, payload->size(), text.data(), capacity, &received, row.flow == Flow::Reply);
        }
    });
    if (r != kOk) return r;
    std::vector<int32_t> record(words, 0);
    std::string name;
    if (!parse(link, row, reinterpret_cast<const char*>(text.data()), std::min(received, capacity), record, name))
        return kCommFailed;
    if (words) std::copy(record.begin(), record.end(), ops.out);
    if (wantsName) std::memcpy(ops.nameOut, name.c_str(), name.size() + 1);
    return kOk;
}

} // namespace genlink
