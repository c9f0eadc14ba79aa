/* Shared by the C tests of genlink: expectations that count failures, and
 * the simulated generator started on a pseudo-terminal. The simulator is
 * the program named by $PATGEN_SIM, else by the PATGEN_SIM macro. */
#ifndef GENLINK_C_TEST_SUPPORT_H
#define GENLINK_C_TEST_SUPPORT_H

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

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

static const char* simProgram(void) {
    const char* program = getenv("PATGEN_SIM");
#ifdef PATGEN_SIM
    if (!program) program = PATGEN_SIM;
#endif
    return program;
}

/* Starts the simulator and reads the terminal's path from its first line. */
static int startSim(struct Sim* sim, const char* option, const char* value) {
    const char* program = simProgram();
    int out[2];
    if (!program || pipe(out) != 0) return 0;
    sim->pid = fork();
    if (sim->pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        if (option)
            execl(program, program, option, value, (char*)NULL);
        else
            execl(program, program, (char*)NULL);
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

/* A private settings folder and instance for this run. */
static int privateSettings(const char* name) {
    char instance[64];
    snprintf(folder, sizeof folder, "/tmp/%s-XXXXXX", name);
    if (!mkdtemp(folder)) return 0;
    snprintf(instance, sizeof instance, "%s-%d", name, (int)getpid());
    setenv("XDG_CONFIG_HOME", folder, 1);
    setenv("SETSTORE_INSTANCE", instance, 1);
    setenv("GENLINK_INSTANCE", instance, 1);
    return 1;
}

static int finish(void) {
    char cleanup[300];
    snprintf(cleanup, sizeof cleanup, "rm -rf %s", folder);
    if (system(cleanup) != 0) ++failures;
    if (failures) fprintf(stderr, "%d failures\n", failures);
    return failures ? 1 : 0;
}

#endif
