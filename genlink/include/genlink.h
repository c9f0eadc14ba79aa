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

/* Drawing and display.
 * Numbers travel as decimal text. Coordinates and sizes are checked against
 * the limit tables (limtab) before anything is sent: circles, lines, dots,
 * rectangles (boxes, windows), triangles, ellipses, block transfers and 8-bit
 * colour indexes 0..255; a refused value gives GENLINK_BAD_ARGUMENT. Values
 * sent as fixed digits (colours and cursor values) must fit their digits:
 * one digit 0..9, three 0..999, four 0..9999. Flags are 0 or 1. */
GENLINK_API int32_t PG_CRTon(void);
GENLINK_API int32_t PG_CRToff(void);
GENLINK_API int32_t PG_ClrAllPlane(void);
GENLINK_API int32_t PG_ClrColPlane(void);
GENLINK_API int32_t PG_ClrGPlane(void);
/* The one-bit graphics plane. */
GENLINK_API int32_t PG_DrawCircle(int32_t x, int32_t y, int32_t radius);
GENLINK_API int32_t PG_ClrCircle(int32_t x, int32_t y, int32_t radius);
GENLINK_API int32_t PG_FillCircle(int32_t x, int32_t y, int32_t radius);
GENLINK_API int32_t PG_EraseCircle(int32_t x, int32_t y, int32_t radius);
GENLINK_API int32_t PG_DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_ClrLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_DrawDot(int32_t x, int32_t y);
GENLINK_API int32_t PG_ClrDot(int32_t x, int32_t y);
GENLINK_API int32_t PG_DrawBoxPaint(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_ClrBoxPaint(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_DrawWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_ClrWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_DrawRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_ClrRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
GENLINK_API int32_t PG_FillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
GENLINK_API int32_t PG_EraseTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
GENLINK_API int32_t PG_DrawEllipse(int32_t x, int32_t y, int32_t xRadius, int32_t yRadius);
GENLINK_API int32_t PG_ClrEllipse(int32_t x, int32_t y, int32_t xRadius, int32_t yRadius);
GENLINK_API int32_t PG_FillEllipse(int32_t x, int32_t y, int32_t xRadius, int32_t yRadius);
GENLINK_API int32_t PG_EraseEllipse(int32_t x, int32_t y, int32_t xRadius, int32_t yRadius);
/* Block transfer: a1..a6 are checked in this order and sent as a3..a6, a1, a2. */
GENLINK_API int32_t PG_G1BitBlt(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6);
/* The 8-bit plane: the last argument is the colour index. */
GENLINK_API int32_t PG_G8DrawCircle(int32_t x, int32_t y, int32_t radius, int32_t color);
GENLINK_API int32_t PG_G8FillCircle(int32_t x, int32_t y, int32_t radius, int32_t color);
GENLINK_API int32_t PG_G8DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color);
GENLINK_API int32_t PG_G8DrawDot(int32_t x, int32_t y, int32_t color);
GENLINK_API int32_t PG_G8FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color);
GENLINK_API int32_t PG_G8DrawRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color);
GENLINK_API int32_t PG_G8FillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                                      int32_t color);
GENLINK_API int32_t PG_G8DrawEllipse(int32_t x, int32_t y, int32_t xRadius, int32_t yRadius, int32_t color);
GENLINK_API int32_t PG_G8FillEllipse(int32_t x, int32_t y, int32_t xRadius, int32_t yRadius, int32_t color);
GENLINK_API int32_t PG_G8BitBlt(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6);
GENLINK_API int32_t PG_G8Color(int32_t value);
GENLINK_API int32_t PG_G8DispMode(int32_t value);
GENLINK_API int32_t PG_G8Color2(int32_t color1, int32_t color2, int32_t color3, int32_t color4);
GENLINK_API int32_t PG_IncDirectDisp(void);
GENLINK_API int32_t PG_DecDirectDisp(void);
/* Six sign-on flags; the letters ^ _ ` e f g of those set to 1 are sent. */
GENLINK_API int32_t PG_SignOnOff(int32_t f1, int32_t f2, int32_t f3, int32_t f4, int32_t f5, int32_t f6);
GENLINK_API int32_t PG_SyncOnOff(int32_t f1, int32_t f2, int32_t f3);
/* Text in character code 0..5 at a dot position; the text is not empty and
 * holds neither ETX (0x03) nor ETB (0x17). */
