#ifndef LIMTAB_H
#define LIMTAB_H
/*
 * limtab: the smallest and largest allowed value of every numeric parameter
 * of the pattern generator named in the settings store (setstore's PGType).
 *
 * Conventions
 * - Every export returns an int32_t: 0 success, -41 a value out of range, a
 *   memory kind outside 0..4 or a null pointer. PGLIMIT_GetTableAddr returns
 *   the minimum table.
 * - PGLIMIT_SetTableLimit reads the model name and fills the tables; call it
 *   first (and again whenever the model changes). Until then every range is
 *   0..0.
 * - Memory kind: 0 memory card, 1..4 panel ROM of type 0..3 (kinds 1 and 2
 *   share their ranges).
 * - A value passes when min <= value <= max. A range of -1..-1 is one the
 *   model or memory kind does not have: it accepts only -1.
 * - Record checks take a pointer to the fields in order (the counts below)
 *   and fail on the first field out of range.
 * - Gets copy the maximums into their first output and the minimums into
 *   their second, each an array of the record's field count. PGLIMIT_GetHTiming
 *   reads the variant (0 or 1) from max[0] before filling both.
 * - The library is called from one thread at a time and keeps no pointer.
 * - No exception leaves the library: a failure inside it returns -41
 *   (PGLIMIT_GetTableAddr: null).
 */
#include <stdint.h>

#if defined(__GNUC__)
#define LIMTAB_API __attribute__((visibility("default")))
#else
#define LIMTAB_API
#endif

/* Field counts of the records. */
#define PGLIMIT_PROGNO_RANGES 4
#define PGLIMIT_PTNCHAR_FIELDS 5
#define PGLIMIT_CIRCLE_FIELDS 3
#define PGLIMIT_POINT_FIELDS 2 /* line, dot, rectangle, triangle */
#define PGLIMIT_ELLIPSE_FIELDS 4
#define PGLIMIT_BITBLT_FIELDS 6
#define PGLIMIT_HTIMING_FIELDS 8
#define PGLIMIT_VTIMING_FIELDS 11
#define PGLIMIT_VTIMINGH_FIELDS 11
#define PGLIMIT_OUTCTRL_FIELDS 20
#define PGLIMIT_OUTCTRL_DIGITAL_FIELDS 28
#define PGLIMIT_ACTION_FIELDS 24
#define PGLIMIT_CDC_FIELDS 9
#define PGLIMIT_PTN_GRAPHIC_FIELDS 6
#define PGLIMIT_PTN_CROSSHATCH_FIELDS 2
#define PGLIMIT_PTN_DOT_FIELDS 2
#define PGLIMIT_PTN_CIRCLE_FIELDS 1
#define PGLIMIT_PTN_BURST_FIELDS 3
#define PGLIMIT_PTN_WINDOW_FIELDS 10
#define PGLIMIT_PTN_OPTION1_FIELDS 1
#define PGLIMIT_PTN_OPTION2_FIELDS 1
#define PGLIMIT_PTN_COLORBAR_FIELDS 3
#define PGLIMIT_PTN_GRAYSCALE_FIELDS 2
#define PGLIMIT_PTN_HALFTONE_FIELDS 1
#define PGLIMIT_PTN_CURSOL_FIELDS 4
#define PGLIMIT_PTN_NAME_FIELDS 2

/* Entries of each of the two tables. */
#define PGLIMIT_TABLE_ENTRIES 260

#ifdef __cplusplus
extern "C" {
#endif

/* Reads the model name and fills both tables. Always 0. */
LIMTAB_API int32_t PGLIMIT_SetTableLimit(void);
/* The minimum table, PGLIMIT_TABLE_ENTRIES entries. */
LIMTAB_API const int32_t* PGLIMIT_GetTableAddr(void);

/* Checks by memory kind. A program number passes in range 1 of the kind or
 * in any of ranges 2..4 the kind has. */
LIMTAB_API int32_t PGLIMIT_CheckProgNo(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckGroupNo(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckGroupProgCnt(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckVbmNo(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckOptPtnNo(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckCharNo(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckProgNameLen(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckGroupNameLen(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckVBMNameLen(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckOptPtnNameLen(int32_t kind, int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckPtnChar(int32_t kind, const int32_t* values);

/* Checks of one value. */
LIMTAB_API int32_t PGLIMIT_CheckInProgNo(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckInCharNo(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckHighProgNo(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckHFreq(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckVFreq(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckG8Color(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckCDCNo(int32_t value);
LIMTAB_API int32_t PGLIMIT_CheckCDCNameLen(int32_t value);

/* Checks of a record. */
LIMTAB_API int32_t PGLIMIT_CheckCircle(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckLine(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckDot(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckRect(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckTriangle(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckEllipse(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckBitBlt(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnGraphic(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnCrossHatch(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnDot(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnCircle(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnBurst(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnWindow(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnOption1(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnOption2(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnColorBar(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnGrayScale(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnHalfTone(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnCursol(const int32_t* values);
LIMTAB_API int32_t PGLIMIT_CheckPtnName(const int32_t* values);

/* Gets by memory kind: maximums, then minimums. */
LIMTAB_API int32_t PGLIMIT_GetProgNo(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetGroupNo(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetGroupProgCnt(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetVbmNo(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetOptPtnNo(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetCharNo(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetProgNameLen(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetGroupNameLen(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetVBMNameLen(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetOptPtnNameLen(int32_t kind, int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnChar(int32_t kind, int32_t* max, int32_t* min);

/* Global gets: maximums, then minimums. */
LIMTAB_API int32_t PGLIMIT_GetInProgNo(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetInCharNo(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetHighProgNo(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetHFreq(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetVFreq(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetG8Color(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetCDCNo(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetCDCNameLen(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetCircle(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetLine(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetDot(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetRect(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetTriangle(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetEllipse(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetBitBlt(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetHTiming(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetVTiming(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetVTimingH(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetOutCtrl(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetOutCtrlDigital(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetAction(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetCDC(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnGraphic(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnCrossHatch(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnDot(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnCircle(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnBurst(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnWindow(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnOption1(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnOption2(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnColorBar(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnGrayScale(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnHalfTone(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnCursol(int32_t* max, int32_t* min);
LIMTAB_API int32_t PGLIMIT_GetPtnName(int32_t* max, int32_t* min);

#ifdef __cplusplus
}
#endif

#endif /* LIMTAB_H */
