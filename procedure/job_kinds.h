#pragma once
// The table of step kinds: number, name, whether the runner then waits for
// the operator, the text logged when the job runs, and the handler.
#include <cstdint>

namespace procedure {

struct JobContext;
struct PrcStep;

enum JobKind : uint8_t {
    JOB_ADJUST = 1,
    JOB_MESSAGE = 2,
    JOB_SERVICE_SAVE = 3,
    JOB_USER_SAVE = 4,
    JOB_COLOR_SAVE = 5,
    JOB_AUDIO_SAVE = 6,
    JOB_READ = 7,
    JOB_WRITE = 8,
    JOB_REG_WRITE = 9,
    JOB_FACTORY = 10,
    JOB_FAIL_INFO = 11,
    JOB_MATH = 12,
    JOB_SKIP = 13,
    JOB_ABL = 14,
    JOB_RSV_SET = 15,
    JOB_RSV_READ = 16,
    JOB_RSV_WRITE = 17,
    JOB_RGB_MIN_JMP = 18,
    JOB_RGB_MAX_JMP = 19,
    JOB_IRE_SET = 20,
    JOB_MAX_MIN = 21,
    JOB_SG_SET = 22,
    JOB_DCNV_COND = 23,
    JOB_DCNV_RST = 24,
    JOB_DCNV_ADJUST = 25,
    JOB_DCNV_DATA = 26,
    JOB_ADJUST_MONITOR = 27,
    JOB_PRODUCT_DATE = 28,
    JOB_ADJUST_AVERAGE = 29,
    JOB_POLARITY_INVERT = 30,
    JOB_POLARITY_READ = 31,
};

enum class JobMode { Automatic, Interactive };

using JobHandler = void (*)(JobContext&, const PrcStep&);

struct JobKindInfo {
    uint8_t number;
    const char* name;
    JobMode mode;
    const char* doneText;    // null when the job logs none
    bool doneTextByHandler;  // the save kinds log it only when their register is registered
    JobHandler handler;      // null: nothing to do here (JOB_SKIP, and JOB_DCNV_DATA, which the runner handles)
};

// The row of kind 1..31, or null.
const JobKindInfo* jobKind(int number);
// "JOB_ADJUST" ..., "" for a number outside the table.
const char* jobKindName(int number);
// Kinds 1, 2, 25 and 27..31: the runner waits for the operator after them.
bool isInteractive(int number);

// What the runner logs for a skipped step.
extern const char* const kSkipDoneText;

// Waits named to the clock: the 2 s after JOB_POLARITY_INVERT stores the group.
extern const char* const kPolarityStoreWait;

} // namespace procedure
