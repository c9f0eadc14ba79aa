#ifndef USBLINK_H
#define USBLINK_H
/*
 * usblink: the USB transport of the pattern generators, loaded at run time.
 *
 * Conventions
 * - Every entry point returns 0 on success and nonzero on failure.
 * - Sends and receives succeed only when the whole count moved.
 * - Without hardware the library talks to a generator on the port named by
 *   the environment variable USBLINK_DEVICE ("COMn", a device path such as a
 *   pseudo-terminal, or "sim:patgen" for a simulator inside the library).
 *   Without that variable USB_CommOpen fails.
 * - One link per process; calls come from one thread at a time.
 */
#include <stdint.h>

#if defined(__GNUC__)
#define USBLINK_API __attribute__((visibility("default")))
#else
#define USBLINK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* record: receive time-out, then send time-out, in milliseconds. */
USBLINK_API int USB_CommOpen(const int32_t* record);
USBLINK_API int USB_CommClose(void);
/* Discards everything waiting in both directions. */
USBLINK_API int USB_BufFlush(void);
USBLINK_API int USB_SendByte(int byte);
USBLINK_API int USB_SendStr(const unsigned char* data, int count);
USBLINK_API int USB_ReceiveByte(unsigned char* byte);
USBLINK_API int USB_ReceiveStr(unsigned char* data, int count);
/* Milliseconds: longest gap between received bytes, base wait of a receive,
 * base wait of a send; each byte adds 10 ms to the base waits. */
USBLINK_API int USB_PortTimeoutSet(int byteGap, int readTotal, int writeTotal);

#ifdef __cplusplus
}
#endif

#endif
