#include "genlink/drawing_commands.h"

#include <cstring>
#include <string>

#include "genlink/fields.h"
#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

namespace {

constexpr Put S = Put::Signed, U = Put::Unsigned, D = Put::Dec;
using C = LimitCheck;

// Payload fields of the figures, in argument order unless stated.
constexpr Slot kCircle[] = {arg(0, S), arg(1, S), arg(2, U)};
constexpr Slot kLine[] = {arg(0, S), arg(1, S), arg(2, S), arg(3, S)};
constexpr Slot kDot[] = {arg(0, U), arg(1, U)};
constexpr Slot kRect[] = {arg(0, U), arg(1, U), arg(2, U), arg(3, U)};
constexpr Slot kTriangle[] = {arg(0, S), arg(1, S), arg(2, S), arg(3, S), arg(4, S), arg(5, S)};
constexpr Slot kEllipse[] = {arg(0, S), arg(1, S), arg(2, U), arg(3, U)};
// A block transfer names its source last: a3, a4, a5, a6, a1, a2.
constexpr Slot kBitBlt[] = {arg(2, U), arg(3, U), arg(4, U), arg(5, U), arg(0, U), arg(1, U)};
constexpr Slot kG8Circle[] = {arg(0, S), arg(1, S), arg(2, U), arg(3, U)};
constexpr Slot kG8Line[] = {arg(0, S), arg(1, S), arg(2, S), arg(3, S), arg(4, U)};
constexpr Slot kG8Dot[] = {arg(0, U), arg(1, U), arg(2, U)};
constexpr Slot kG8Rect[] = {arg(0, U), arg(1, U), arg(2, U), arg(3, U), arg(4, U)};
constexpr Slot kG8Triangle[] = {arg(0, S), arg(1, S), arg(2, S), arg(3, S), arg(4, S), arg(5, S), arg(6, U)};
constexpr Slot kG8Ellipse[] = {arg(0, S), arg(1, S), arg(2, U), arg(3, U), arg(4, U)};
constexpr Slot kOneDigit[] = {arg(0, D, 1)};
constexpr Slot kFourColors[] = {arg(0, U, 0, 4)};
constexpr Slot kIncrement[] = {text("c")};
constexpr Slot kDecrement[] = {text("d")};
constexpr Slot kSignLetters[] = {letter(0, "^"), letter(1, "_"), letter(2, "`"),
                                 letter(3, "e"), letter(4, "f"), letter(5, "g")};
constexpr Slot kSyncFlags[] = {arg(0, Put::Flag, 0, 3)};

constexpr Guard kCircleCheck[] = {limit(C::Circle, 0)};
constexpr Guard kLineCheck[] = {limit(C::Line, 0), limit(C::Line, 2)};
constexpr Guard kDotCheck[] = {limit(C::Dot, 0)};
constexpr Guard kRectCheck[] = {limit(C::Rect, 0), limit(C::Rect, 2)};
constexpr Guard kTriangleCheck[] = {limit(C::Triangle, 0), limit(C::Triangle, 2), limit(C::Triangle, 4)};
constexpr Guard kEllipseCheck[] = {limit(C::Ellipse, 0)};
constexpr Guard kBitBltCheck[] = {limit(C::BitBlt, 0)};
constexpr Guard kG8CircleCheck[] = {limit(C::Circle, 0), limit(C::G8Color, 3)};
constexpr Guard kG8LineCheck[] = {limit(C::Line, 0), limit(C::Line, 2), limit(C::G8Color, 4)};
constexpr Guard kG8DotCheck[] = {limit(C::Dot, 0), limit(C::G8Color, 2)};
constexpr Guard kG8RectCheck[] = {limit(C::Rect, 0), limit(C::Rect, 2), limit(C::G8Color, 4)};
constexpr Guard kG8TriangleCheck[] = {limit(C::Triangle, 0), limit(C::Triangle, 2), limit(C::Triangle, 4),
                                      limit(C::G8Color, 6)};
constexpr Guard kG8EllipseCheck[] = {limit(C::Ellipse, 0), limit(C::G8Color, 4)};
constexpr Guard kFourColorChecks[] = {limit(C::G8Color, 0), limit(C::G8Color, 1), limit(C::G8Color, 2),
                                      limit(C::G8Color, 3)};

// Data of the commands with a data phase.
constexpr Slot kColorPlane[] = {rec(0, D, 3, 3 * kColorPlaneEntries)};
constexpr Slot kColor[] = {rec(0, D, 3, 3)};
constexpr Slot kDispSize[] = {rec(0, D, 4), rec(1, D, 4)};
constexpr Slot kCursorPlace[] = {arg(0, D, 4), arg(1, D, 4)};
constexpr Slot kCursorColor[] = {arg(0, D, 3, 3)};
constexpr Slot kCursorF[] = {text("F")}, kCursorC[] = {text("C")}, kCursorB[] = {text("B")},
               kCursorA[] = {text("A")}, kCursorE[] = {text("E")}, kCursorD[] = {text("D")};

constexpr Flow Cmd = Flow::Cmd;
constexpr std::span<const Slot> none{};

} // namespace

