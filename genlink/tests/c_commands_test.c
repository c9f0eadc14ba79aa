/* Compiled as C against libgenlink: every drawing, display, memory, group,
 * image and configuration export called through the header, against the
 * simulated generator on a pseudo-terminal; each set is read back with its
 * get. */
#define _GNU_SOURCE
#include "genlink.h"
#include "limtab.h"
#include "setstore.h"
#include "c_test_support.h"

#define OK GENLINK_SUCCESS
#define BAD 0xFFD7

static uint8_t colors[1024];
static uint8_t pixels[16 * 16];

static void fillImages(void) {
    for (int i = 0; i < 1024; ++i) colors[i] = (uint8_t)(i % 4 == 3 ? 0 : i * 5);
    for (int i = 0; i < 256; ++i) pixels[i] = (uint8_t)(i * 13 + 1);
}

static void drawing(void) {
    EXPECT_WORD(PG_CRTon(), OK);
    EXPECT_WORD(PG_CRToff(), OK);
    EXPECT_WORD(PG_ClrAllPlane(), OK);
    EXPECT_WORD(PG_ClrColPlane(), OK);
    EXPECT_WORD(PG_ClrGPlane(), OK);

    EXPECT_WORD(PG_DrawCircle(-100, 50, 20), OK);
    EXPECT_WORD(PG_DrawCircle(0, 0, 0), BAD);
    EXPECT_WORD(PG_ClrCircle(10, 10, 5), OK);
    EXPECT_WORD(PG_FillCircle(10, 10, 5), OK);
    EXPECT_WORD(PG_EraseCircle(10, 10, 5), OK);
    EXPECT_WORD(PG_DrawLine(-1, 5, 10, 10), OK);
    EXPECT_WORD(PG_ClrLine(-1, 5, 10, 4096), BAD);
    EXPECT_WORD(PG_ClrLine(-1, 5, 10, 10), OK);
    EXPECT_WORD(PG_DrawDot(-1, 5), BAD);
    EXPECT_WORD(PG_DrawDot(1, 5), OK);
    EXPECT_WORD(PG_ClrDot(1, 5), OK);
    EXPECT_WORD(PG_DrawBoxPaint(0, 0, 100, 100), OK);
    EXPECT_WORD(PG_ClrBoxPaint(0, 0, 100, 100), OK);
    EXPECT_WORD(PG_DrawWindow(0, 0, 100, 100), OK);
    EXPECT_WORD(PG_ClrWindow(0, 0, 100, 100), OK);
    EXPECT_WORD(PG_DrawRect(0, 0, 100, 100), OK);
    EXPECT_WORD(PG_ClrRect(0, -1, 100, 100), BAD);
    EXPECT_WORD(PG_ClrRect(0, 0, 100, 100), OK);
    EXPECT_WORD(PG_FillTriangle(-5, 0, 10, 0, 0, 10), OK);
    EXPECT_WORD(PG_EraseTriangle(-5, 0, 10, 0, 0, -2049), BAD);
    EXPECT_WORD(PG_EraseTriangle(-5, 0, 10, 0, 0, 10), OK);
    EXPECT_WORD(PG_DrawEllipse(-5, 5, 20, 10), OK);
    EXPECT_WORD(PG_ClrEllipse(-5, 5, 20, 0), BAD);
    EXPECT_WORD(PG_ClrEllipse(-5, 5, 20, 10), OK);
    EXPECT_WORD(PG_FillEllipse(-5, 5, 20, 10), OK);
    EXPECT_WORD(PG_EraseEllipse(-5, 5, 20, 10), OK);
    EXPECT_WORD(PG_G1BitBlt(1, 2, 3, 4, 5, 6), OK);
    EXPECT_WORD(PG_G1BitBlt(1, 2, 3, 4, 5, 0), BAD);

    EXPECT_WORD(PG_G8DrawCircle(0, 0, 10, 255), OK);
    EXPECT_WORD(PG_G8DrawCircle(0, 0, 10, 256), BAD);
    EXPECT_WORD(PG_G8FillCircle(0, 0, 10, 1), OK);
    EXPECT_WORD(PG_G8DrawLine(-1, 5, 10, 10, 7), OK);
    EXPECT_WORD(PG_G8DrawDot(1, 2, 3), OK);
    EXPECT_WORD(PG_G8FillRect(1, 2, 3, 4, 5), OK);
    EXPECT_WORD(PG_G8DrawRect(1, 2, 3, 4, 5), OK);
    EXPECT_WORD(PG_G8FillTriangle(1, 2, 3, 4, 5, 6, 7), OK);
    EXPECT_WORD(PG_G8DrawEllipse(1, 2, 3, 4, 5), OK);
    EXPECT_WORD(PG_G8FillEllipse(1, 2, 3, 4, 5), OK);
    EXPECT_WORD(PG_G8BitBlt(1, 2, 3, 4, 5, 6), OK);
    EXPECT_WORD(PG_G8Color(3), OK);
    EXPECT_WORD(PG_G8Color(10), BAD);
    EXPECT_WORD(PG_G8DispMode(1), OK);
    EXPECT_WORD(PG_G8Color2(1, 2, 3, 4), OK);
    EXPECT_WORD(PG_G8Color2(1, 2, 3, -1), BAD);
    EXPECT_WORD(PG_IncDirectDisp(), OK);
    EXPECT_WORD(PG_DecDirectDisp(), OK);
    EXPECT_WORD(PG_SignOnOff(1, 0, 1, 0, 0, 1), OK);
    EXPECT_WORD(PG_SignOnOff(1, 0, 1, 2, 0, 1), BAD);
    EXPECT_WORD(PG_SyncOnOff(1, 0, 1), OK);
    EXPECT_WORD(PG_SyncOnOff(2, 0, 0), BAD);
    EXPECT_WORD(PG_DrawCharacter(3, 100, 2000, "HELLO"), OK);
    EXPECT_WORD(PG_DrawCharacter(6, 100, 2000, "HELLO"), BAD);

    int32_t table[768];
    for (int i = 0; i < 768; ++i) table[i] = i % 256;
    EXPECT_WORD(PG_SetColorPlane(table), OK);
    EXPECT_WORD(PG_SetColorPlane(NULL), BAD);
    const int32_t rgb[3] = {10, 20, 30};
    EXPECT_WORD(PG_SetWindowColor(rgb), OK);
    EXPECT_WORD(PG_SetGraphicColor(rgb), OK);
    int32_t width = 0, height = 0;
    EXPECT_WORD(PG_GetGPlaneDispSize(&width, &height), OK);
    EXPECT(width == 640 && height == 480);
    EXPECT_WORD(PG_GetGPlaneDispSize(&width, NULL), BAD);
    EXPECT_WORD(PG_MoveCur(12, 345), OK);
    EXPECT_WORD(PG_MoveCur(12, 10000), BAD);
    EXPECT_WORD(PG_ChangeCurFormat(1), OK);
    EXPECT_WORD(PG_ChangeCurFlicker(0), OK);
    EXPECT_WORD(PG_ChangeCurPosDisp(1), OK);
    EXPECT_WORD(PG_ChangeCurColor(255, 0, 0), OK);
    EXPECT_WORD(PG_ChangeCurBackColor(0, 0, 255), OK);
}

