#include "sim/patgen/memory_commands.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "sim/patgen/command_entries.h"

namespace patgen {

namespace {

constexpr size_t kImagePrefix = 784;
constexpr int kVbmSlots = 64, kOptionPatterns = 128;

std::string digits(unsigned long value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*lu", width, value);
    return std::string(text).substr(0, static_cast<size_t>(width));
}

std::string hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

bool sizeIs(const std::string& payload, size_t n) { return payload.size() == n; }

// A bitmap slot's status: width, height, bits per pixel, in use, and a spare digit.
std::string vbmStatus(const Bytes* record) {
    std::string s;
    if (record && record->size() >= kImagePrefix) {
        const unsigned w = (*record)[0] | (*record)[1] << 8, h = (*record)[2] | (*record)[3] << 8;
        s = digits(w, 5) + digits(h, 5) + digits((*record)[8], 2) + "10";
    } else {
        s = digits(0, 14);
    }
    return s + "   ";
}

// A field of `width` digits of `base` (10 or 16) at `at`; nothing when any
// character is no such digit. strtoul would take blanks, a sign and "-1",
// which made a count or address of 2^64 - 1.
std::optional<size_t> numberField(const std::string& payload, size_t at, size_t width, unsigned base) {
    if (payload.size() < at + width) return std::nullopt;
    size_t value = 0;
    for (size_t i = at; i < at + width; ++i) {
        const unsigned char c = static_cast<unsigned char>(payload[i]);
        unsigned digit = 0;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

// Monitor identification memory, one per selector byte: the selector, the
// address in four hex digits, the count in three decimal ones.
std::string ddcKey(const std::string& payload) { return payload.substr(0, 1); }
std::optional<size_t> ddcAddress(const std::string& payload) { return numberField(payload, 1, 4, 16); }
std::optional<size_t> ddcCount(const std::string& payload) { return numberField(payload, 5, 3, 10); }

std::optional<Bytes> readDdc(PatgenCore& c, const std::string& payload) {
    const std::optional<size_t> address = ddcAddress(payload), count = ddcCount(payload);
    if (payload.size() != 8 || !address || !count) return std::nullopt;
    const Bytes* memory = c.item("ddc", ddcKey(payload));
    std::string out;
    for (size_t i = 0, at = *address; i < *count; ++i, ++at)
        out += hex2(memory && at < memory->size() ? (*memory)[at] : 0xFF);
    return bytesOf(out);
}

int writeDdc(PatgenCore& c, const std::string& payload, const Bytes& digitsIn) {
    const std::optional<size_t> address = ddcAddress(payload);
    if (payload.size() != 8 || !address) return 1;
    const Bytes* old = c.item("ddc", ddcKey(payload));
    Bytes memory = old ? *old : Bytes{};
    const size_t at = *address, count = digitsIn.size() / 2;
    if (memory.size() < at + count) memory.resize(at + count, 0xFF);
    for (size_t i = 0; i < count; ++i)
        memory[at + i] = static_cast<uint8_t>(
            std::strtoul(std::string(digitsIn.begin() + 2 * i, digitsIn.begin() + 2 * i + 2).c_str(), nullptr, 16));
    c.setItem("ddc", ddcKey(payload), memory);
    return 0;
}

// Deletes one item of the store, or every one for "**".
CommandEntry deleting(uint8_t code, const std::string& store) {
    CommandEntry e = entry(code, Kind::Cmd, store);
    e.sink = [store](PatgenCore& c, const std::string& payload, const Bytes&) {
        if (payload == "**") {
            for (int i = 0; i < 256; ++i) c.eraseItem(store, store == "vbm" ? digits(i % 100, 2) : hex2(i));
        } else {
            c.eraseItem(store, payload);
        }
        return 0;
    };
    return e;
}

// The length of a stored item as decimal text.
CommandEntry sizeOf(uint8_t code, const std::string& store) {
    CommandEntry e = entry(code, Kind::Reply, store, 2);
    e.source = [store](PatgenCore& c, const std::string& payload) -> std::optional<Bytes> {
        const Bytes* item = c.item(store, payload.substr(0, 2));
        if (!item) return std::nullopt;
        return bytesOf(std::to_string(item->size()));
    };
    return e;
}

// The stored item, or `fallback` when there is none.
CommandEntry orDefault(CommandEntry e, std::string fallback) {
    const std::string store = e.store;
    const size_t keyChars = e.keyChars;
    e.source = [store, keyChars, fallback](PatgenCore& c, const std::string& payload) -> std::optional<Bytes> {
        const Bytes* item = c.item(store, payload.substr(0, keyChars));
        return item ? *item : bytesOf(fallback);
    };
    return e;
}

} // namespace

void addMemoryCommands(PatgenCore& core) {
    // Program enable: the key is the program number, the last digit the flag.
    CommandEntry enable = entry(0x30, Kind::Cmd, "enable");
    enable.sink = [](PatgenCore& c, const std::string& payload, const Bytes&) {
        if (payload.size() < 2) return 1;
        c.setItem("enable", payload.substr(0, payload.size() - 1), {static_cast<uint8_t>(payload.back())});
        return 0;
    };
    core.addCommand(enable);
    core.addCommand(orDefault(fixed(entry(0x56, Kind::Up, "enable"), 1, 1, Form::Plain), "0"));

    // 0x3E and 0x50 serve two forms, told apart by the payload's length:
    // program number (2 or 3 digits) and 8 name characters, or the 406 form.
    core.addCommand(only(storing(0x3E, "progname", 2), [](const std::string& p) { return sizeIs(p, 10); }));
    core.addCommand(only(storing(0x3E, "progname", 3), [](const std::string& p) { return sizeIs(p, 11); }));
    core.addCommand(only(storing(0x3E, "progname406", 3), [](const std::string& p) { return sizeIs(p, 20); }));
    core.addCommand(only(fixed(orDefault(entry(0x50, Kind::Up, "anadigi", 0), "0"), 1, 1, Form::Plain),
                         [](const std::string& p) { return p == "2"; }));
    core.addCommand(only(storing(0x50, "anadigi", 0), [](const std::string& p) { return sizeIs(p, 1); }));
    core.addCommand(only(anyLength(entry(0x50, Kind::Up, "progname"), Form::Plain),
                         [](const std::string& p) { return sizeIs(p, 2) || sizeIs(p, 3); }));
    core.addCommand(only(anyLength(entry(0x50, Kind::Up, "progname406", 3), Form::Plain),
                         [](const std::string& p) { return sizeIs(p, 4); }));

    // Groups: a one-digit group with 20 program numbers, or the 406 form with two digits.
    core.addCommand(only(storing(0x52, "group", 1), [](const std::string& p) {
        return !p.empty() && (p.size() - 1) % 20 == 0 && ((p.size() - 1) / 20 == 2 || (p.size() - 1) / 20 == 3);
    }));
    core.addCommand(storing(0x52, "group406", 2));
    core.addCommand(only(anyLength(entry(0x53, Kind::Up, "group"), Form::Plain),
                         [](const std::string& p) { return sizeIs(p, 1); }));
    core.addCommand(entry(0x53, Kind::Reply, "group406"));

    core.addCommand(storing(0x2B, "highprog", 0));
    core.addCommand(entry(0x2C, Kind::Cmd, "run", 0));
    core.addCommand(anyLength(entry(0x46, Kind::Down, "autodisp", 0)));
    core.addCommand(anyLength(entry(0x40, Kind::Up, "autodisp", 0)));

    CommandEntry id = fixed(entry(0x3F, Kind::DirectUp, "pgid", 0), 1, 1, Form::Plain);
    core.addCommand(orDefault(id, "C"));

    CommandEntry vbmStatusTable = fixed(entry(0x7D, Kind::Up, "vbm"), 64 * 17, 64 * 17);
    vbmStatusTable.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        std::string table;
        for (int slot = 1; slot <= kVbmSlots; ++slot) table += vbmStatus(c.item("vbm", digits(slot, 2)));
        return bytesOf(table);
    };
    core.addCommand(vbmStatusTable);
    CommandEntry patternStatus = fixed(entry(0x7C, Kind::Up, "pattern"), 3 * kOptionPatterns, 3 * kOptionPatterns);
    patternStatus.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        std::string table;
        for (int n = 0; n < kOptionPatterns; ++n) table += c.item("pattern", hex2(n)) ? "100" : "000";
        return bytesOf(table);
    };
    core.addCommand(patternStatus);

