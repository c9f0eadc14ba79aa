// The drawing and display exports: each runs one row of the drawing table
// with its arguments in order.
#include "genlink.h"
#include "genlink/drawing_commands.h"
#include "genlink/process_link.h"

using namespace genlink;

namespace {

// Runs a row over the export's arguments.
template <typename... Args> int32_t draw(const Row& row, Args... args) {
    const int32_t values[] = {static_cast<int32_t>(args)..., 0};
    return guardedExport([&](Link& l) { return runRow(l, row, {.args = values}); });
}

int32_t withRecord(const Row& row, const int32_t* record) {
    return guardedExport([&](Link& l) { return record ? runRow(l, row, {.in = record}) : kBadArgument; });
}

} // namespace

extern "C" {

int32_t PG_CRTon(void) { return draw(drawing::crtOn); }
int32_t PG_CRToff(void) { return draw(drawing::crtOff); }
int32_t PG_ClrAllPlane(void) { return draw(drawing::clrAllPlane); }
int32_t PG_ClrColPlane(void) { return draw(drawing::clrColPlane); }
int32_t PG_ClrGPlane(void) { return draw(drawing::clrGPlane); }

int32_t PG_DrawCircle(int32_t x, int32_t y, int32_t r) { return draw(drawing::drawCircle, x, y, r); }
int32_t PG_ClrCircle(int32_t x, int32_t y, int32_t r) { return draw(drawing::clrCircle, x, y, r); }
int32_t PG_FillCircle(int32_t x, int32_t y, int32_t r) { return draw(drawing::fillCircle, x, y, r); }
int32_t PG_EraseCircle(int32_t x, int32_t y, int32_t r) { return draw(drawing::eraseCircle, x, y, r); }
int32_t PG_DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return draw(drawing::drawLine, x1, y1, x2, y2); }
int32_t PG_ClrLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return draw(drawing::clrLine, x1, y1, x2, y2); }
int32_t PG_DrawDot(int32_t x, int32_t y) { return draw(drawing::drawDot, x, y); }
int32_t PG_ClrDot(int32_t x, int32_t y) { return draw(drawing::clrDot, x, y); }

int32_t PG_DrawBoxPaint(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return draw(drawing::drawBoxPaint, x1, y1, x2, y2);
}
int32_t PG_ClrBoxPaint(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return draw(drawing::clrBoxPaint, x1, y1, x2, y2);
}
int32_t PG_DrawWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return draw(drawing::drawWindow, x1, y1, x2, y2);
}
int32_t PG_ClrWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return draw(drawing::clrWindow, x1, y1, x2, y2); }
int32_t PG_DrawRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return draw(drawing::drawRect, x1, y1, x2, y2); }
int32_t PG_ClrRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return draw(drawing::clrRect, x1, y1, x2, y2); }

int32_t PG_FillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
    return draw(drawing::fillTriangle, x1, y1, x2, y2, x3, y3);
}
int32_t PG_EraseTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
    return draw(drawing::eraseTriangle, x1, y1, x2, y2, x3, y3);
}
int32_t PG_DrawEllipse(int32_t x, int32_t y, int32_t rx, int32_t ry) { return draw(drawing::drawEllipse, x, y, rx, ry); }
int32_t PG_ClrEllipse(int32_t x, int32_t y, int32_t rx, int32_t ry) { return draw(drawing::clrEllipse, x, y, rx, ry); }
int32_t PG_FillEllipse(int32_t x, int32_t y, int32_t rx, int32_t ry) { return draw(drawing::fillEllipse, x, y, rx, ry); }
int32_t PG_EraseEllipse(int32_t x, int32_t y, int32_t rx, int32_t ry) {
    return draw(drawing::eraseEllipse, x, y, rx, ry);
}
int32_t PG_G1BitBlt(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6) {
    return draw(drawing::g1BitBlt, a1, a2, a3, a4, a5, a6);
}

