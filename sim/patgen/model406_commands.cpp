#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/patgen/command_entries.h"
#include "sim/patgen/memory_commands.h"

namespace patgen {

namespace {

constexpr uint8_t kFamily = 0x2D;
constexpr size_t kName = 15;
constexpr int kListedPrograms = 160, kBuiltInPrograms = 100, kFirstBuiltIn = 850;

std::string number(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

// A DIP-switch character's value: a hexadecimal letter, or the low four bits.
int nibble(uint8_t c) {
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c & 0x0F;
}

std::string padded(std::string name) {
    name.resize(kName, ' ');
    return name;
}

// The sub-command letter opens the payload.
std::function<bool(const std::string&)> letter(char c) {
    return [c](const std::string& p) { return !p.empty() && p[0] == c; };
}

// A program list entry: the name and flags stored for the program (flag 1
// as the first number, flag 2 as the fifth), the other numbers 0.
std::string listEntry(PatgenCore& c, int program) {
    const std::string stored = textOf(c.item("progname406", number(program, 3)));
    const char flag1 = stored.size() > 0 ? stored[0] : '0', flag2 = stored.size() > 1 ? stored[1] : '0';
    const std::string name = stored.size() > 2 ? stored.substr(2) : std::string();
    return padded(name) + flag1 + "00000" + "0000" + "0000" + flag2 + "0000" + "0000" + "0";
}

// A built-in program: its name, a blank second name, its number as the second value.
std::string builtInEntry(int program) {
    return padded("BUILT-IN " + number(program, 3)) + padded("") + "0" + number(program, 5) + "0000" + "0000" + "0" +
           "0000" + "0000";
}

CommandEntry sub(char c, CommandEntry e) {
    e.code = kFamily;
    e.keyStart = 1;
    return only(std::move(e), letter(c));
}

} // namespace

void addModel406Commands(PatgenCore& core) {
    core.addCommand(sub('A', storing(kFamily, "groupname406", 2, 1)));
    CommandEntry groupName = fixed(entry(kFamily, Kind::Up, "groupname406", 2), kName, kName, Form::Plain);
    groupName.source = [](PatgenCore& c, const std::string& p) -> std::optional<Bytes> {
        return bytesOf(padded(textOf(c.item("groupname406", p.substr(1, 2)))));
    };
    core.addCommand(sub('B', groupName));
    CommandEntry dsw = fixed(entry(kFamily, Kind::Up, "dsw", 0), 2, 2, Form::Plain);
    dsw.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        const Bytes* item = c.item("dsw", "");
        return item ? *item : bytesOf("00");
    };
    core.addCommand(sub('C', dsw));
    core.addCommand(sub('D', entry(kFamily, Kind::Cmd, "run", 0)));

    CommandEntry one = fixed(entry(kFamily, Kind::Up, "proglist", 3), 39, 39);
    one.source = [](PatgenCore& c, const std::string& p) -> std::optional<Bytes> {
        if (p.size() != 4) return std::nullopt;
        return bytesOf(listEntry(c, static_cast<int>(std::strtol(p.c_str() + 1, nullptr, 10))));
    };
    core.addCommand(sub('E', one));
    CommandEntry all = fixed(entry(kFamily, Kind::Up, "proglist", 0), 39 * kListedPrograms, 780);
    all.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        std::string list;
        for (int program = 1; program <= kListedPrograms; ++program) list += listEntry(c, program);
        return bytesOf(list);
    };
    core.addCommand(sub('F', all));
    CommandEntry builtIn = fixed(entry(kFamily, Kind::Up, "inproglist", 0), 53 * kBuiltInPrograms, 1060);
    builtIn.source = [](PatgenCore&, const std::string&) -> std::optional<Bytes> {
        std::string list;
        for (int i = 0; i < kBuiltInPrograms; ++i) list += builtInEntry(kFirstBuiltIn + i);
        return bytesOf(list);
    };
    core.addCommand(sub('G', builtIn));
    core.addCommand(sub('H', fixed(entry(kFamily, Kind::Down, "panelrom", 0), 65536, 1024)));
    core.addCommand(sub('I', fixed(entry(kFamily, Kind::Up, "panelrom", 0), 65536, 1024)));
    CommandEntry names = entry(kFamily, Kind::Up, "groupname406", 0);
    names.freeLength = true;
    names.source = [](PatgenCore& c, const std::string&) -> std::optional<Bytes> {
        const Bytes* d = c.item("dsw", "");
        const bool many = d && d->size() == 2 && (nibble((*d)[1]) & 0x04);
        std::string list;
        for (int group = 1; group <= (many ? 50 : 25); ++group)
            list += padded(textOf(c.item("groupname406", number(group, 2))));
        return bytesOf(list);
    };
    core.addCommand(sub('J', names));
}

} // namespace patgen
