/* A program of someone else's built against the installed kit: the settings
 * store, the limit tables and the generator link reached over the USB way,
 * whose library libgenlink loads from beside itself. The generator is the
 * one simulated inside the USB library (USBLINK_DEVICE=sim:patgen). */
#define _POSIX_C_SOURCE 200809L  /* setenv */
#include <genlink.h>
#include <limtab.h>
#include <setstore.h>

#include <stdio.h>
#include <stdlib.h>

static int failures = 0;

#define EXPECT(cond)                                                  \
    do {                                                              \
        if (!(cond)) {                                                \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                               \
        }                                                             \
    } while (0)

int main(void) {
    int32_t timeout = 0;
    EXPECT(REG_Init() == 0);
    EXPECT(REG_WriteTimeoutByte(50) == 0);
    EXPECT(REG_WriteTimeoutCmdACK(500) == 0);
    EXPECT(REG_WriteTimeoutDataACK(500) == 0);
    EXPECT(REG_WriteTimeout(1000) == 0);
    EXPECT(REG_ReadTimeout(&timeout) == 0 && timeout == 1000);

    EXPECT(PGLIMIT_SetTableLimit() == 0);
    EXPECT(PGLIMIT_GetTableAddr() != NULL);
    EXPECT(PGLIMIT_CheckProgNo(0, 1000000) == -41);

    setenv("USBLINK_DEVICE", "sim:patgen", 1);
    unsetenv("GENLINK_USBLINK");
    EXPECT(PG_SelectTransWay(GENLINK_WAY_USB) == GENLINK_SUCCESS);
    EXPECT(PG_Open() == GENLINK_SUCCESS);
    EXPECT(PG_Close() == GENLINK_SUCCESS);
    EXPECT(GENLINK_CODE(PG_Close()) == GENLINK_CLOSE_FAILED);

    REG_Terminate();
    if (failures == 0) printf("kit consumer: ok\n");
    return failures == 0 ? 0 : 1;
}
