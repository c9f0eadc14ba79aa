#ifndef GENLINK_H
#define GENLINK_H
/*
 * genlink: drives one of the maker's video pattern generators over a serial
 * port, the parallel port or USB.
 *
 * Conventions
 * - Every export returns a result word (int32_t): bits 0-7 the result code
 *   (a signed byte, 0 = success), bits 8-15 the generator's own error number
 *   when the code is GENLINK_REFUSED and 0xFF otherwise, bits 16-31 zero.
 *   Success is therefore 0xFF00; test the low byte, e.g. GENLINK_CODE(r) == 0.
 * - Arguments are plain integers and pointers to records or buffers the caller
 *   owns; nothing is kept after a call returns and nothing the caller must
 *   free is ever returned.
 * - The link is process-wide and used by one thread at a time. Every export
 *   blocks until the generator answered or the operation failed.
 * - PG_Open takes the system-wide lock "PGTransMutex" (waiting at most
 *   5000 ms) and PG_Close releases it; pair every PG_Open with PG_Close.
 * - Exports that talk to the generator need an open link; on a closed link
 *   they fail with GENLINK_COMM_FAILED and touch no transport.
 * - The selections store their values in setstore and take effect at the
 *   next PG_Open (the memory kind at once); they work open or closed.
 * - Progress and cancel of long transfers go through setstore's Process
 *   values: any nonzero cancel value read during a transfer stops it.
 *
 * Environment: GENLINK_INSTANCE is appended to the lock's name (separate
 * instances, tests); GENLINK_USBLINK names the USB library file (default
 * libusblink.so beside this library).
 */
#include <stdint.h>

#if defined(__GNUC__)
#define GENLINK_API __attribute__((visibility("default")))
#else
#define GENLINK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes (low byte of the result word, as a signed byte). */
#define GENLINK_OK 0
#define GENLINK_READ_SETTING_FAILED (-20)
#define GENLINK_WRITE_SETTING_FAILED (-21)
#define GENLINK_BAD_ARGUMENT (-41)
#define GENLINK_NO_BUFFER (-42)
#define GENLINK_REPLY_TOO_LONG (-43)
#define GENLINK_OPEN_FAILED (-44)
#define GENLINK_CLOSE_FAILED (-45)
#define GENLINK_NO_GREETING (-46)
#define GENLINK_COMM_FAILED (-47)
#define GENLINK_REFUSED (-48)
#define GENLINK_CANCELLED (-49)
#define GENLINK_MUTEX_FAILED (-60)

#define GENLINK_CODE(word) ((int)(int8_t)((word) & 0xFF))
#define GENLINK_DETAIL(word) ((int)(((word) >> 8) & 0xFF))
#define GENLINK_SUCCESS 0xFF00

/* Transport ways of PG_SelectTransWay. */
#define GENLINK_WAY_SERIAL 0
#define GENLINK_WAY_PARALLEL 1
#define GENLINK_WAY_USB 2

/* Opens the link with the stored configuration and greets the generator. */
GENLINK_API int32_t PG_Open(void);
/* Closes the link and releases the system-wide lock. */
GENLINK_API int32_t PG_Close(void);
/* Stores the transport way, 0..2. */
GENLINK_API int32_t PG_SelectTransWay(int32_t way);
/* Stores the serial line: bit rate 9600, 19200 or 38400; character size 7 or
 * 8; stop bits 0 (one), 1 (one and a half), 2 (two); parity 0 none, 1 odd,
 * 2 even; port number from 1 (COM1). Note the order: stop bits before parity. */
GENLINK_API int32_t PG_SelectSeriConfig(int32_t bps, int32_t charSize, int32_t stopBits, int32_t parity,
                                        int32_t portNo);
/* Stores the addressed memory: device 0 memory card (type 0..5) or 1 panel
 * ROM (type 0..3); refreshes the memory kind. */
GENLINK_API int32_t PG_SelectDevice(int32_t device, int32_t type);
/* Stores the generator model by its type character: '=' '?' 'B' 'C' 'D' 'E'. */
GENLINK_API int32_t PG_SelectPGType(int32_t typeChar);

/* Programs and patterns.
 * Program numbers: a setter accepts 0 (the working buffer) and any program
 * of the addressed memory; getters and run commands accept programs of the
 * memory and the built-in ones, not 0. A bad number, a null pointer or a
 * memory kind outside 0..4 gives GENLINK_BAD_ARGUMENT before anything is
 * sent. Records are arrays of int32_t words owned by the caller:
 * PG_/PG2_ programs 118 words, PG3_ 143 (PG3_..2: 155), PG4_ 168
 * (PG4_..2: 115), _AnaDigi 188; a single-group record holds that group's
 * words. A getter fills the record only after a good exchange and answers
 * GENLINK_COMM_FAILED when the received text lacks a separator. */