    // Images: keyed by the two characters of the slot or pattern number.
    core.addCommand(entry(0xB2, Kind::SummedDown, "vbm", 2));
    core.addCommand(anyLength(entry(0xB1, Kind::SummedUp, "vbm", 2)));
    core.addCommand(entry(0xB4, Kind::SummedDown, "pattern", 2));
    core.addCommand(anyLength(entry(0xB3, Kind::SummedUp, "pattern", 2)));
    core.addCommand(deleting(0xB0, "vbm"));
    core.addCommand(deleting(0xB7, "pattern"));
    core.addCommand(storing(0xB5, "vbmname", 2));
    core.addCommand(entry(0xB6, Kind::Reply, "vbmname", 2));
    core.addCommand(storing(0xB8, "patternname", 2));
    core.addCommand(entry(0xB9, Kind::Reply, "patternname", 2));
    core.addCommand(sizeOf(0xBA, "vbm"));
    core.addCommand(sizeOf(0xBB, "pattern"));

    // Monitor identification data and CDC records.
    for (uint8_t code : {uint8_t{0xC8}, uint8_t{0xC9}}) {
        CommandEntry read = entry(code, Kind::Up, "ddc");
        read.source = readDdc;
        read.lengthFromPayload = [](const std::string& p) {
            const std::optional<size_t> count = ddcCount(p);
            return p.size() == 8 && count ? 2 * *count : 0;
        };
        core.addCommand(read);
    }
    CommandEntry write = anyLength(entry(0xCA, Kind::Down, "ddc"));
    write.sink = writeDdc;
    core.addCommand(write);
    core.addCommand(anyLength(entry(0x92, Kind::Down, "cdc", 1)));
    core.addCommand(anyLength(entry(0x91, Kind::Up, "cdc", 1)));
    core.addCommand(storing(0x93, "cdcname", 1));
    core.addCommand(entry(0x94, Kind::Reply, "cdcname", 1));