GENLINK_API int32_t PG_DrawCharacter(int32_t code, int32_t x, int32_t y, const char* text);
/* 256 entries of three values 0..999. */
GENLINK_API int32_t PG_SetColorPlane(const int32_t* table);
/* Three values 0..999. */
GENLINK_API int32_t PG_SetWindowColor(const int32_t* rgb);
GENLINK_API int32_t PG_SetGraphicColor(const int32_t* rgb);
GENLINK_API int32_t PG_GetGPlaneDispSize(int32_t* width, int32_t* height);
/* The cursor: position 0..9999 each, single values 0..9, colours 0..999. */
GENLINK_API int32_t PG_MoveCur(int32_t x, int32_t y);
GENLINK_API int32_t PG_ChangeCurFormat(int32_t value);
GENLINK_API int32_t PG_ChangeCurFlicker(int32_t value);
GENLINK_API int32_t PG_ChangeCurPosDisp(int32_t value);
GENLINK_API int32_t PG_ChangeCurColor(int32_t red, int32_t green, int32_t blue);
GENLINK_API int32_t PG_ChangeCurBackColor(int32_t red, int32_t green, int32_t blue);

/* Memory, groups and configuration.
 * Program numbers follow the rules above (a setter accepts 0 and programs of
 * the memory; a getter or run command also built-in programs, not 0);
 * PG_ProgEnable accepts programs of the memory only. Group, bitmap-slot,
 * option-pattern, high-speed program and CDC numbers are checked against the
 * limit tables; numbers sent as fixed digits must fit them (a program number
 * in the memory kind's width, a group of PG_SetGroup in one digit, a slot in
 * two). Names are cut to their field (PG_: 8 characters, PG406_: 15, both
 * padded with blanks) or to the limit table's maximum for their kind of name
 * (PG4_ program names also to 16); a name holds neither ETX nor ETB. Name
 * buffers hold the field plus the terminator (9 and 16 bytes), or the
 * maximum plus one (21 for every model's tables; PG4_GetProgName 17).
 * A getter fills its outputs only after a good exchange. */
GENLINK_API int32_t PG_ProgEnable(int32_t program, int32_t flag);
GENLINK_API int32_t PG_GetProgEnable(int32_t program, int32_t* flag);
GENLINK_API int32_t PG_SetProgName(int32_t program, const char* name);
/* The 8 characters as received, terminated. */
GENLINK_API int32_t PG_GetProgName(int32_t program, char* name);
/* Groups 1..9 of 20 program numbers (0 and numbers that fit the width). */
GENLINK_API int32_t PG_SetGroup(int32_t group, const int32_t* programs);
GENLINK_API int32_t PG_GetGroup(int32_t group, int32_t* programs);
GENLINK_API int32_t PG_SetHighProg(int32_t program1, int32_t program2, int32_t program3, int32_t program4);
GENLINK_API int32_t PG_ExeHighProg(int32_t number);
/* Seven words: word 0 0..999, words 1..6 program numbers. A reply of 21
 * characters carries three-digit program numbers, a shorter one two. */