static void programsAndGroups(void) {
    int32_t flag = -1, mode = -1, one = -1, two = -1;
    EXPECT_WORD(PG_ProgEnable(5, 1), OK);
    EXPECT_WORD(PG_GetProgEnable(5, &flag), OK);
    EXPECT(flag == 1);
    EXPECT_WORD(PG_ProgEnable(0, 1), BAD);

    char name8[9], name[21], name16[17];
    EXPECT_WORD(PG_SetProgName(5, "Five"), OK);
    EXPECT_WORD(PG_GetProgName(5, name8), OK);
    EXPECT(strcmp(name8, "Five    ") == 0);
    EXPECT_WORD(PG3_SetProgName(6, 1, 0, "Six"), OK);
    EXPECT_WORD(PG3_GetProgName(6, &one, &two, name), OK);
    EXPECT(one == 1 && two == 0 && strcmp(name, "Six") == 0);
    EXPECT_WORD(PG4_SetProgName(7, "Seven"), OK);
    EXPECT_WORD(PG4_GetProgName(7, name16), OK);
    EXPECT(strcmp(name16, "Seven") == 0);

    int32_t programs[20], back[20];
    for (int i = 0; i < 20; ++i) programs[i] = i + 1;
    EXPECT_WORD(PG_SetGroup(3, programs), OK);
    memset(back, 0xFF, sizeof back);
    EXPECT_WORD(PG_GetGroup(3, back), OK);
    EXPECT(memcmp(programs, back, sizeof back) == 0);
    EXPECT_WORD(PG_SetGroup(10, programs), BAD);

    int32_t maxCount = 0, minCount = 0;
    EXPECT(PGLIMIT_GetGroupProgCnt(0, &maxCount, &minCount) == 0);
    static int32_t pairs[2 * 58], pairsBack[2 * 58];
    EXPECT(maxCount == 58);
    for (int i = 0; i < 2 * 58; ++i) pairs[i] = (i * 17) % 1000;
    EXPECT_WORD(PG3_SetGroup(12, pairs, maxCount), OK);
    EXPECT_WORD(PG3_GetGroup(12, pairsBack, 2 * maxCount), OK);
    EXPECT(memcmp(pairs, pairsBack, sizeof pairs) == 0);
    EXPECT_WORD(PG3_SetGroup(12, pairs, maxCount - 1), BAD);
    pairs[0] = 999;
    EXPECT_WORD(PG4_SetGroup(13, pairs, maxCount), OK);
    EXPECT_WORD(PG4_GetGroup(13, pairsBack, maxCount), OK);
    EXPECT(memcmp(pairs, pairsBack, sizeof pairs) == 0);
    EXPECT_WORD(PG3_SetGroupName(12, "Twelve"), OK);
    EXPECT_WORD(PG3_GetGroupName(12, name), OK);
    EXPECT(strcmp(name, "Twelve") == 0);

    EXPECT_WORD(PG_SetHighProg(1, 2, 3, 4), OK);
    EXPECT_WORD(PG_SetHighProg(1, 2, 3, 0), BAD);
    EXPECT_WORD(PG_ExeHighProg(2), OK);
    EXPECT_WORD(PG_ExeHighProg(5), BAD);
    const int32_t autoDisp[7] = {30, 1, 2, 3, 4, 5, 6};
    int32_t autoBack[7];
    EXPECT_WORD(PG_SetAutoDisp(autoDisp), OK);
    EXPECT_WORD(PG_GetAutoDisp(autoBack), OK);
    EXPECT(memcmp(autoDisp, autoBack, sizeof autoBack) == 0);

    EXPECT_WORD(PG_SetAnaDigiMode(1), OK);
    EXPECT_WORD(PG_GetAnaDigiMode(&mode), OK);
    EXPECT(mode == 1);
    EXPECT_WORD(PG_SetAnaDigiMode(2), BAD);
    uint8_t id = 0;
    EXPECT_WORD(PG_GetPGID(&id), OK);
    EXPECT(id == 'C');
}

