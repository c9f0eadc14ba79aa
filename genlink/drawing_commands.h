#pragma once
// The drawing and display commands: figures on the one-bit and 8-bit graphics
// planes, block transfers, colours, the cursor and the display switches. Each
// export is one row of the member table below, run by runRow; drawing text
// is the one command with a hand-written body.
#include <cstdint>

#include "genlink/command_rows.h"

namespace genlink {

namespace drawing {
extern const Row crtOn, crtOff, clrAllPlane, clrColPlane, clrGPlane;
extern const Row drawCircle, clrCircle, fillCircle, eraseCircle, drawLine, clrLine, drawDot, clrDot;
extern const Row drawBoxPaint, clrBoxPaint, drawWindow, clrWindow, drawRect, clrRect;
extern const Row fillTriangle, eraseTriangle, drawEllipse, clrEllipse, fillEllipse, eraseEllipse, g1BitBlt;
extern const Row g8DrawCircle, g8FillCircle, g8DrawLine, g8DrawDot, g8FillRect, g8DrawRect, g8FillTriangle,
    g8DrawEllipse, g8FillEllipse, g8BitBlt, g8Color, g8DispMode, g8Color2;
extern const Row incDirectDisp, decDirectDisp, signOnOff, syncOnOff;
extern const Row setColorPlane, setWindowColor, setGraphicColor, getGPlaneDispSize;
extern const Row moveCur, changeCurFormat, changeCurFlicker, changeCurPosDisp, changeCurColor, changeCurBackColor;
} // namespace drawing

constexpr int kCharacterCodes = 6;   // character codes 0..5
constexpr size_t kTextBlock = 128;   // text travels in DLE blocks of this size
constexpr int kColorPlaneEntries = 256;

// Text at (x, y) in one of the character codes.
int drawCharacter(Link& link, int32_t code, int32_t x, int32_t y, const char* text);

} // namespace genlink