GENLINK_API int32_t PG_SetAutoDisp(const int32_t* record);
GENLINK_API int32_t PG_GetAutoDisp(int32_t* record);
/* One digit other than 2 (the wire form of the query). */
GENLINK_API int32_t PG_SetAnaDigiMode(int32_t mode);
GENLINK_API int32_t PG_GetAnaDigiMode(int32_t* mode);
GENLINK_API int32_t PG_GetPGID(uint8_t* id);
/* 64 bitmap slots of 5 words; 128 option patterns of 2 words. */
GENLINK_API int32_t PG_GetVBMSts(int32_t* records);
GENLINK_API int32_t PG_GetOptPtnSts(int32_t* records);
/* Image records: colour tables are 256 entries of 4 bytes (red, green, blue,
 * unused; read back 0). A getter reports the full length the generator sent;
 * when that exceeds the capacity it answers GENLINK_REPLY_TOO_LONG with the
 * header, the colour table and the image bytes that fitted.
 * Graphic patterns: header[0] a byte of the record's header, header[1] the
 * colour-table flag (0 sends an all-zero table; colors may then be null);
 * slots pass the option-pattern check and travel in two digits. */
GENLINK_API int32_t PG_SetGpcPtn(int32_t slot, const int32_t* header, const uint8_t* colors, const uint8_t* image,
                                 int32_t length);
GENLINK_API int32_t PG_GetGpcPtn(int32_t slot, int32_t* header, uint8_t* colors, uint8_t* image, int32_t capacity,
                                 int32_t* length);
/* Monitor identification data: count 1..999 bytes from address 0..0xFFFF;
 * the selector's low byte is sent as it is and may be neither STX nor ETX. */
GENLINK_API int32_t PG_GetDDC1(int32_t selector, int32_t address, int32_t count, uint8_t* buffer);
GENLINK_API int32_t PG_GetDDC2B(int32_t selector, int32_t address, int32_t count, uint8_t* buffer);
GENLINK_API int32_t PG_SetDDC2B(int32_t selector, int32_t address, int32_t count, const uint8_t* bytes);
/* CDC records of nine values 0..99999. */
GENLINK_API int32_t PG_SetCDC(int32_t number, const int32_t* record);
GENLINK_API int32_t PG_GetCDC(int32_t number, int32_t* record);
GENLINK_API int32_t PG_SetCDCName(int32_t number, const char* name);
GENLINK_API int32_t PG_GetCDCName(int32_t number, char* name);
/* Configuration: eight words, word 2 0..99, the others 0..9. */
GENLINK_API int32_t PG3_SetConfig(const int32_t* record);
GENLINK_API int32_t PG3_GetConfig(int32_t* record);
GENLINK_API int32_t PG3_SetDevice(int32_t device);
GENLINK_API int32_t PG3_GetDevice(int32_t* first, int32_t* second);
GENLINK_API int32_t PG3_MemCardFormat(void);
GENLINK_API int32_t PG3_SetProgName(int32_t program, int32_t flag1, int32_t flag2, const char* name);
GENLINK_API int32_t PG3_GetProgName(int32_t program, int32_t* flag1, int32_t* flag2, char* name);
/* Group lists: two numbers 0..999 per program of a group; count is the
 * group's program count (the limit tables' maximum) or twice it, and the
 * array holds twice that many numbers either way. */
GENLINK_API int32_t PG3_SetGroup(int32_t group, const int32_t* pairs, int32_t count);
GENLINK_API int32_t PG3_GetGroup(int32_t group, int32_t* pairs, int32_t count);
GENLINK_API int32_t PG3_SetGroupName(int32_t group, const char* name);
GENLINK_API int32_t PG3_GetGroupName(int32_t group, char* name);
/* Bitmaps of width x height bytes, each side 1..65535. */
GENLINK_API int32_t PG3_SetVBM(int32_t slot, const uint8_t* colors, const uint8_t* image, int32_t width,
                               int32_t height);
GENLINK_API int32_t PG3_GetVBM(int32_t slot, uint8_t* colors, uint8_t* image, int32_t capacity, int32_t* width,
                               int32_t* height);