static void images(void) {
    uint8_t colorsBack[1024], pixelsBack[300];
    int32_t width = 0, height = 0, size = 0, length = 0;
    char name[21];
    EXPECT_WORD(PG3_SetVBM(3, colors, pixels, 16, 16), OK);
    EXPECT_WORD(PG3_GetVBM(3, colorsBack, pixelsBack, sizeof pixelsBack, &width, &height), OK);
    EXPECT(width == 16 && height == 16);
    EXPECT(memcmp(pixels, pixelsBack, sizeof pixels) == 0);
    EXPECT(memcmp(colors, colorsBack, sizeof colors) == 0);
    EXPECT_WORD(PG3_GetVBMSize(3, &size), OK);
    EXPECT(size == 1040);
    EXPECT_WORD(PG3_SetVBMName(3, "Sixteen"), OK);
    EXPECT_WORD(PG3_GetVBMName(3, name), OK);
    EXPECT(strcmp(name, "Sixteen") == 0);
    EXPECT_WORD(PG4_SetVBM(4, colors, pixels, 8, 4), OK);
    EXPECT_WORD(PG4_GetVBM(4, colorsBack, pixelsBack, sizeof pixelsBack, &width, &height), OK);
    EXPECT(width == 8 && height == 4 && memcmp(pixels, pixelsBack, 32) == 0);
    EXPECT_WORD(PG3_SetVBM(65, colors, pixels, 16, 16), BAD);

    static int32_t vbmStatus[64 * 5];
    EXPECT_WORD(PG_GetVBMSts(vbmStatus), OK);
    EXPECT(vbmStatus[2 * 5] == 16 && vbmStatus[2 * 5 + 1] == 16 && vbmStatus[3 * 5] == 8);
    EXPECT_WORD(PG3_DelVBM(3), OK);
    EXPECT_WORD(PG_GetVBMSts(vbmStatus), OK);
    EXPECT(vbmStatus[2 * 5] == 0 && vbmStatus[3 * 5] == 8);
    EXPECT_WORD(PG3_DelAllVBM(), OK);
    EXPECT_WORD(PG3_GetVBMSize(4, &size), 0x14D0); /* refused: error 20, nothing stored */

    const int32_t header[2] = {5, 1};
    int32_t headerBack[2] = {0, 0};
    EXPECT_WORD(PG_SetGpcPtn(70, header, colors, pixels, 100), OK);
    EXPECT_WORD(PG_GetGpcPtn(70, headerBack, colorsBack, pixelsBack, sizeof pixelsBack, &length), OK);
    EXPECT(headerBack[0] == 5 && headerBack[1] == 1 && length == 100);
    EXPECT(memcmp(pixels, pixelsBack, 100) == 0);
    EXPECT_WORD(PG_GetGpcPtn(70, headerBack, colorsBack, pixelsBack, 10, &length), 0xFFD5);
    EXPECT(length == 100);
    EXPECT_WORD(PG_SetGpcPtn(63, header, colors, pixels, 100), BAD);

    EXPECT_WORD(PG3_SetOptPtn(64, pixels, 200), OK);
    EXPECT_WORD(PG3_GetOptPtn(64, pixelsBack, sizeof pixelsBack, &length), OK);
    EXPECT(length == 200 && memcmp(pixels, pixelsBack, 200) == 0);
    EXPECT_WORD(PG3_GetOptPtnSize(64, &size), OK);
    EXPECT(size == 200);
    EXPECT_WORD(PG3_SetOptPtnName(64, "Option"), OK);
    EXPECT_WORD(PG3_GetOptPtnName(64, name), OK);
    EXPECT(strcmp(name, "Option") == 0);
    static int32_t patternStatus[128 * 2];
    EXPECT_WORD(PG_GetOptPtnSts(patternStatus), OK);
    EXPECT(patternStatus[64 * 2] == 1 && patternStatus[63 * 2] == 0);
    EXPECT_WORD(PG3_DelOptPtn(64), OK);
    EXPECT_WORD(PG3_GetOptPtn(64, pixelsBack, sizeof pixelsBack, &length), 0x14D0);
    EXPECT_WORD(PG3_DelAllOptPtn(), OK);
}

