#ifndef QDMGEN32_H
#define QDMGEN32_H
/*
 * qdmgen32: the library of the ASCII-command generators (an ISA card, a
 * generator on a serial line, a PCI card). Three operations, the library's
 * ordinals 102 (open), 103 (close) and 110 (command).
 *
 * Conventions
 * - One device is open at a time per process; opening another closes the
 *   first. Calls come from one thread at a time.
 * - Device names: "COMn" is the generator on serial port n, reached through
 *   the COM port map ($COMPORTS or $XDG_CONFIG_HOME/comports.ini); the line
 *   carries each command text followed by CR LF, and the reply to a query as
 *   one line. "ISA1".."ISA4" and "PCI1" are the cards: without the hardware an
 *   emulated generator inside the library answers them, unless
 *   $QDMGEN32_DEVICE names a port ("COMn", a device path such as a
 *   pseudo-terminal, or "sim:qdgen" for a simulator inside the library) that
 *   stands in for every card.
 * - The emulated card answers "VERF?" with $QDMGEN32_FIRMWARE (read at each
 *   open; default 3.100) and logs what it does to the file named by
 *   $QDMGEN32_SIM_LOG, when set.
 * - When $QDMGEN32_LOG names a file, every command text given to QDM_Command
 *   is appended to it as given (blanks kept), one per line.
 * - Results are 0 on success and 1 on failure. Nothing is thrown; no pointer
 *   is kept after a call returns.
 */

#if defined(__GNUC__)
#define QDMGEN32_API __attribute__((visibility("default")))
#else
#define QDMGEN32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Ordinal 102. Opens the device `name`; 0 = opened, 1 = unknown name or the
 * device could not be opened. */
QDMGEN32_API int QDM_Open(const char* name);

/* Ordinal 103. Closes the open device; 1 when none was open. */
QDMGEN32_API int QDM_Close(void);

/* Ordinal 110. Sends one NUL-terminated command text (at most 255
 * characters). For a query (its first word ends in '?') the reply is left in
 * `reply` as NUL-terminated text cut to replySize - 1 characters; for any
 * other command `reply` (when not null) gets an empty text. 0 = sent (and,
 * for a query, answered); 1 = no device open, no or too long a text, a write
 * failure, or no answer within 2000 ms. */
QDMGEN32_API int QDM_Command(const char* command, char* reply, int replySize);

#ifdef __cplusplus
}
#endif

#endif
