#pragma once
// Layout of a procedure file (".PRC"): a 128-byte header followed by up to
// 255 step records of 128 bytes. Shared by the reader (procedure/prc_file.cpp)
// and the writer (kit/prc_file.cpp). The operand area of a step is laid out
// per step kind; kOperandLayout is the one table of those layouts.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace procedure::prc {

constexpr size_t kRecordSize = 128;
constexpr int kMaxSteps = 255;
constexpr int kSlotCount = 256;  // slot 0 stands for the header

// Header.
constexpr size_t kTitle = 12;
constexpr size_t kTitleSize = 30;
constexpr size_t kEndStep = 42;  // int16

// Step record.
constexpr size_t kStepName = 0;
constexpr size_t kStepNameSize = 20;
constexpr size_t kSignal = 20;    // generator timing number
constexpr size_t kPattern = 21;   // generator pattern number
constexpr size_t kColour = 22;    // generator colour number
constexpr size_t kWaitCode = 23;
constexpr size_t kKind = 25;
constexpr size_t kOperands = 26;

constexpr uint8_t kUnchanged = 255;  // signal, pattern or colour left as it is
constexpr uint8_t kEmptyKind = 99;   // 'c': a slot no record filled; run as a skipped step

enum class Cell : uint8_t { Word, Byte, Text };  // signed 16-bit, unsigned 8-bit, NUL-terminated text

// What the values of a field stand for, so a listing can name them.
enum class Meaning : uint8_t { Number, Register, Message, Variable, Key, Jump };

enum class Operand : uint8_t {
    Messages,
    Keys,
    Jumps,
    Sliders,
    Displays,
    DisplayDelays,
    ProductDateRegisters,
    AverageRegister,
    AverageValue,
    Registers,
    Variables,
    Values,
    Expression,
    Variable,
    IreLevel,
    BoxSize,
    MaxMinMode,
    InputVariables,
    ResultVariable,
    SwitchRegister,
    PatternRegisters,
    GridColumns,
    GridRows,
    BypassTable,
    ConditionWord,
    RunRegisters,
    RunValues,
    RunCounts,
    PointColumn,
    PointRow,
    DcnvColumn,
    DcnvValues,
};

struct OperandField {
    uint32_t kinds;     // bit k set: the field belongs to step kind k
    Operand operand;
    const char* name;
    uint8_t offset;     // from the start of the 128-byte record
    Cell cell;
    uint8_t count;      // elements; bytes for text
    Meaning meaning;
    int16_t fill;       // what an unused element holds (a writer fills it in)
    bool terminates;    // an element equal to fill (or, for sliders, below it) ends the list

    constexpr size_t cellSize() const { return cell == Cell::Word ? 2 : 1; }
    constexpr size_t size() const { return cellSize() * count; }
    constexpr bool belongsTo(int kind) const { return kind >= 0 && kind < 32 && ((kinds >> kind) & 1u) != 0; }
};

constexpr uint32_t kinds(std::initializer_list<int> list) {
    uint32_t mask = 0;
    for (int k : list) mask |= 1u << k;
    return mask;
}

constexpr uint32_t kPanelKinds = kinds({1, 2, 27, 28, 29, 30, 31});

