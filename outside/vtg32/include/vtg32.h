#ifndef VTG32_H
#define VTG32_H
/*
 * vtg32: the library of the timing-generator cards. A card is opened by its
 * number and loaded with text files: a timing file, a picture file and a
 * colour file.
 *
 * Conventions
 * - Cards are numbered from 1. Without the hardware the library emulates
 *   $VTG32_CARDS cards (read at each open; default 1, 0 = no card).
 * - A load reads the whole file and checks its form before the card takes
 *   it: a timing file must hold the lines of the timing form, a picture
 *   whose second line is "BOX" the lines of the box form, a colour table
 *   whose first line is the table header its 256 entries; any other picture
 *   or colour file must be non-empty text. Loads return 0 when the card took
 *   the file and 1 when the file is missing, malformed, or the card is not
 *   open.
 * - When $VTG32_LOG names a file, each load is appended to it as one line:
 *   "tim PATH RESULT", "pic PATH RESULT" or "col PATH RESULT", a failure
 *   followed by its reason in parentheses; opens and closes as "open CARD
 *   HANDLE" and "close HANDLE RESULT".
 * - Calls come from one thread at a time. Nothing is thrown; no pointer is
 *   kept after a call returns.
 */
#include <stdint.h>

#if defined(__GNUC__)
#define VTG32_API __attribute__((visibility("default")))
#else
#define VTG32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opens card `card` (a value outside 1..4 opens card 1). Returns its handle,
 * the card number, or -1 when that card is not present. Opening an open card
 * returns its handle again. */
VTG32_API int32_t VTG_OpenCard(int32_t card);

/* Closes the card of `handle`. Returns the card number to open it again
 * with: the handle, or 1 when the handle was not open. */
VTG32_API int32_t VTG_CloseCard(int32_t handle);

/* Loads a timing, picture or colour file (NUL-terminated path) into the card
 * of `handle`: 0 loaded, 1 failed. */
VTG32_API int16_t VTGFile_tim(int32_t handle, const char* path);
VTG32_API int16_t VTGFile_pic(int32_t handle, const char* path);
VTG32_API int16_t VTGFile_col(int32_t handle, const char* path);

#ifdef __cplusplus
}
#endif

#endif