GENLINK_API int32_t PG_SetProgram(int32_t program, const int32_t* record);
GENLINK_API int32_t PG2_SetProgram(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetProgram(int32_t program, int32_t* record);
GENLINK_API int32_t PG2_GetProgram(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetExeProgram(const int32_t* record);
GENLINK_API int32_t PG2_SetExeProgram(const int32_t* record);
GENLINK_API int32_t PG_ExeBufRAM(void);
GENLINK_API int32_t PG_ExeProgram(int32_t program);
GENLINK_API int32_t PG_ExeDirectDisp(int32_t program);
GENLINK_API int32_t PG_SetHTiming(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetHTiming(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetVTiming(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetVTiming(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetOutCtrl(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetOutCtrl(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnGraphic(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnGraphic(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnCharacter(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnCharacter(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnCrossHatch(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnCrossHatch(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnDot(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnDot(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnCircle(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnCircle(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnBurst(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnBurst(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnWindow(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnWindow(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnOption1(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnOption1(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnOption2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnOption2(int32_t program, int32_t* record);
GENLINK_API int32_t PG2_SetPtnOption1(int32_t program, const int32_t* record);
GENLINK_API int32_t PG2_GetPtnOption1(int32_t program, int32_t* record);
GENLINK_API int32_t PG2_SetPtnOption2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG2_GetPtnOption2(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnColorBar(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnColorBar(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnGrayScale(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnGrayScale(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetPtnHalfTone(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetPtnHalfTone(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetProgram(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetProgram(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetProgram2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetProgram2(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetExeProgram(const int32_t* record);
GENLINK_API int32_t PG3_SetExeProgram2(const int32_t* record);
GENLINK_API int32_t PG3_SetPtnGraphic(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnGraphic(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnCharacter(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnCharacter(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnCrossHatch(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnCrossHatch(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnDot(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnDot(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnCircle(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnCircle(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnOption1(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnOption1(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnOption2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnOption2(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnColorBar(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnColorBar(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnGrayScale(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnGrayScale(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetPtnCursol(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetPtnCursol(int32_t program, int32_t* record);
GENLINK_API int32_t PG3_SetOutCtrl(int32_t program, const int32_t* record);
GENLINK_API int32_t PG3_GetOutCtrl(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetProgram(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetProgram(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetProgram2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetProgram2(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetExeProgram(const int32_t* record);
GENLINK_API int32_t PG4_SetExeProgram2(const int32_t* record);
GENLINK_API int32_t PG4_SetPtnGraphic(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetPtnGraphic(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetPtnGraphic2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetPtnGraphic2(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetPtnOption1(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetPtnOption1(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetPtnOption2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetPtnOption2(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetPtnWindow(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetPtnWindow(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetPtnAction(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetPtnAction(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetOutCtrl(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetOutCtrl(int32_t program, int32_t* record);
GENLINK_API int32_t PG4_SetOutCtrl2(int32_t program, const int32_t* record);
GENLINK_API int32_t PG4_GetOutCtrl2(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetProgram_AnaDigi(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetProgram_AnaDigi(int32_t program, int32_t* record);
GENLINK_API int32_t PG_SetExeProgram_AnaDigi(const int32_t* record);
GENLINK_API int32_t PG_SetOutCtrl_AnaDigi(int32_t program, const int32_t* record);
GENLINK_API int32_t PG_GetOutCtrl_AnaDigi(int32_t program, int32_t* record);
/* Pattern selection: 22 words, each 0 or 1. */
GENLINK_API int32_t PG_SetPtnSelect(int32_t program, const int32_t* selection);
GENLINK_API int32_t PG_GetPtnSelect(int32_t program, int32_t* selection);
GENLINK_API int32_t PG3_SetPtnSelect(int32_t program, const int32_t* selection);
GENLINK_API int32_t PG3_GetPtnSelect(int32_t program, int32_t* selection);
/* Sign-on and sign-off codes: count > 0 bytes. */
GENLINK_API int32_t PG_SetPtnSignOn(const uint8_t* codes, int32_t count);
GENLINK_API int32_t PG_SetPtnSignOff(const uint8_t* codes, int32_t count);
/* User characters from code 224; the glyph is 1024 bytes, low 4 bits used. */
GENLINK_API int32_t PG_SetUserCharacter(int32_t code, const uint8_t* glyph);
GENLINK_API int32_t PG_GetUserCharacter(int32_t code, uint8_t* glyph);

#ifdef __cplusplus
}
#endif

#endif
