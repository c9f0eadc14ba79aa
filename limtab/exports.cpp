// The C exports: each forwards to the library's tables through the exception
// guard (a throw becomes -41).
#include <cstring>

#include "limtab.h"
#include "limtab/export_guard.h"
#include "limtab/limit_tables.h"
#include "limtab/limit_values.h"
#include "setstore.h"

using limtab::LimitTables;
using limtab::Section;

namespace {

const LimitTables& tables() { return LimitTables::instance(); }

template <typename Body> int32_t guarded(Body&& body) noexcept
{
    return limtab::guardedExport(limtab::kLimitFailed, body);
}

} // namespace

extern "C" {

int32_t PGLIMIT_SetTableLimit(void)
{
    return guarded([] {
        char name[256];
        std::memset(name, 0, sizeof name);
        REG_ReadPGType(name); // an unreadable name stays empty and gives 'D'
        LimitTables::instance().fill(limtab::typeCharacterFor(name, sizeof name));
        return 0;
    });
}

const int32_t* PGLIMIT_GetTableAddr(void)
{
    return limtab::guardedExport<const int32_t*>(nullptr, [] { return tables().minimums(); });
}

int32_t PGLIMIT_CheckProgNo(int32_t kind, int32_t value) { return guarded([=] { return tables().checkProgNo(kind, value); }); }
int32_t PGLIMIT_GetHTiming(int32_t* max, int32_t* min) { return guarded([=] { return tables().getHTiming(max, min); }); }

int32_t PGLIMIT_CheckGroupNo(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::GroupNo, kind, value); }); }
int32_t PGLIMIT_CheckGroupProgCnt(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::GroupProgCnt, kind, value); }); }
int32_t PGLIMIT_CheckVbmNo(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::VbmNo, kind, value); }); }
int32_t PGLIMIT_CheckOptPtnNo(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::OptPtnNo, kind, value); }); }
int32_t PGLIMIT_CheckCharNo(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::CharNo, kind, value); }); }
int32_t PGLIMIT_CheckProgNameLen(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::ProgNameLen, kind, value); }); }
int32_t PGLIMIT_CheckGroupNameLen(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::GroupNameLen, kind, value); }); }
int32_t PGLIMIT_CheckVBMNameLen(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::VBMNameLen, kind, value); }); }
int32_t PGLIMIT_CheckOptPtnNameLen(int32_t kind, int32_t value) { return guarded([=] { return tables().checkOne(Section::OptPtnNameLen, kind, value); }); }
int32_t PGLIMIT_CheckPtnChar(int32_t kind, const int32_t* values) { return guarded([=] { return tables().check(Section::PtnChar, kind, values); }); }
int32_t PGLIMIT_CheckInProgNo(int32_t value) { return guarded([=] { return tables().checkOne(Section::InProgNo, 0, value); }); }
int32_t PGLIMIT_CheckInCharNo(int32_t value) { return guarded([=] { return tables().checkOne(Section::InCharNo, 0, value); }); }
int32_t PGLIMIT_CheckHighProgNo(int32_t value) { return guarded([=] { return tables().checkOne(Section::HighProgNo, 0, value); }); }
int32_t PGLIMIT_CheckHFreq(int32_t value) { return guarded([=] { return tables().checkOne(Section::HFreq, 0, value); }); }
int32_t PGLIMIT_CheckVFreq(int32_t value) { return guarded([=] { return tables().checkOne(Section::VFreq, 0, value); }); }
int32_t PGLIMIT_CheckG8Color(int32_t value) { return guarded([=] { return tables().checkOne(Section::G8Color, 0, value); }); }
int32_t PGLIMIT_CheckCDCNo(int32_t value) { return guarded([=] { return tables().checkOne(Section::CDCNo, 0, value); }); }
int32_t PGLIMIT_CheckCDCNameLen(int32_t value) { return guarded([=] { return tables().checkOne(Section::CDCNameLen, 0, value); }); }
int32_t PGLIMIT_CheckCircle(const int32_t* values) { return guarded([=] { return tables().check(Section::Circle, 0, values); }); }
int32_t PGLIMIT_CheckLine(const int32_t* values) { return guarded([=] { return tables().check(Section::Line, 0, values); }); }
int32_t PGLIMIT_CheckDot(const int32_t* values) { return guarded([=] { return tables().check(Section::Dot, 0, values); }); }
int32_t PGLIMIT_CheckRect(const int32_t* values) { return guarded([=] { return tables().check(Section::Rect, 0, values); }); }
int32_t PGLIMIT_CheckTriangle(const int32_t* values) { return guarded([=] { return tables().check(Section::Triangle, 0, values); }); }
int32_t PGLIMIT_CheckEllipse(const int32_t* values) { return guarded([=] { return tables().check(Section::Ellipse, 0, values); }); }
int32_t PGLIMIT_CheckBitBlt(const int32_t* values) { return guarded([=] { return tables().check(Section::BitBlt, 0, values); }); }
int32_t PGLIMIT_CheckPtnGraphic(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnGraphic, 0, values); }); }
int32_t PGLIMIT_CheckPtnCrossHatch(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnCrossHatch, 0, values); }); }
int32_t PGLIMIT_CheckPtnDot(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnDot, 0, values); }); }
int32_t PGLIMIT_CheckPtnCircle(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnCircle, 0, values); }); }
int32_t PGLIMIT_CheckPtnBurst(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnBurst, 0, values); }); }
int32_t PGLIMIT_CheckPtnWindow(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnWindow, 0, values); }); }
int32_t PGLIMIT_CheckPtnOption1(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnOption1, 0, values); }); }
int32_t PGLIMIT_CheckPtnOption2(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnOption2, 0, values); }); }
int32_t PGLIMIT_CheckPtnColorBar(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnColorBar, 0, values); }); }
int32_t PGLIMIT_CheckPtnGrayScale(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnGrayScale, 0, values); }); }
int32_t PGLIMIT_CheckPtnHalfTone(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnHalfTone, 0, values); }); }
int32_t PGLIMIT_CheckPtnCursol(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnCursol, 0, values); }); }
int32_t PGLIMIT_CheckPtnName(const int32_t* values) { return guarded([=] { return tables().check(Section::PtnName, 0, values); }); }
int32_t PGLIMIT_GetProgNo(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::ProgNo, kind, max, min); }); }
int32_t PGLIMIT_GetGroupNo(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::GroupNo, kind, max, min); }); }
int32_t PGLIMIT_GetGroupProgCnt(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::GroupProgCnt, kind, max, min); }); }
int32_t PGLIMIT_GetVbmNo(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::VbmNo, kind, max, min); }); }
int32_t PGLIMIT_GetOptPtnNo(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::OptPtnNo, kind, max, min); }); }
int32_t PGLIMIT_GetCharNo(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::CharNo, kind, max, min); }); }
int32_t PGLIMIT_GetProgNameLen(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::ProgNameLen, kind, max, min); }); }
int32_t PGLIMIT_GetGroupNameLen(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::GroupNameLen, kind, max, min); }); }
int32_t PGLIMIT_GetVBMNameLen(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::VBMNameLen, kind, max, min); }); }
int32_t PGLIMIT_GetOptPtnNameLen(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::OptPtnNameLen, kind, max, min); }); }
int32_t PGLIMIT_GetPtnChar(int32_t kind, int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnChar, kind, max, min); }); }
int32_t PGLIMIT_GetInProgNo(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::InProgNo, 0, max, min); }); }
int32_t PGLIMIT_GetInCharNo(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::InCharNo, 0, max, min); }); }
int32_t PGLIMIT_GetHighProgNo(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::HighProgNo, 0, max, min); }); }
int32_t PGLIMIT_GetHFreq(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::HFreq, 0, max, min); }); }
int32_t PGLIMIT_GetVFreq(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::VFreq, 0, max, min); }); }
int32_t PGLIMIT_GetG8Color(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::G8Color, 0, max, min); }); }
int32_t PGLIMIT_GetCDCNo(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::CDCNo, 0, max, min); }); }
int32_t PGLIMIT_GetCDCNameLen(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::CDCNameLen, 0, max, min); }); }
int32_t PGLIMIT_GetCircle(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Circle, 0, max, min); }); }
int32_t PGLIMIT_GetLine(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Line, 0, max, min); }); }
int32_t PGLIMIT_GetDot(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Dot, 0, max, min); }); }
int32_t PGLIMIT_GetRect(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Rect, 0, max, min); }); }
int32_t PGLIMIT_GetTriangle(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Triangle, 0, max, min); }); }
int32_t PGLIMIT_GetEllipse(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Ellipse, 0, max, min); }); }
int32_t PGLIMIT_GetBitBlt(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::BitBlt, 0, max, min); }); }
int32_t PGLIMIT_GetVTiming(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::VTiming, 0, max, min); }); }
int32_t PGLIMIT_GetVTimingH(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::VTimingH, 0, max, min); }); }
int32_t PGLIMIT_GetOutCtrl(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::OutCtrl, 0, max, min); }); }
int32_t PGLIMIT_GetOutCtrlDigital(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::OutCtrlDigital, 0, max, min); }); }
int32_t PGLIMIT_GetAction(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::Action, 0, max, min); }); }
int32_t PGLIMIT_GetCDC(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::CDC, 0, max, min); }); }
int32_t PGLIMIT_GetPtnGraphic(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnGraphic, 0, max, min); }); }
int32_t PGLIMIT_GetPtnCrossHatch(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnCrossHatch, 0, max, min); }); }
int32_t PGLIMIT_GetPtnDot(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnDot, 0, max, min); }); }
int32_t PGLIMIT_GetPtnCircle(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnCircle, 0, max, min); }); }
int32_t PGLIMIT_GetPtnBurst(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnBurst, 0, max, min); }); }
int32_t PGLIMIT_GetPtnWindow(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnWindow, 0, max, min); }); }
int32_t PGLIMIT_GetPtnOption1(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnOption1, 0, max, min); }); }
int32_t PGLIMIT_GetPtnOption2(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnOption2, 0, max, min); }); }
int32_t PGLIMIT_GetPtnColorBar(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnColorBar, 0, max, min); }); }
int32_t PGLIMIT_GetPtnGrayScale(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnGrayScale, 0, max, min); }); }
int32_t PGLIMIT_GetPtnHalfTone(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnHalfTone, 0, max, min); }); }
int32_t PGLIMIT_GetPtnCursol(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnCursol, 0, max, min); }); }
int32_t PGLIMIT_GetPtnName(int32_t* max, int32_t* min) { return guarded([=] { return tables().get(Section::PtnName, 0, max, min); }); }

} // extern "C"
