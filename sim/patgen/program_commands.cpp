#include "sim/patgen/program_commands.h"

namespace patgen {

namespace {

struct Row {
    uint8_t code;
    Kind kind;
    const char* store;
    size_t keyChars;  // npos: the whole payload
};

constexpr size_t kAll = std::string::npos;

// Setters and getters of one item share a store, so a get returns what the
// matching set stored; the key is the payload (program number, element id).
constexpr Row kRows[] = {
    {0x4D, Kind::Down, "program", kAll},   {0x4C, Kind::Up, "program", kAll},
    {0x5D, Kind::Down, "program2", kAll},  {0x5C, Kind::Up, "program2", kAll},
    {0xA4, Kind::Down, "programx", kAll},  {0xA3, Kind::Up, "programx", kAll},
    {0x08, Kind::Down, "screen", 0},       {0x58, Kind::Down, "screen", 0},
    {0xA5, Kind::Down, "screen", 0},       {0x0C, Kind::Cmd, "run", 0},
    {0x07, Kind::Cmd, "run", 0},           {0x09, Kind::Cmd, "run", 0},
    {0x48, Kind::Down, "htiming", kAll},   {0x42, Kind::Up, "htiming", kAll},
    {0x49, Kind::Down, "vtiming", kAll},   {0x43, Kind::Up, "vtiming", kAll},
    {0x4A, Kind::Down, "outctrl", kAll},   {0x44, Kind::Up, "outctrl", kAll},
    {0xA7, Kind::Down, "outctrlx", kAll},  {0xA6, Kind::Up, "outctrlx", kAll},
    {0x4B, Kind::Down, "group", kAll},     {0x45, Kind::Up, "group", kAll},
    {0x5B, Kind::Down, "group2", kAll},    {0x55, Kind::Up, "group2", kAll},
    {0xA2, Kind::Down, "groupx", kAll},    {0xA1, Kind::Up, "groupx", kAll},
    {0x47, Kind::Down, "select", kAll},    {0x0E, Kind::Down, "signon", 0},
    {0x0F, Kind::Down, "signoff", 0},
};

} // namespace

void addProgramCommands(PatgenCore& core) {
    for (const Row& row : kRows) {
        CommandEntry entry;
        entry.code = row.code;
        entry.kind = row.kind;
        entry.form = Form::Dle;
        entry.blockSize = PatgenCore::kMaxFrame;
        entry.store = row.store;
        entry.keyChars = row.keyChars;
        entry.freeLength = true;
        core.addCommand(entry);
    }
    // Reading a selection answers with the stored letters.
    CommandEntry select;
    select.code = 0x41;
    select.kind = Kind::Reply;
    select.store = "select";
    select.keyChars = kAll;
    select.replyDle = true;
    core.addCommand(select);
    // User characters: 1024 digits in blocks of 128, keyed by the code digit.
    CommandEntry glyph;
    glyph.code = 0x4F;
    glyph.kind = Kind::Down;
    glyph.blockSize = 128;
    glyph.store = "glyph";
    glyph.keyChars = kAll;
    glyph.dataLength = 1024;
    core.addCommand(glyph);
    glyph.code = 0x4E;
    glyph.kind = Kind::Up;
    core.addCommand(glyph);
}

} // namespace patgen