int32_t PG_G8DrawCircle(int32_t x, int32_t y, int32_t r, int32_t color) {
    return draw(drawing::g8DrawCircle, x, y, r, color);
}
int32_t PG_G8FillCircle(int32_t x, int32_t y, int32_t r, int32_t color) {
    return draw(drawing::g8FillCircle, x, y, r, color);
}
int32_t PG_G8DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color) {
    return draw(drawing::g8DrawLine, x1, y1, x2, y2, color);
}
int32_t PG_G8DrawDot(int32_t x, int32_t y, int32_t color) { return draw(drawing::g8DrawDot, x, y, color); }
int32_t PG_G8FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color) {
    return draw(drawing::g8FillRect, x1, y1, x2, y2, color);
}
int32_t PG_G8DrawRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color) {
    return draw(drawing::g8DrawRect, x1, y1, x2, y2, color);
}
int32_t PG_G8FillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t color) {
    return draw(drawing::g8FillTriangle, x1, y1, x2, y2, x3, y3, color);
}
int32_t PG_G8DrawEllipse(int32_t x, int32_t y, int32_t rx, int32_t ry, int32_t color) {
    return draw(drawing::g8DrawEllipse, x, y, rx, ry, color);
}
int32_t PG_G8FillEllipse(int32_t x, int32_t y, int32_t rx, int32_t ry, int32_t color) {
    return draw(drawing::g8FillEllipse, x, y, rx, ry, color);
}
int32_t PG_G8BitBlt(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6) {
    return draw(drawing::g8BitBlt, a1, a2, a3, a4, a5, a6);
}
int32_t PG_G8Color(int32_t value) { return draw(drawing::g8Color, value); }
int32_t PG_G8DispMode(int32_t value) { return draw(drawing::g8DispMode, value); }
int32_t PG_G8Color2(int32_t c1, int32_t c2, int32_t c3, int32_t c4) { return draw(drawing::g8Color2, c1, c2, c3, c4); }

int32_t PG_IncDirectDisp(void) { return draw(drawing::incDirectDisp); }
int32_t PG_DecDirectDisp(void) { return draw(drawing::decDirectDisp); }
int32_t PG_SignOnOff(int32_t f1, int32_t f2, int32_t f3, int32_t f4, int32_t f5, int32_t f6) {
    return draw(drawing::signOnOff, f1, f2, f3, f4, f5, f6);
}
int32_t PG_SyncOnOff(int32_t f1, int32_t f2, int32_t f3) { return draw(drawing::syncOnOff, f1, f2, f3); }

int32_t PG_DrawCharacter(int32_t code, int32_t x, int32_t y, const char* text) {
    return guardedExport([=](Link& l) { return drawCharacter(l, code, x, y, text); });
}
int32_t PG_SetColorPlane(const int32_t* table) { return withRecord(drawing::setColorPlane, table); }
int32_t PG_SetWindowColor(const int32_t* rgb) { return withRecord(drawing::setWindowColor, rgb); }
int32_t PG_SetGraphicColor(const int32_t* rgb) { return withRecord(drawing::setGraphicColor, rgb); }

int32_t PG_GetGPlaneDispSize(int32_t* width, int32_t* height) {
    return guardedExport([=](Link& l) {
        if (!width || !height) return kBadArgument;
        int32_t size[2];
        const int r = runRow(l, drawing::getGPlaneDispSize, {.out = size});
        if (r == kOk) *width = size[0], *height = size[1];
        return r;
    });
}

int32_t PG_MoveCur(int32_t x, int32_t y) { return draw(drawing::moveCur, x, y); }
int32_t PG_ChangeCurFormat(int32_t value) { return draw(drawing::changeCurFormat, value); }
int32_t PG_ChangeCurFlicker(int32_t value) { return draw(drawing::changeCurFlicker, value); }
int32_t PG_ChangeCurPosDisp(int32_t value) { return draw(drawing::changeCurPosDisp, value); }
int32_t PG_ChangeCurColor(int32_t r, int32_t g, int32_t b) { return draw(drawing::changeCurColor, r, g, b); }
int32_t PG_ChangeCurBackColor(int32_t r, int32_t g, int32_t b) { return draw(drawing::changeCurBackColor, r, g, b); }

} // extern "C"
