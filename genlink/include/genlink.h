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

#ifdef __cplusplus
}
#endif

#endif