GENLINK_API int32_t PG3_DelVBM(int32_t slot);
GENLINK_API int32_t PG3_DelAllVBM(void);
GENLINK_API int32_t PG3_SetVBMName(int32_t slot, const char* name);
GENLINK_API int32_t PG3_GetVBMName(int32_t slot, char* name);
GENLINK_API int32_t PG3_GetVBMSize(int32_t slot, int32_t* size);
/* Option patterns: the caller's record bytes as they are. */
GENLINK_API int32_t PG3_SetOptPtn(int32_t number, const uint8_t* bytes, int32_t length);
GENLINK_API int32_t PG3_GetOptPtn(int32_t number, uint8_t* bytes, int32_t capacity, int32_t* length);
GENLINK_API int32_t PG3_DelOptPtn(int32_t number);
GENLINK_API int32_t PG3_DelAllOptPtn(void);
GENLINK_API int32_t PG3_SetOptPtnName(int32_t number, const char* name);
GENLINK_API int32_t PG3_GetOptPtnName(int32_t number, char* name);
GENLINK_API int32_t PG3_GetOptPtnSize(int32_t number, int32_t* size);
GENLINK_API int32_t PG4_SetGroup(int32_t group, const int32_t* pairs, int32_t count);
GENLINK_API int32_t PG4_GetGroup(int32_t group, int32_t* pairs, int32_t count);
GENLINK_API int32_t PG4_SetProgName(int32_t program, const char* name);
GENLINK_API int32_t PG4_GetProgName(int32_t program, char* name);
GENLINK_API int32_t PG4_SetVBM(int32_t slot, const uint8_t* colors, const uint8_t* image, int32_t width,
                               int32_t height);
GENLINK_API int32_t PG4_GetVBM(int32_t slot, uint8_t* colors, uint8_t* image, int32_t capacity, int32_t* width,
                               int32_t* height);

/* The 406 model. Names of 15 characters come back without trailing blanks. */
typedef struct {
    char name[16];
    int32_t value[8];
} PG406_PROGLIST;
typedef struct {
    char name[16];
    char name2[16];
    int32_t value[7];
} PG406_INPROGLIST;

GENLINK_API int32_t PG406_SetGroupName(int32_t group, const char* name);
GENLINK_API int32_t PG406_GetGroupName(int32_t group, char* name);
GENLINK_API int32_t PG406_GetDSW(uint8_t* dsw);
GENLINK_API int32_t PG406_ExeProgramByStatus(int32_t program, int32_t status);
GENLINK_API int32_t PG406_GetProgList(int32_t program, PG406_PROGLIST* entry);
/* 160 entries. */
GENLINK_API int32_t PG406_GetAllProgList(PG406_PROGLIST* entries);
/* 100 entries. */
GENLINK_API int32_t PG406_GetAllInProgList(PG406_INPROGLIST* entries);
/* 65536 bytes. */
GENLINK_API int32_t PG406_SetPanelRom(const uint8_t* rom);
GENLINK_API int32_t PG406_GetPanelRom(uint8_t* rom);
/* 25 names, or 50 when bit 2 of the DIP switches is set; names holds 50 of
 * 16 bytes. */
GENLINK_API int32_t PG406_GetAllGroupName(char* names, int32_t* count);
GENLINK_API int32_t PG406_SetProgName(int32_t program, int32_t flag1, int32_t flag2, const char* name);
GENLINK_API int32_t PG406_GetProgName(int32_t program, int32_t* flag1, int32_t* flag2, char* name);
/* count is the group's program count (the limit tables' maximum); numbers 0..999. */
GENLINK_API int32_t PG406_SetGroup(int32_t group, const int32_t* programs, int32_t count);
GENLINK_API int32_t PG406_GetGroup(int32_t group, int32_t* programs, int32_t count);
/* first 0..999, second 0..99. */
GENLINK_API int32_t PG406_SetAutoDisp(int32_t first, int32_t second);
GENLINK_API int32_t PG406_GetAutoDisp(int32_t* first, int32_t* second);

#ifdef __cplusplus
}
#endif

#endif
