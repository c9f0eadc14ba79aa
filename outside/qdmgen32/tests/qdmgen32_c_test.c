/* Compiled as C against libqdmgen32: the header is C, the emulated card
 * answers the cards' names, and "COMn" and $QDMGEN32_DEVICE reach the
 * simulated generator on a pseudo-terminal (QDGEN_SIM). */
#define _GNU_SOURCE
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "qdmgen32.h"

static int failures = 0;
static char folder[256];

#define EXPECT(cond)                                                            \
    do {                                                                        \
        if (!(cond)) {                                                          \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                         \
        }                                                                       \
    } while (0)

#define EXPECT_REPLY(query, want)                                                                   \
    do {                                                                                            \
        char reply_[52];                                                                            \
        memset(reply_, 'x', sizeof reply_);                                                         \
        int r_ = QDM_Command(query, reply_, (int)sizeof reply_);                                    \
        if (r_ != 0 || strcmp(reply_, want) != 0) {                                                 \
            fprintf(stderr, "%s:%d: %s gave %d \"%.51s\", not \"%s\"\n", __FILE__, __LINE__, query, r_, \
                    r_ == 0 ? reply_ : "", want);                                                   \
            ++failures;                                                                             \
        }                                                                                           \
    } while (0)

static const char* const kFormat[] = {"FMTN Mode2", "FMTB", "HRAT  31469", "HRES 640", "HTOT 800", "HSPD 16",
                                      "HSPW 96", "HSPP 1", "VRES 480", "VTOT 525", "VSPD 10", "VSPW 2",
                                      "VSPP 1", "SCAN 1", "AVST 2", "ASCT 2", "DSCT 2", "SSST 1",
                                      "XVSG 1,1,1", "FMTE", "FMTS", "FMTL Mode2"};

static void sendFormat(const char* hTotal) {
    size_t i;
    for (i = 0; i < sizeof kFormat / sizeof kFormat[0]; ++i) {
        char reply[52];
        const char* text = strcmp(kFormat[i], "HTOT 800") == 0 ? hTotal : kFormat[i];
        EXPECT(QDM_Command(text, reply, (int)sizeof reply) == 0);
        EXPECT(reply[0] == '\0');
    }
}

static char* readFile(const char* name) {
    static char text[65536];
    char path[300];
    snprintf(path, sizeof path, "%s/%s", folder, name);
    FILE* f = fopen(path, "r");
    size_t n = f ? fread(text, 1, sizeof text - 1, f) : 0;
    if (f) fclose(f);
    text[n] = 0;
    return text;
}

static void setPathEnv(const char* variable, const char* name) {
    char path[300];
    snprintf(path, sizeof path, "%s/%s", folder, name);
    setenv(variable, path, 1);
}

struct Sim {
    pid_t pid;
    char path[256];
};

