/* Compiled as C against libvtg32: the header is C; cards open and close by
 * number, loads check each file and the log names every load. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "vtg32.h"

static int failures = 0;
static char folder[256];

#define EXPECT(cond)                                                            \
    do {                                                                        \
        if (!(cond)) {                                                          \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                         \
        }                                                                       \
    } while (0)

static const char* path(const char* name) {
    static char paths[8][300];
    static int next = 0;
    char* p = paths[next++ % 8];
    snprintf(p, 300, "%s/%s", folder, name);
    return p;
}

static void writeFile(const char* name, const char* text) {
    FILE* f = fopen(path(name), "w");
    if (!f) return;
    fputs(text, f);
    fclose(f);
}

static const char* readFile(const char* name) {
    static char text[8192];
    FILE* f = fopen(path(name), "r");
    size_t n = f ? fread(text, 1, sizeof text - 1, f) : 0;
    if (f) fclose(f);
    text[n] = 0;
    return text;
}

static void writeColourTable(const char* name) {
    FILE* f = fopen(path(name), "w");
    int i;
    if (!f) return;
    fputs("VTG-Ver 5.2.0 HW=VTG-3A/135_08_3.1.5\n\n0 0 0 \n255   0   0\n", f);
    for (i = 2; i < 256; ++i) fprintf(f, "%3d %3d %3d\n", i, i, i);
    fputs(" 700\n 300\n", f);
    fclose(f);
}

int main(void) {
    const char* tmp = getenv("TMPDIR");
    char expected[4096];
    int16_t status;
    snprintf(folder, sizeof folder, "%s/vtg32-c-XXXXXX", tmp && *tmp ? tmp : "/tmp");
    if (!mkdtemp(folder)) return 2;
    setenv("VTG32_LOG", path("vtg.log"), 1);

    writeFile("KOV_VTG.vtt",
              "VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7\nKOV VTG File \n31.469\n31.778\n25.422\n  640\n"
              "3.813\n1.907\n  525\n  480\n    2\n   33\n+\n+\nT\n-\n0.636\n   10\n25.175\nno\n0\n0\n0\n0\nH+V\nAct\n");
    writeFile("short.vtt", "VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7\nKOV VTG File \n");
    writeFile("KOV_P1.vtp", "VTG-Ver 5.2.0\nCROSSHATCH\n");
    writeFile("empty.vtp", "");
    writeColourTable("KOV_R.vtc");

    setenv("VTG32_CARDS", "0", 1);
    EXPECT(VTG_OpenCard(1) == -1);
    EXPECT((int8_t)(VTG_OpenCard(1) & 0xFF) == -1);
    unsetenv("VTG32_CARDS");
    EXPECT(VTG_OpenCard(1) == 1);

    status = VTGFile_tim(1, path("KOV_VTG.vtt"));
    EXPECT(status == 0);
    EXPECT(VTGFile_tim(1, path("short.vtt")) == 1);
    EXPECT(VTGFile_tim(1, path("none.vtt")) == 1);
    EXPECT(VTGFile_pic(1, path("KOV_P1.vtp")) == 0);
    EXPECT(VTGFile_pic(1, path("empty.vtp")) == 1);
    EXPECT(VTGFile_col(1, path("KOV_R.vtc")) == 0);
    EXPECT(VTGFile_col(1, NULL) == 1);
    EXPECT(VTGFile_pic(2, path("KOV_P1.vtp")) == 1);  /* card 2 is not open */

    EXPECT(VTG_CloseCard(1) == 1);
    EXPECT(VTGFile_col(1, path("KOV_R.vtc")) == 1);
    EXPECT(VTG_CloseCard(1) == 1);

    snprintf(expected, sizeof expected,
             "open 1 -1\nopen 1 -1\nopen 1 1\n"
             "tim %s/KOV_VTG.vtt 0\n"
             "tim %s/short.vtt 1 (line 3: expected a number with three decimals)\n"
             "tim %s/none.vtt 1 (missing)\n"
             "pic %s/KOV_P1.vtp 0\n"
             "pic %s/empty.vtp 1 (empty)\n"
             "col %s/KOV_R.vtc 0\n"
             "col (no path) 1 (missing)\n"
             "pic %s/KOV_P1.vtp 1 (card not open)\n"
             "close 1 1\n"
             "col %s/KOV_R.vtc 1 (card not open)\n"
             "close 1 1\n",
             folder, folder, folder, folder, folder, folder, folder, folder);
    if (strcmp(readFile("vtg.log"), expected) != 0) {
        fprintf(stderr, "log:\n%s\nexpected:\n%s\n", readFile("vtg.log"), expected);
        ++failures;
    }

    {
        char command[400];
        snprintf(command, sizeof command, "rm -rf '%s'", folder);
        if (system(command) != 0) fprintf(stderr, "could not remove %s\n", folder);
    }
    if (failures) fprintf(stderr, "%d failure(s)\n", failures);
    return failures ? 1 : 0;
}
