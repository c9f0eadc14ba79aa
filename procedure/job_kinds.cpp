#include "procedure/job_kinds.h"

#include <array>

#include "procedure/jobs.h"

namespace procedure {

const char* const kSkipDoneText = " === SKIP done ===";

namespace {

constexpr JobMode A = JobMode::Automatic;
constexpr JobMode I = JobMode::Interactive;

// clang-format off
constexpr std::array<JobKindInfo, 31> kJobKinds{{
    {JOB_ADJUST,          "JOB_ADJUST",          I, nullptr,                            false, &jobs::adjust},
    {JOB_MESSAGE,         "JOB_MESSAGE",         I, nullptr,                            false, &jobs::message},
    {JOB_SERVICE_SAVE,    "JOB_SERVICE_SAVE",    A, " === JOB_SERVICE_SAVE done ===",   true,  &jobs::save},
    {JOB_USER_SAVE,       "JOB_USER_SAVE",       A, " === JOB_USER_SAVE done ===",      true,  &jobs::save},
    {JOB_COLOR_SAVE,      "JOB_COLOR_SAVE",      A, " === JOB_COLOR_SAVE done ===",     true,  &jobs::save},
    {JOB_AUDIO_SAVE,      "JOB_AUDIO_SAVE",      A, " === JOB_AUDIO_SAVE done ===",     true,  &jobs::save},
    {JOB_READ,            "JOB_READ",            A, " === JOB_READ done ===",           false, &jobs::read},
    {JOB_WRITE,           "JOB_WRITE",           A, " === JOB_WRITE done ===",          false, &jobs::write},
    {JOB_REG_WRITE,       "JOB_REG_WRITE",       A, " === JOB_REG_WRITE done ===",      false, &jobs::registerWrite},
    {JOB_FACTORY,         "JOB_FACTORY",         A, " === JOB_FACTORY done ===",        false, &jobs::factory},
    {JOB_FAIL_INFO,       "JOB_FAIL_INFO",       A, " === JOB_FAIL_INFO done ===",      false, &jobs::failInfo},
    {JOB_MATH,            "JOB_MATH",            A, " === JOB_MATH done ===",           false, &jobs::math},
    {JOB_SKIP,            "JOB_SKIP",            A, nullptr,                            false, nullptr},
    {JOB_ABL,             "JOB_ABL",             A, " === JOB_ABL done ===",            false, &jobs::abl},
    {JOB_RSV_SET,         "JOB_RSV_SET",         A, " === JOB_RSV_SET done ===",        false, &jobs::reserveSet},
    {JOB_RSV_READ,        "JOB_RSV_READ",        A, " === JOB_RSV_READ done ===",       false, &jobs::reserveRead},
    {JOB_RSV_WRITE,       "JOB_RSV_WRITE",       A, " === JOB_RSV_WRITE done ===",      false, &jobs::reserveWrite},
    {JOB_RGB_MIN_JMP,     "JOB_RGB_MIN_JMP",     A, " === JOB_RGB_MIN_JMP done ===",    false, &jobs::rgbMinJump},
    {JOB_RGB_MAX_JMP,     "JOB_RGB_MAX_JMP",     A, " === JOB_RGB_MAX_JMP done ===",    false, &jobs::rgbMaxJump},
    {JOB_IRE_SET,         "JOB_IRE_SET",         A, " === JOB_IRE_SET done ===",        false, &jobs::ireSet},
    {JOB_MAX_MIN,         "JOB_MAX_MIN",         A, " === JOB_MAX_MIN done ===",        false, &jobs::maxMin},
    {JOB_SG_SET,          "JOB_SG_SET",          A, " === JOB_SG_SET done ===",         false, &jobs::sgSet},
    {JOB_DCNV_COND,       "JOB_DCNV_COND",       A, " === JOB_DCNV_COND done ===",      false, &jobs::dcnvCondition},
    {JOB_DCNV_RST,        "JOB_DCNV_RST",        A, " === JOB_DCNV_RST done ===",       false, &jobs::dcnvReset},
    {JOB_DCNV_ADJUST,     "JOB_DCNV_ADJUST",     I, nullptr,                            false, &jobs::dcnvAdjust},
    {JOB_DCNV_DATA,       "JOB_DCNV_DATA",       A, nullptr,                            false, nullptr},
    {JOB_ADJUST_MONITOR,  "JOB_ADJUST_MONITOR",  I, nullptr,                            false, &jobs::adjustMonitor},
    {JOB_PRODUCT_DATE,    "JOB_PRODUCT_DATE",    I, nullptr,                            false, &jobs::productDate},
    {JOB_ADJUST_AVERAGE,  "JOB_ADJUST_AVERAGE",  I, nullptr,                            false, &jobs::adjustAverage},
    {JOB_POLARITY_INVERT, "JOB_POLARITY_INVERT", I, nullptr,                            false, &jobs::polarityInvert},
    {JOB_POLARITY_READ,   "JOB_POLARITY_READ",   I, nullptr,                            false, &jobs::polarityRead},
}};
// clang-format on

constexpr bool numberedInOrder() {
    for (size_t i = 0; i < kJobKinds.size(); ++i)
        if (kJobKinds[i].number != i + 1) return false;
    return true;
}
static_assert(numberedInOrder(), "row n of the kind table is kind n + 1");

} // namespace

const JobKindInfo* jobKind(int number) {
    if (number < 1 || number > static_cast<int>(kJobKinds.size())) return nullptr;
    return &kJobKinds[static_cast<size_t>(number - 1)];
}

const char* jobKindName(int number) {
    const JobKindInfo* k = jobKind(number);
    return k ? k->name : "";
}

bool isInteractive(int number) {
    const JobKindInfo* k = jobKind(number);
    return k && k->mode == JobMode::Interactive;
}

} // namespace procedure