namespace drawing {
// name, code, exchange, payload, data, checks, ',' between payload fields
const Row crtOn{"PG_CRTon", 0x21, Cmd, none};
const Row crtOff{"PG_CRToff", 0x22, Cmd, none};
const Row clrAllPlane{"PG_ClrAllPlane", 0x23, Cmd, none};
const Row clrColPlane{"PG_ClrColPlane", 0x24, Cmd, none};
const Row clrGPlane{"PG_ClrGPlane", 0x25, Cmd, none};
const Row drawCircle{"PG_DrawCircle", 0x18, Cmd, kCircle, none, kCircleCheck, true};
const Row clrCircle{"PG_ClrCircle", 0x12, Cmd, kCircle, none, kCircleCheck, true};
const Row fillCircle{"PG_FillCircle", 0xD4, Cmd, kCircle, none, kCircleCheck, true};
const Row eraseCircle{"PG_EraseCircle", 0xD5, Cmd, kCircle, none, kCircleCheck, true};
const Row drawLine{"PG_DrawLine", 0x19, Cmd, kLine, none, kLineCheck, true};
const Row clrLine{"PG_ClrLine", 0x13, Cmd, kLine, none, kLineCheck, true};
const Row drawDot{"PG_DrawDot", 0x1B, Cmd, kDot, none, kDotCheck, true};
const Row clrDot{"PG_ClrDot", 0x14, Cmd, kDot, none, kDotCheck, true};
const Row drawBoxPaint{"PG_DrawBoxPaint", 0x31, Cmd, kRect, none, kRectCheck, true};
const Row clrBoxPaint{"PG_ClrBoxPaint", 0x32, Cmd, kRect, none, kRectCheck, true};
const Row drawWindow{"PG_DrawWindow", 0x3C, Cmd, kRect, none, kRectCheck, true};
const Row clrWindow{"PG_ClrWindow", 0x2A, Cmd, kRect, none, kRectCheck, true};
const Row drawRect{"PG_DrawRect", 0xD0, Cmd, kRect, none, kRectCheck, true};
const Row clrRect{"PG_ClrRect", 0xD1, Cmd, kRect, none, kRectCheck, true};
const Row fillTriangle{"PG_FillTriangle", 0xD2, Cmd, kTriangle, none, kTriangleCheck, true};
const Row eraseTriangle{"PG_EraseTriangle", 0xD3, Cmd, kTriangle, none, kTriangleCheck, true};
const Row drawEllipse{"PG_DrawEllipse", 0xD6, Cmd, kEllipse, none, kEllipseCheck, true};
const Row clrEllipse{"PG_ClrEllipse", 0xD7, Cmd, kEllipse, none, kEllipseCheck, true};
const Row fillEllipse{"PG_FillEllipse", 0xD8, Cmd, kEllipse, none, kEllipseCheck, true};
const Row eraseEllipse{"PG_EraseEllipse", 0xD9, Cmd, kEllipse, none, kEllipseCheck, true};
const Row g1BitBlt{"PG_G1BitBlt", 0xDA, Cmd, kBitBlt, none, kBitBltCheck, true};
const Row g8DrawCircle{"PG_G8DrawCircle", 0xE0, Cmd, kG8Circle, none, kG8CircleCheck, true};
const Row g8FillCircle{"PG_G8FillCircle", 0xE6, Cmd, kG8Circle, none, kG8CircleCheck, true};
const Row g8DrawLine{"PG_G8DrawLine", 0xE1, Cmd, kG8Line, none, kG8LineCheck, true};
const Row g8DrawDot{"PG_G8DrawDot", 0xE2, Cmd, kG8Dot, none, kG8DotCheck, true};
const Row g8FillRect{"PG_G8FillRect", 0xE3, Cmd, kG8Rect, none, kG8RectCheck, true};
const Row g8DrawRect{"PG_G8DrawRect", 0xE4, Cmd, kG8Rect, none, kG8RectCheck, true};
const Row g8FillTriangle{"PG_G8FillTriangle", 0xE5, Cmd, kG8Triangle, none, kG8TriangleCheck, true};
const Row g8DrawEllipse{"PG_G8DrawEllipse", 0xE7, Cmd, kG8Ellipse, none, kG8EllipseCheck, true};
const Row g8FillEllipse{"PG_G8FillEllipse", 0xE8, Cmd, kG8Ellipse, none, kG8EllipseCheck, true};
const Row g8BitBlt{"PG_G8BitBlt", 0xE9, Cmd, kBitBlt, none, kBitBltCheck, true};
const Row g8Color{"PG_G8Color", 0xEA, Cmd, kOneDigit};
const Row g8DispMode{"PG_G8DispMode", 0xEB, Cmd, kOneDigit};
const Row g8Color2{"PG_G8Color2", 0xEC, Cmd, kFourColors, none, kFourColorChecks, true};
const Row incDirectDisp{"PG_IncDirectDisp", 0x29, Cmd, kIncrement};
const Row decDirectDisp{"PG_DecDirectDisp", 0x29, Cmd, kDecrement};
const Row signOnOff{"PG_SignOnOff", 0x0B, Cmd, kSignLetters};
const Row syncOnOff{"PG_SyncOnOff", 0x51, Cmd, kSyncFlags};

const Row setColorPlane{"PG_SetColorPlane", 0x26, Flow::Down, none, kColorPlane};
const Row setWindowColor{"PG_SetWindowColor", 0x3D, Flow::Down, none, kColor};
const Row setGraphicColor{"PG_SetGraphicColor", 0x3B, Flow::Down, none, kColor};
const Row getGPlaneDispSize{"PG_GetGPlaneDispSize", 0x28, Flow::Up, none, kDispSize};
const Row moveCur{"PG_MoveCur", 0x2E, Flow::Down, kCursorF, kCursorPlace};
const Row changeCurFormat{"PG_ChangeCurFormat", 0x2E, Flow::Down, kCursorC, kOneDigit};
const Row changeCurFlicker{"PG_ChangeCurFlicker", 0x2E, Flow::Down, kCursorB, kOneDigit};
const Row changeCurPosDisp{"PG_ChangeCurPosDisp", 0x2E, Flow::Down, kCursorA, kOneDigit};
const Row changeCurColor{"PG_ChangeCurColor", 0x2E, Flow::Down, kCursorE, kCursorColor};
const Row changeCurBackColor{"PG_ChangeCurBackColor", 0x2E, Flow::Down, kCursorD, kCursorColor};
} // namespace drawing

int drawCharacter(Link& link, int32_t code, int32_t x, int32_t y, const char* text) {
    const int32_t point[] = {x, y};
    if (code < 0 || code >= kCharacterCodes || link.limits().check(LimitCheck::Dot, link.memoryKind(), point) != 0)
        return kBadArgument;
    if (!text || !*text) return kBadArgument;
    const size_t length = std::strlen(text);
    // The text travels inside blocks, which its own terminator bytes would cut short.
    if (!wireSafe(text, length)) return kBadArgument;
    const std::string payload = freeUnsigned(code) + "," + freeUnsigned(x) + "," + freeUnsigned(y);
    return link.exchange([&](CommandProtocol& p) {
        return p.down(0x27, reinterpret_cast<const uint8_t*>(payload.data()), payload.size(),
                      reinterpret_cast<const uint8_t*>(text), length, kTextBlock, BlockForm::Dle);
    });
}

} // namespace genlink