    // Configuration, device and memory card.
    core.addCommand(storing(0x7F, "config", 0));
    core.addCommand(orDefault(fixed(entry(0x7E, Kind::Up, "config", 0), 9, 9), "000000000"));
    core.addCommand(storing(0xC0, "device", 0));
    CommandEntry device = fixed(entry(0xC1, Kind::Up, "device", 0), 2, 2);
    device.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        const Bytes* d = c.item("device", "");
        return bytesOf(std::string(1, d && !d->empty() ? static_cast<char>((*d)[0]) : '0') + "1");
    };
    core.addCommand(device);
    CommandEntry format = entry(0xBF, Kind::Cmd, "card");
    format.sink = [](PatgenCore& c, const std::string&, const Bytes&) {
        c.eraseStores({"program", "program2", "programx", "vbm", "pattern", "vbmname", "patternname", "progname",
                       "progname3", "progname4", "group", "grouppairs", "groupname"});
        return 0;
    };
    core.addCommand(format);

    // Third and fourth forms: names and group lists.
    core.addCommand(storing(0xA8, "progname3", 3));
    core.addCommand(entry(0xA9, Kind::Reply, "progname3", 3));
    core.addCommand(storing(0xAA, "grouppairs", 2));
    core.addCommand(entry(0xAB, Kind::Reply, "grouppairs", 2));
    core.addCommand(storing(0xAC, "groupname", 2));
    core.addCommand(entry(0xAD, Kind::Reply, "groupname", 2));
    core.addCommand(storing(0x5E, "progname4", 3));
    CommandEntry name4 = entry(0x5F, Kind::Reply, "progname4", 3);
    name4.replyDle = false;
    core.addCommand(name4);
}

} // namespace patgen