/* Starts the simulator with its log in `log` and reads the terminal's path. */
static int startSim(struct Sim* sim, const char* log) {
    int out[2];
    char logPath[300];
    snprintf(logPath, sizeof logPath, "%s/%s", folder, log);
    if (pipe(out) != 0) return 0;
    sim->pid = fork();
    if (sim->pid == 0) {
        dup2(out[1], 1);
        if (!freopen(logPath, "w", stderr)) _exit(126);
        close(out[0]);
        close(out[1]);
        execl(QDGEN_SIM, QDGEN_SIM, "--firmware", "4.020", (char*)NULL);
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

/* What is refused without any device. */
static void testRefusals(void) {
    char reply[52] = "x";
    EXPECT(QDM_Open("ISA5") == 1);
    EXPECT(QDM_Open("PCI2") == 1);
    EXPECT(QDM_Open("LPT1") == 1);
    EXPECT(QDM_Open(NULL) == 1);
    EXPECT(QDM_Close() == 1);
    EXPECT(QDM_Command("VERF?", reply, (int)sizeof reply) == 1);
    EXPECT(reply[0] == '\0');
    EXPECT(QDM_Command(NULL, reply, (int)sizeof reply) == 1);
}

/* The emulated card: firmware from the environment, the format check, the
 * command log as given. */
static void testCard(void) {
    char small[4];
    setPathEnv("QDMGEN32_LOG", "commands.log");
    setPathEnv("QDMGEN32_SIM_LOG", "card.log");
    setenv("QDMGEN32_FIRMWARE", "2.950", 1);
    EXPECT(QDM_Open("ISA2") == 0);
    EXPECT_REPLY("VERF?", "2.950");
    EXPECT(QDM_Command("OUTG 0", NULL, 0) == 0);
    sendFormat("HTOT 801");
    EXPECT_REPLY("FMTG?", "2091");
    /* A reply longer than the buffer is cut and stays terminated. */
    EXPECT(QDM_Command("FMTG?", small, (int)sizeof small) == 0);
    EXPECT(strcmp(small, "209") == 0);
    sendFormat("HTOT 800");
    EXPECT_REPLY("FMTG?", "0");
    EXPECT(QDM_Command("IMGL Linearty", NULL, 0) == 0);
    EXPECT(QDM_Command("ALLU ", NULL, 0) == 0);
    /* A line break inside a text would make two commands of it. */
    EXPECT(QDM_Command("OUTG 1\nOUTG 0", NULL, 0) == 1);
    EXPECT(QDM_Close() == 0);
    EXPECT(QDM_Close() == 1);
    EXPECT(QDM_Command("OUTG 1", NULL, 0) == 1);

    /* The card keeps its formats across a close and answers the new firmware. */
    unsetenv("QDMGEN32_FIRMWARE");
    EXPECT(QDM_Open("pci1") == 0);
    EXPECT_REPLY("VERF?", "3.100");
    EXPECT(QDM_Command("FMTL Mode2", NULL, 0) == 0);
    EXPECT_REPLY("FMTG?", "0");
    EXPECT(QDM_Close() == 0);

    const char* log = readFile("commands.log");
    EXPECT(strncmp(log, "VERF?\nOUTG 0\nFMTN Mode2\nFMTB\nHRAT  31469\n", 41) == 0);
    EXPECT(strstr(log, "\nALLU \nOUTG 1\nOUTG 0\nOUTG 1\nVERF?\n") != NULL);
    const char* card = readFile("card.log");
    EXPECT(strstr(card, "reply \"2091\"") != NULL);
    EXPECT(strstr(card, "in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,1), image Linearty") != NULL);
    unsetenv("QDMGEN32_LOG");
    unsetenv("QDMGEN32_SIM_LOG");
}

/* The generator on a pseudo-terminal, as "COM3" and standing in for a card. */
static void testSerial(void) {
    struct Sim sim;
    char map[300];
    FILE* f;
    if (!startSim(&sim, "sim.log")) {
        fprintf(stderr, "the simulator did not start\n");
        ++failures;
        return;
    }
    snprintf(map, sizeof map, "%s/comports.ini", folder);
    f = fopen(map, "w");
    fprintf(f, "[COM]\nCOM3=%s\n", sim.path);
    fclose(f);
    setenv("COMPORTS", map, 1);

    EXPECT(QDM_Open("COM3") == 0);
    EXPECT_REPLY("VERF?", "4.020");
    sendFormat("HTOT 800");
    EXPECT_REPLY("FMTG?", "0");
    EXPECT(QDM_Command("IMGL hatch5x4", NULL, 0) == 0);
    EXPECT(QDM_Command("ALLU ", NULL, 0) == 0);
    EXPECT(QDM_Close() == 0);

    setenv("QDMGEN32_DEVICE", "COM3", 1);
    EXPECT(QDM_Open("ISA1") == 0);
    EXPECT_REPLY("FMTG?", "0");
    EXPECT(QDM_Close() == 0);
    unsetenv("QDMGEN32_DEVICE");
    stopSim(&sim);

    const char* log = readFile("sim.log");
    EXPECT(strstr(log, "command \"ALLU \"") != NULL);
    EXPECT(strstr(log, "in use: format Mode2 (640x480, 31469 Hz, 800 dots, guns 1,1,1), image hatch5x4") != NULL);
    EXPECT(strstr(log, "error") == NULL);
}

int main(void) {
    const char* tmp = getenv("TMPDIR");
    snprintf(folder, sizeof folder, "%s/qdmgen32-c-XXXXXX", tmp && *tmp ? tmp : "/tmp");
    if (!mkdtemp(folder)) return 2;
    unsetenv("QDMGEN32_DEVICE");
    unsetenv("QDMGEN32_LOG");

    testRefusals();
    testCard();
    testSerial();

    char command[400];
    snprintf(command, sizeof command, "rm -rf '%s'", folder);
    if (system(command) != 0) fprintf(stderr, "could not remove %s\n", folder);
    if (failures) fprintf(stderr, "%d failure(s)\n", failures);
    return failures ? 1 : 0;
}
