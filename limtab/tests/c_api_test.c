/* Compiled as C: every export of limtab is called through its header. Run
 * with XDG_CONFIG_HOME and SETSTORE_INSTANCE set by the caller. */
#include <stdio.h>
#include <string.h>

#include "limtab.h"
#include "setstore.h"

static int failures = 0;

#define CHECK(cond)                                                                     \
    do {                                                                                \
        if (!(cond)) {                                                                  \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);    \
            ++failures;                                                                 \
        }                                                                               \
    } while (0)

int main(void)
{
    int32_t max[PGLIMIT_TABLE_ENTRIES], min[PGLIMIT_TABLE_ENTRIES];
    int32_t buf[1] = {0};
    const int32_t chr[PGLIMIT_PTNCHAR_FIELDS] = {1, 2, 239, 1, 255};
    const int32_t dot[PGLIMIT_POINT_FIELDS] = {-1, 5};
    const int32_t* table;

    CHECK(REG_Init() == 0);
    CHECK(REG_WritePGType("PG-410") == 0);
    CHECK(PGLIMIT_SetTableLimit() == 0);
    table = PGLIMIT_GetTableAddr();
    CHECK(table != NULL);

    /* A few values with known answers. */
    CHECK(PGLIMIT_CheckProgNo(4, 620) == 0 && PGLIMIT_CheckProgNo(4, 650) == -41);
    CHECK(PGLIMIT_CheckPtnChar(0, chr) == 0);
    CHECK(PGLIMIT_CheckDot(dot) == -41 && PGLIMIT_CheckLine(dot) == 0);
    CHECK(PGLIMIT_GetInProgNo(max, min) == 0 && max[0] == 999 && min[0] == 850);
    max[0] = 1;
    CHECK(PGLIMIT_GetHTiming(max, min) == 0 && min[1] == 1000 && max[1] == 40000);
    max[0] = 7;
    CHECK(PGLIMIT_GetHTiming(max, min) == -41);

    /* Every other export. */
    CHECK(PGLIMIT_CheckProgNo(0, buf[0]) == 0 || PGLIMIT_CheckProgNo(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckGroupNo(0, buf[0]) == 0 || PGLIMIT_CheckGroupNo(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckGroupProgCnt(0, buf[0]) == 0 || PGLIMIT_CheckGroupProgCnt(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckVbmNo(0, buf[0]) == 0 || PGLIMIT_CheckVbmNo(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckOptPtnNo(0, buf[0]) == 0 || PGLIMIT_CheckOptPtnNo(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckCharNo(0, buf[0]) == 0 || PGLIMIT_CheckCharNo(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckProgNameLen(0, buf[0]) == 0 || PGLIMIT_CheckProgNameLen(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckGroupNameLen(0, buf[0]) == 0 || PGLIMIT_CheckGroupNameLen(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckVBMNameLen(0, buf[0]) == 0 || PGLIMIT_CheckVBMNameLen(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckOptPtnNameLen(0, buf[0]) == 0 || PGLIMIT_CheckOptPtnNameLen(0, buf[0]) == -41);
    CHECK(PGLIMIT_CheckPtnChar(0, NULL) == -41);
    CHECK(PGLIMIT_CheckInProgNo(0) == 0 || PGLIMIT_CheckInProgNo(0) == -41);
    CHECK(PGLIMIT_CheckInCharNo(0) == 0 || PGLIMIT_CheckInCharNo(0) == -41);
    CHECK(PGLIMIT_CheckHighProgNo(0) == 0 || PGLIMIT_CheckHighProgNo(0) == -41);
    CHECK(PGLIMIT_CheckHFreq(0) == 0 || PGLIMIT_CheckHFreq(0) == -41);
    CHECK(PGLIMIT_CheckVFreq(0) == 0 || PGLIMIT_CheckVFreq(0) == -41);
    CHECK(PGLIMIT_CheckG8Color(0) == 0 || PGLIMIT_CheckG8Color(0) == -41);
    CHECK(PGLIMIT_CheckCDCNo(0) == 0 || PGLIMIT_CheckCDCNo(0) == -41);
    CHECK(PGLIMIT_CheckCDCNameLen(0) == 0 || PGLIMIT_CheckCDCNameLen(0) == -41);
    CHECK(PGLIMIT_CheckCircle(NULL) == -41);
    CHECK(PGLIMIT_CheckLine(NULL) == -41);
    CHECK(PGLIMIT_CheckDot(NULL) == -41);
    CHECK(PGLIMIT_CheckRect(NULL) == -41);
    CHECK(PGLIMIT_CheckTriangle(NULL) == -41);
    CHECK(PGLIMIT_CheckEllipse(NULL) == -41);
    CHECK(PGLIMIT_CheckBitBlt(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnGraphic(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnCrossHatch(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnDot(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnCircle(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnBurst(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnWindow(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnOption1(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnOption2(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnColorBar(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnGrayScale(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnHalfTone(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnCursol(NULL) == -41);
    CHECK(PGLIMIT_CheckPtnName(NULL) == -41);
    CHECK(PGLIMIT_GetProgNo(0, max, min) == 0 && PGLIMIT_GetProgNo(5, max, min) == -41);
    CHECK(PGLIMIT_GetGroupNo(0, max, min) == 0 && PGLIMIT_GetGroupNo(5, max, min) == -41);
    CHECK(PGLIMIT_GetGroupProgCnt(0, max, min) == 0 && PGLIMIT_GetGroupProgCnt(5, max, min) == -41);
    CHECK(PGLIMIT_GetVbmNo(0, max, min) == 0 && PGLIMIT_GetVbmNo(5, max, min) == -41);
    CHECK(PGLIMIT_GetOptPtnNo(0, max, min) == 0 && PGLIMIT_GetOptPtnNo(5, max, min) == -41);
    CHECK(PGLIMIT_GetCharNo(0, max, min) == 0 && PGLIMIT_GetCharNo(5, max, min) == -41);
    CHECK(PGLIMIT_GetProgNameLen(0, max, min) == 0 && PGLIMIT_GetProgNameLen(5, max, min) == -41);
    CHECK(PGLIMIT_GetGroupNameLen(0, max, min) == 0 && PGLIMIT_GetGroupNameLen(5, max, min) == -41);
    CHECK(PGLIMIT_GetVBMNameLen(0, max, min) == 0 && PGLIMIT_GetVBMNameLen(5, max, min) == -41);
    CHECK(PGLIMIT_GetOptPtnNameLen(0, max, min) == 0 && PGLIMIT_GetOptPtnNameLen(5, max, min) == -41);
    CHECK(PGLIMIT_GetPtnChar(0, max, min) == 0 && PGLIMIT_GetPtnChar(5, max, min) == -41);
    CHECK(PGLIMIT_GetInProgNo(max, min) == 0 && PGLIMIT_GetInProgNo(NULL, min) == -41);
    CHECK(PGLIMIT_GetInCharNo(max, min) == 0 && PGLIMIT_GetInCharNo(NULL, min) == -41);
    CHECK(PGLIMIT_GetHighProgNo(max, min) == 0 && PGLIMIT_GetHighProgNo(NULL, min) == -41);
    CHECK(PGLIMIT_GetHFreq(max, min) == 0 && PGLIMIT_GetHFreq(NULL, min) == -41);
    CHECK(PGLIMIT_GetVFreq(max, min) == 0 && PGLIMIT_GetVFreq(NULL, min) == -41);
    CHECK(PGLIMIT_GetG8Color(max, min) == 0 && PGLIMIT_GetG8Color(NULL, min) == -41);
    CHECK(PGLIMIT_GetCDCNo(max, min) == 0 && PGLIMIT_GetCDCNo(NULL, min) == -41);
    CHECK(PGLIMIT_GetCDCNameLen(max, min) == 0 && PGLIMIT_GetCDCNameLen(NULL, min) == -41);
    CHECK(PGLIMIT_GetCircle(max, min) == 0 && PGLIMIT_GetCircle(NULL, min) == -41);
    CHECK(PGLIMIT_GetLine(max, min) == 0 && PGLIMIT_GetLine(NULL, min) == -41);
    CHECK(PGLIMIT_GetDot(max, min) == 0 && PGLIMIT_GetDot(NULL, min) == -41);
    CHECK(PGLIMIT_GetRect(max, min) == 0 && PGLIMIT_GetRect(NULL, min) == -41);
    CHECK(PGLIMIT_GetTriangle(max, min) == 0 && PGLIMIT_GetTriangle(NULL, min) == -41);
    CHECK(PGLIMIT_GetEllipse(max, min) == 0 && PGLIMIT_GetEllipse(NULL, min) == -41);
    CHECK(PGLIMIT_GetBitBlt(max, min) == 0 && PGLIMIT_GetBitBlt(NULL, min) == -41);
    CHECK(PGLIMIT_GetVTiming(max, min) == 0 && PGLIMIT_GetVTiming(NULL, min) == -41);
    CHECK(PGLIMIT_GetVTimingH(max, min) == 0 && PGLIMIT_GetVTimingH(NULL, min) == -41);
    CHECK(PGLIMIT_GetOutCtrl(max, min) == 0 && PGLIMIT_GetOutCtrl(NULL, min) == -41);
    CHECK(PGLIMIT_GetOutCtrlDigital(max, min) == 0 && PGLIMIT_GetOutCtrlDigital(NULL, min) == -41);
    CHECK(PGLIMIT_GetAction(max, min) == 0 && PGLIMIT_GetAction(NULL, min) == -41);
    CHECK(PGLIMIT_GetCDC(max, min) == 0 && PGLIMIT_GetCDC(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnGraphic(max, min) == 0 && PGLIMIT_GetPtnGraphic(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnCrossHatch(max, min) == 0 && PGLIMIT_GetPtnCrossHatch(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnDot(max, min) == 0 && PGLIMIT_GetPtnDot(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnCircle(max, min) == 0 && PGLIMIT_GetPtnCircle(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnBurst(max, min) == 0 && PGLIMIT_GetPtnBurst(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnWindow(max, min) == 0 && PGLIMIT_GetPtnWindow(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnOption1(max, min) == 0 && PGLIMIT_GetPtnOption1(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnOption2(max, min) == 0 && PGLIMIT_GetPtnOption2(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnColorBar(max, min) == 0 && PGLIMIT_GetPtnColorBar(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnGrayScale(max, min) == 0 && PGLIMIT_GetPtnGrayScale(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnHalfTone(max, min) == 0 && PGLIMIT_GetPtnHalfTone(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnCursol(max, min) == 0 && PGLIMIT_GetPtnCursol(NULL, min) == -41);
    CHECK(PGLIMIT_GetPtnName(max, min) == 0 && PGLIMIT_GetPtnName(NULL, min) == -41);

    REG_Terminate();
    if (failures)
        fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