static void identificationAndConfiguration(void) {
    const uint8_t edid[4] = {0x00, 0xFF, 0x12, 0xAB};
    uint8_t back[4] = {0};
    EXPECT_WORD(PG_SetDDC2B(0x30, 0x80, 4, edid), OK);
    EXPECT_WORD(PG_GetDDC2B(0x30, 0x80, 4, back), OK);
    EXPECT(memcmp(edid, back, 4) == 0);
    memset(back, 0, sizeof back);
    EXPECT_WORD(PG_GetDDC1(0x30, 0x81, 2, back), OK);
    EXPECT(back[0] == 0xFF && back[1] == 0x12);
    EXPECT_WORD(PG_GetDDC1(0x30, 0x81, 0, back), BAD);
    EXPECT_WORD(PG_SetDDC2B(0x30, 0x80, 4, NULL), BAD);

    const int32_t cdc[9] = {1, 22, 333, 4444, 10000, 0, 7, 8, 9};
    int32_t cdcBack[9];
    char name[21];
    EXPECT_WORD(PG_SetCDC(2, cdc), OK);
    EXPECT_WORD(PG_GetCDC(2, cdcBack), OK);
    EXPECT(memcmp(cdc, cdcBack, sizeof cdc) == 0);
    EXPECT_WORD(PG_SetCDC(10, cdc), BAD);
    EXPECT_WORD(PG_SetCDCName(2, "Warm white"), OK);
    EXPECT_WORD(PG_GetCDCName(2, name), OK);
    EXPECT(strcmp(name, "Warm white") == 0);

    const int32_t config[8] = {1, 0, 42, 1, 0, 1, 0, 1};
    int32_t configBack[8], first = -1, second = -1;
    EXPECT_WORD(PG3_SetConfig(config), OK);
    EXPECT_WORD(PG3_GetConfig(configBack), OK);
    EXPECT(memcmp(config, configBack, sizeof config) == 0);
    EXPECT_WORD(PG3_SetDevice(1), OK);
    EXPECT_WORD(PG3_GetDevice(&first, &second), OK);
    EXPECT(first == 1);
    EXPECT_WORD(PG3_SetVBM(5, colors, pixels, 2, 2), OK);
    EXPECT_WORD(PG3_MemCardFormat(), OK);
    int32_t size = 0;
    EXPECT_WORD(PG3_GetVBMSize(5, &size), 0x14D0);
}

