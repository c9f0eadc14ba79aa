/* Compiled as C against libgenlink: the header is C, and the frame's exports
 * work over the three transports against the simulated generator running on
 * a pseudo-terminal (PATGEN_SIM). */
#define _GNU_SOURCE
#include "genlink.h"
#include "limtab.h"
#include "setstore.h"
#include "c_test_support.h"

/* Programs, groups and selections set and read back on an open link. */
static void programRoundTrips(void) {
    int32_t program = 0;
    PGLIMIT_SetTableLimit();
    for (int32_t n = 1; n < 1000 && !program; ++n)
        if (PGLIMIT_CheckProgNo(1, n) == 0) program = n;
    EXPECT(program != 0);
    if (!program) return;

    int32_t rec[188], back[188];
    for (int i = 0; i < 118; ++i) rec[i] = i % 10;
    /* Vertical words 3, 7 and 8 travel in tenths. */
    rec[11] = 5250, rec[15] = 1230, rec[16] = 40;
    EXPECT_WORD(PG_GetProgram(0, back), 0xFFD7);
    EXPECT_WORD(PG2_SetProgram(program, rec), GENLINK_SUCCESS);
    memset(back, 0xFF, sizeof back);
    EXPECT_WORD(PG2_GetProgram(program, back), GENLINK_SUCCESS);
    EXPECT(memcmp(rec, back, 118 * sizeof rec[0]) == 0);
    EXPECT_WORD(PG_SetExeProgram(rec), GENLINK_SUCCESS);
    EXPECT_WORD(PG_ExeBufRAM(), GENLINK_SUCCESS);
    EXPECT_WORD(PG_ExeProgram(program), GENLINK_SUCCESS);

    for (int i = 0; i < 143; ++i) rec[i] = i % 8;
    rec[11] = 70, rec[15] = 0, rec[16] = 10;
    EXPECT_WORD(PG3_SetProgram(program, rec), GENLINK_SUCCESS);
    memset(back, 0xFF, sizeof back);
    EXPECT_WORD(PG3_GetProgram(program, back), GENLINK_SUCCESS);
    EXPECT(memcmp(rec, back, 143 * sizeof rec[0]) == 0);

    int32_t sel[22] = {0}, selBack[22];
    sel[0] = sel[13] = sel[21] = 1;
    EXPECT_WORD(PG_SetPtnSelect(program, sel), GENLINK_SUCCESS);
    EXPECT_WORD(PG_GetPtnSelect(program, selBack), GENLINK_SUCCESS);
    EXPECT(memcmp(sel, selBack, sizeof sel) == 0);
    const uint8_t codes[] = {'P', 'e'};
    EXPECT_WORD(PG_SetPtnSignOn(codes, 2), GENLINK_SUCCESS);
    EXPECT_WORD(PG_SetPtnSignOn(codes, 0), 0xFFD7);
}

int main(void) {
    if (!privateSettings("genlink-c")) return 1;

    EXPECT(GENLINK_CODE(0xFFD7) == GENLINK_BAD_ARGUMENT);
    EXPECT_WORD(PG_SelectTransWay(3), 0xFFD7);
    EXPECT_WORD(PG_SelectSeriConfig(4800, 8, 0, 0, 1), 0xFFD7);
    EXPECT_WORD(PG_SelectDevice(0, 6), 0xFFD7);
    EXPECT_WORD(PG_SelectPGType('A'), 0xFFD7);
    EXPECT_WORD(PG_SelectPGType('C'), GENLINK_SUCCESS);
    EXPECT_WORD(PG_SelectDevice(1, 0), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Close(), 0xFFD3);

    EXPECT(REG_Init() == 0);
    EXPECT(REG_WriteTimeoutByte(50) == 0);
    EXPECT(REG_WriteTimeoutCmdACK(500) == 0);
    EXPECT(REG_WriteTimeoutDataACK(500) == 0);
    EXPECT(REG_WriteTimeout(1000) == 0);

    struct Sim sim;
    if (!startSim(&sim, NULL, NULL)) {
        fprintf(stderr, "cannot start the simulator %s\n", simProgram() ? simProgram() : "(none)");
        return 1;
    }
    mapCom3(sim.path);
    EXPECT_WORD(PG_SelectSeriConfig(38400, 8, 0, 0, 3), GENLINK_SUCCESS);

    EXPECT_WORD(PG_SelectTransWay(GENLINK_WAY_SERIAL), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Open(), GENLINK_SUCCESS);
    programRoundTrips();
    EXPECT_WORD(PG_Close(), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Close(), 0xFFD3);

    setenv("USBLINK_DEVICE", sim.path, 1);
    EXPECT_WORD(PG_SelectTransWay(GENLINK_WAY_USB), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Open(), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Close(), GENLINK_SUCCESS);
    setenv("GENLINK_USBLINK", "/nonexistent/libusblink.so", 1);
    EXPECT_WORD(PG_Open(), 0xFFD4);
    EXPECT_WORD(PG_Close(), 0xFFD3);
    unsetenv("GENLINK_USBLINK");

    setenv("PGPIO_DEVICE", sim.path, 1);
    EXPECT_WORD(PG_SelectTransWay(GENLINK_WAY_PARALLEL), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Open(), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Close(), GENLINK_SUCCESS);
    stopSim(&sim);

    struct Sim refusing;
    if (startSim(&refusing, "--nak-enquiry", "1")) {
        mapCom3(refusing.path);
        EXPECT_WORD(PG_SelectTransWay(GENLINK_WAY_SERIAL), GENLINK_SUCCESS);
        EXPECT_WORD(PG_Open(), 0xFFD2);
        EXPECT_WORD(PG_Open(), GENLINK_SUCCESS);
        EXPECT_WORD(PG_Close(), GENLINK_SUCCESS);
        stopSim(&refusing);
    } else {
        ++failures;
    }
    REG_Terminate();
    return finish();
}