// clang-format off
inline constexpr OperandField kOperandLayout[] = {
    {kPanelKinds,      Operand::Messages,             "messages",          26, Cell::Word,  8, Meaning::Message,  -1, true},
    {kPanelKinds,      Operand::Keys,                 "keys",              42, Cell::Byte,  5, Meaning::Key,       0, true},
    {kPanelKinds,      Operand::Jumps,                "jumps",             47, Cell::Byte,  5, Meaning::Jump,      0, false},
    {kinds({1, 27, 29}), Operand::Sliders,            "sliders",           52, Cell::Word,  8, Meaning::Register,  0, true},
    {kinds({27}),      Operand::Displays,             "displays",          68, Cell::Word,  8, Meaning::Register, -1, true},
    {kinds({27}),      Operand::DisplayDelays,        "display delays",    84, Cell::Word,  8, Meaning::Number,    0, false},
    {kinds({28}),      Operand::ProductDateRegisters, "date registers",    52, Cell::Word,  6, Meaning::Register,  0, false},
    {kinds({29}),      Operand::Displays,             "displays",          70, Cell::Word,  2, Meaning::Register, -1, true},
    {kinds({29}),      Operand::AverageRegister,      "average register",  74, Cell::Word,  1, Meaning::Register,  0, false},
    {kinds({29}),      Operand::AverageValue,         "average value",     76, Cell::Word,  1, Meaning::Number,    0, false},
    {kinds({7, 8, 9}), Operand::Registers,            "registers",         26, Cell::Word, 25, Meaning::Register, -1, true},
    {kinds({7, 8}),    Operand::Variables,            "variables",         76, Cell::Byte, 25, Meaning::Variable,  0, false},
    {kinds({9}),       Operand::Values,               "values",            76, Cell::Word, 25, Meaning::Number,    0, false},
    {kinds({12}),      Operand::Expression,           "expression",        26, Cell::Text, 102, Meaning::Number,   0, false},
    {kinds({14}),      Operand::Variable,             "variable",          26, Cell::Byte,  1, Meaning::Variable,  0, false},
    {kinds({15}),      Operand::Registers,            "registers",         26, Cell::Word, 25, Meaning::Register, -1, false},
    {kinds({18, 19}),  Operand::Registers,            "registers",         26, Cell::Word,  3, Meaning::Register, -1, false},
    {kinds({18, 19}),  Operand::Jumps,                "jumps",             32, Cell::Byte,  3, Meaning::Jump,      0, false},
    {kinds({20}),      Operand::IreLevel,             "IRE",               26, Cell::Word,  1, Meaning::Number,    0, false},
    {kinds({20}),      Operand::BoxSize,              "box",               28, Cell::Word,  1, Meaning::Number,    0, false},
    {kinds({21}),      Operand::MaxMinMode,           "max/min",           26, Cell::Word,  1, Meaning::Number,    0, false},
    {kinds({21}),      Operand::InputVariables,       "inputs",            28, Cell::Byte, 25, Meaning::Variable,  0, true},
    {kinds({21}),      Operand::ResultVariable,       "result",            53, Cell::Byte,  1, Meaning::Variable,  0, false},
    {kinds({22}),      Operand::SwitchRegister,       "switch register",   26, Cell::Word,  1, Meaning::Register, -1, false},
    {kinds({22}),      Operand::PatternRegisters,     "pattern registers", 28, Cell::Word,  3, Meaning::Register, -1, false},
    {kinds({23}),      Operand::GridColumns,          "columns",           26, Cell::Byte,  1, Meaning::Number,    0, false},
    {kinds({23}),      Operand::GridRows,             "rows",              27, Cell::Byte,  1, Meaning::Number,    0, false},
    {kinds({23}),      Operand::BypassTable,          "bypass",            28, Cell::Byte, 15, Meaning::Jump,      0, false},
    {kinds({23}),      Operand::ConditionWord,        "condition word",    54, Cell::Word,  1, Meaning::Register,  0, false},
    {kinds({24}),      Operand::RunRegisters,         "run registers",     26, Cell::Word, 11, Meaning::Register,  0, true},
    {kinds({24}),      Operand::RunValues,            "run values",        48, Cell::Word, 11, Meaning::Number,    0, false},
    {kinds({24}),      Operand::RunCounts,            "run counts",        70, Cell::Byte, 11, Meaning::Number,    0, false},
    {kinds({25}),      Operand::PointColumn,          "point column",      26, Cell::Byte,  1, Meaning::Number,    0, false},
    {kinds({25}),      Operand::PointRow,             "point row",         27, Cell::Byte,  1, Meaning::Number,    0, false},
    {kinds({25}),      Operand::Sliders,              "sliders",           28, Cell::Word,  8, Meaning::Register,  0, true},
    {kinds({25}),      Operand::Keys,                 "keys",              44, Cell::Byte,  5, Meaning::Key,       0, true},
    {kinds({25}),      Operand::Jumps,                "jumps",             49, Cell::Byte,  5, Meaning::Jump,      0, false},
    {kinds({25}),      Operand::Messages,             "messages",          54, Cell::Word,  5, Meaning::Message,  -1, true},
    {kinds({26}),      Operand::DcnvColumn,           "column",            26, Cell::Word,  1, Meaning::Number,    0, false},
    {kinds({26}),      Operand::DcnvValues,           "column values",     28, Cell::Word, 48, Meaning::Register,  0, false},
};
// clang-format on

// The field of `operand` in the layout of step kind `kind`, or null.
constexpr const OperandField* operandField(int kind, Operand operand) {
    for (const OperandField& f : kOperandLayout)
        if (f.belongsTo(kind) && f.operand == operand) return &f;
    return nullptr;
}

constexpr bool layoutFitsRecords() {
    for (const OperandField& f : kOperandLayout)
        if (f.offset < kOperands || f.offset + f.size() > kRecordSize) return false;
    return true;
}
static_assert(layoutFitsRecords(), "every operand lies in the operand area of a step record");

} // namespace procedure::prc
