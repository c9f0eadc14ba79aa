#include "sim/patgen/drawing_commands.h"

#include "sim/patgen/command_entries.h"

namespace patgen {

namespace {

struct FigureRow {
    uint8_t code;
    const char* name;
    char plane;
};

constexpr FigureRow kFigures[] = {
    {0x18, "DrawCircle", 'G'},      {0x12, "ClrCircle", 'G'},       {0xD4, "FillCircle", 'G'},
    {0xD5, "EraseCircle", 'G'},     {0x19, "DrawLine", 'G'},        {0x13, "ClrLine", 'G'},
    {0x1B, "DrawDot", 'G'},         {0x14, "ClrDot", 'G'},          {0x31, "DrawBoxPaint", 'G'},
    {0x32, "ClrBoxPaint", 'G'},     {0x3C, "DrawWindow", 'G'},      {0x2A, "ClrWindow", 'G'},
    {0xD0, "DrawRect", 'G'},        {0xD1, "ClrRect", 'G'},         {0xD2, "FillTriangle", 'G'},
    {0xD3, "EraseTriangle", 'G'},   {0xD6, "DrawEllipse", 'G'},     {0xD7, "ClrEllipse", 'G'},
    {0xD8, "FillEllipse", 'G'},     {0xD9, "EraseEllipse", 'G'},    {0xDA, "G1BitBlt", 'G'},
    {0xE0, "G8DrawCircle", 'C'},    {0xE6, "G8FillCircle", 'C'},    {0xE1, "G8DrawLine", 'C'},
    {0xE2, "G8DrawDot", 'C'},       {0xE3, "G8FillRect", 'C'},      {0xE4, "G8DrawRect", 'C'},
    {0xE5, "G8FillTriangle", 'C'},  {0xE7, "G8DrawEllipse", 'C'},   {0xE8, "G8FillEllipse", 'C'},
    {0xE9, "G8BitBlt", 'C'},
};

struct ClearRow {
    uint8_t code;
    const char* planes;
};

// Text is drawn on the one-bit plane and goes with it.
constexpr ClearRow kClears[] = {{0x23, "GCT"}, {0x24, "C"}, {0x25, "GT"}};

} // namespace

void addDrawingCommands(PatgenCore& core) {
    for (const FigureRow& row : kFigures) {
        CommandEntry e = entry(row.code, Kind::Cmd, "figure");
        e.sink = [row](PatgenCore& c, const std::string& payload, const Bytes&) {
            c.addFigure({row.name, row.plane, payload, {}});
            return 0;
        };
        core.addCommand(e);
    }
    for (const ClearRow& row : kClears) {
        CommandEntry e = entry(row.code, Kind::Cmd, "figure");
        e.sink = [row](PatgenCore& c, const std::string&, const Bytes&) {
            c.clearFigures(row.planes);
            return 0;
        };
        core.addCommand(e);
    }
    CommandEntry text = anyLength(entry(0x27, Kind::Down, "figure"));
    text.sink = [](PatgenCore& c, const std::string& payload, const Bytes& data) {
        c.addFigure({"DrawCharacter", 'T', payload, std::string(data.begin(), data.end())});
        return 0;
    };
    core.addCommand(text);

    // The CRT switch and the direct-display step are kept as items too.
    CommandEntry crt = entry(0x21, Kind::Cmd, "crt");
    crt.sink = [](PatgenCore& c, const std::string&, const Bytes&) { return c.setItem("crt", "", {'1'}), 0; };
    core.addCommand(crt);
    crt.code = 0x22;
    crt.sink = [](PatgenCore& c, const std::string&, const Bytes&) { return c.setItem("crt", "", {'0'}), 0; };
    core.addCommand(crt);
    CommandEntry step = entry(0x29, Kind::Cmd, "directdisp");
    step.sink = [](PatgenCore& c, const std::string& payload, const Bytes&) {
        if (payload != "c" && payload != "d") return 1;
        const std::string before = textOf(c.item("directdisp", ""));
        c.setItem("directdisp", "", bytesOf(before + payload));
        return 0;
    };
    core.addCommand(step);

    core.addCommand(storing(0xEA, "g8color", 0));
    core.addCommand(storing(0xEB, "g8dispmode", 0));
    core.addCommand(storing(0xEC, "g8color2", 0));
    core.addCommand(storing(0x0B, "signonoff", 0));
    core.addCommand(storing(0x51, "sync", 0));
    core.addCommand(anyLength(entry(0x26, Kind::Down, "colorplane")));
    core.addCommand(anyLength(entry(0x3D, Kind::Down, "windowcolor")));
    core.addCommand(anyLength(entry(0x3B, Kind::Down, "graphiccolor")));
    // Cursor values are keyed by their letter.
    core.addCommand(anyLength(entry(0x2E, Kind::Down, "cursor", 1)));
    core.addCommand(fixed(entry(0x28, Kind::Up, "gplane", 0), 8, 8));
    core.setItem("gplane", "", bytesOf("06400480"));
}

} // namespace patgen