static void model406(void) {
    char name[16];
    static char names[50 * 16];
    int32_t one = -1, two = -1, count = 0, first = 0, second = 0;
    uint8_t dsw = 0xFF;
    EXPECT_WORD(PG406_SetGroupName(7, "Seven"), OK);
    EXPECT_WORD(PG406_GetGroupName(7, name), OK);
    EXPECT(strcmp(name, "Seven") == 0);
    EXPECT_WORD(PG406_GetDSW(&dsw), OK);
    EXPECT(dsw == 0);
    EXPECT_WORD(PG406_GetAllGroupName(names, &count), OK);
    EXPECT(count == 25 && strcmp(&names[6 * 16], "Seven") == 0);
    EXPECT_WORD(PG406_ExeProgramByStatus(12, 1), OK);

    EXPECT_WORD(PG406_SetProgName(12, 0, 1, "Twelve"), OK);
    EXPECT_WORD(PG406_GetProgName(12, &one, &two, name), OK);
    EXPECT(one == 0 && two == 1 && strcmp(name, "Twelve") == 0);
    PG406_PROGLIST entry;
    static PG406_PROGLIST list[160];
    static PG406_INPROGLIST builtIn[100];
    EXPECT_WORD(PG406_GetProgList(12, &entry), OK);
    EXPECT(strcmp(entry.name, "Twelve") == 0 && entry.value[4] == 1);
    EXPECT_WORD(PG406_GetAllProgList(list), OK);
    EXPECT(strcmp(list[11].name, "Twelve") == 0);
    EXPECT_WORD(PG406_GetAllInProgList(builtIn), OK);
    EXPECT(builtIn[0].value[1] == 850);

    static uint8_t rom[65536], romBack[65536];
    for (int i = 0; i < 65536; ++i) rom[i] = (uint8_t)(i * 31 + (i >> 9));
    EXPECT_WORD(PG406_SetPanelRom(rom), OK);
    EXPECT_WORD(PG406_GetPanelRom(romBack), OK);
    EXPECT(memcmp(rom, romBack, sizeof rom) == 0);

    static int32_t programs[58], back[58];
    for (int i = 0; i < 58; ++i) programs[i] = 58 - i;
    EXPECT_WORD(PG406_SetGroup(5, programs, 58), OK);
    EXPECT_WORD(PG406_GetGroup(5, back, 58), OK);
    EXPECT(memcmp(programs, back, sizeof back) == 0);
    EXPECT_WORD(PG406_SetGroup(5, programs, 20), BAD);
    EXPECT_WORD(PG406_SetAutoDisp(120, 7), OK);
    EXPECT_WORD(PG406_GetAutoDisp(&first, &second), OK);
    EXPECT(first == 120 && second == 7);
}

int main(void) {
    if (!privateSettings("genlink-cmd")) return 1;
    fillImages();
    EXPECT(REG_Init() == 0);
    EXPECT(REG_WriteTimeoutByte(50) == 0);
    EXPECT(REG_WriteTimeoutCmdACK(500) == 0);
    EXPECT(REG_WriteTimeoutDataACK(500) == 0);
    EXPECT(REG_WriteTimeout(1000) == 0);
    EXPECT_WORD(PG_SelectPGType('C'), OK);
    EXPECT_WORD(PG_SelectDevice(0, 0), OK);
    /* On a closed link nothing is sent. */
    EXPECT_WORD(PG_CRTon(), 0xFFD1);

    struct Sim sim;
    if (!startSim(&sim, NULL, NULL)) {
        fprintf(stderr, "cannot start the simulator %s\n", simProgram() ? simProgram() : "(none)");
        return 1;
    }
    mapCom3(sim.path);
    EXPECT_WORD(PG_SelectSeriConfig(38400, 8, 0, 0, 3), OK);
    EXPECT_WORD(PG_SelectTransWay(GENLINK_WAY_SERIAL), OK);
    EXPECT_WORD(PG_Open(), OK);
    drawing();
    programsAndGroups();
    images();
    identificationAndConfiguration();
    model406();
    EXPECT_WORD(PG_Close(), OK);
    stopSim(&sim);
    REG_Terminate();
    return finish();
}
