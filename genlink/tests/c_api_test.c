/* Compiled as C against libgenlink: the header is C, and the frame's exports
 * work over the three transports against the simulated generator running on
 * a pseudo-terminal (PATGEN_SIM). */
#define _GNU_SOURCE
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "genlink.h"
#include "setstore.h"

static int failures = 0;
static char folder[256];

#define EXPECT(cond)                                                    \
    do {                                                                \
        if (!(cond)) {                                                  \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                 \
        }                                                               \
    } while (0)

#define EXPECT_WORD(call, word)                                                            \
    do {                                                                                   \
        int32_t got_ = (call);                                                             \
        if (got_ != (word)) {                                                              \
            fprintf(stderr, "%s:%d: %s gave 0x%X, not 0x%X\n", __FILE__, __LINE__, #call,  \
                    (unsigned)got_, (unsigned)(word));                                     \
            ++failures;                                                                    \
        }                                                                                  \
    } while (0)

struct Sim {
    pid_t pid;
    char path[256];
};

/* Starts the simulator and reads the terminal's path from its first line. */
static int startSim(struct Sim* sim, const char* option, const char* value) {
    int out[2];
    if (pipe(out) != 0) return 0;
    sim->pid = fork();
    if (sim->pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        if (option)
            execl(PATGEN_SIM, PATGEN_SIM, option, value, (char*)NULL);
        else
            execl(PATGEN_SIM, PATGEN_SIM, (char*)NULL);
        _exit(127);
    }
    close(out[1]);
    FILE* in = fdopen(out[0], "r");
    int ok = in && fgets(sim->path, sizeof sim->path, in) != NULL;
    if (in) fclose(in);
    if (ok) sim->path[strcspn(sim->path, "\n")] = 0;
    return ok;
}

static void stopSim(struct Sim* sim) {
    kill(sim->pid, SIGTERM);
    waitpid(sim->pid, NULL, 0);
}

static void mapCom3(const char* device) {
    char map[300];
    snprintf(map, sizeof map, "%s/comports.ini", folder);
    FILE* f = fopen(map, "w");
    fprintf(f, "[COM]\nCOM3=%s\n", device);
    fclose(f);
    setenv("COMPORTS", map, 1);
}

int main(void) {
    char instance[64];
    snprintf(folder, sizeof folder, "/tmp/genlink-c-XXXXXX");
    if (!mkdtemp(folder)) return 1;
    snprintf(instance, sizeof instance, "genlink-c-%d", (int)getpid());
    setenv("XDG_CONFIG_HOME", folder, 1);
    setenv("SETSTORE_INSTANCE", instance, 1);
    setenv("GENLINK_INSTANCE", instance, 1);

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
        fprintf(stderr, "cannot start %s\n", PATGEN_SIM);
        return 1;
    }
    mapCom3(sim.path);
    EXPECT_WORD(PG_SelectSeriConfig(38400, 8, 0, 0, 3), GENLINK_SUCCESS);

    EXPECT_WORD(PG_SelectTransWay(GENLINK_WAY_SERIAL), GENLINK_SUCCESS);
    EXPECT_WORD(PG_Open(), GENLINK_SUCCESS);
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

    char cleanup[300];
    snprintf(cleanup, sizeof cleanup, "rm -rf %s", folder);
    if (system(cleanup) != 0) ++failures;
    if (failures) fprintf(stderr, "%d failures\n", failures);
    return failures ? 1 : 0;
}
