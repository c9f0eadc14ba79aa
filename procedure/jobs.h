#pragma once
// The job handlers of the kind table, grouped by what they touch. Each takes
// the job context and the step; none of them stops the run by itself.
#include "procedure/job_context.h"
#include "procedure/prc_file.h"

namespace procedure::jobs {

// panel_jobs.cpp: kinds that set up the operator panel.
void adjust(JobContext& c, const PrcStep& step);          // JOB_ADJUST
void message(JobContext& c, const PrcStep& step);         // JOB_MESSAGE
void adjustMonitor(JobContext& c, const PrcStep& step);   // JOB_ADJUST_MONITOR
void productDate(JobContext& c, const PrcStep& step);     // JOB_PRODUCT_DATE
void adjustAverage(JobContext& c, const PrcStep& step);   // JOB_ADJUST_AVERAGE
// Keys, jumps and message codes of a panel kind into the panel.
void copyPanelControls(JobContext& c, const PrcStep& step);
void showStepMessages(JobContext& c);

// register_jobs.cpp: kinds that read and write registers by code.
void save(JobContext& c, const PrcStep& step);            // JOB_SERVICE_SAVE .. JOB_AUDIO_SAVE
void registerWrite(JobContext& c, const PrcStep& step);   // JOB_REG_WRITE
void reserveSet(JobContext& c, const PrcStep& step);      // JOB_RSV_SET
void reserveRead(JobContext& c, const PrcStep& step);     // JOB_RSV_READ
void reserveWrite(JobContext& c, const PrcStep& step);    // JOB_RSV_WRITE
void rgbMinJump(JobContext& c, const PrcStep& step);      // JOB_RGB_MIN_JMP
void rgbMaxJump(JobContext& c, const PrcStep& step);      // JOB_RGB_MAX_JMP

// variable_jobs.cpp: kinds that read or compute procedure variables.
void read(JobContext& c, const PrcStep& step);            // JOB_READ
void write(JobContext& c, const PrcStep& step);           // JOB_WRITE
void math(JobContext& c, const PrcStep& step);            // JOB_MATH
void abl(JobContext& c, const PrcStep& step);             // JOB_ABL
void maxMin(JobContext& c, const PrcStep& step);          // JOB_MAX_MIN

// generator_jobs.cpp
void ireSet(JobContext& c, const PrcStep& step);          // JOB_IRE_SET
void sgSet(JobContext& c, const PrcStep& step);           // JOB_SG_SET

// dcnv_jobs.cpp
void dcnvCondition(JobContext& c, const PrcStep& step);   // JOB_DCNV_COND
void dcnvReset(JobContext& c, const PrcStep& step);       // JOB_DCNV_RST
void dcnvAdjust(JobContext& c, const PrcStep& step);      // JOB_DCNV_ADJUST

// screen_jobs.cpp: kinds that open a nested screen.
void factory(JobContext& c, const PrcStep& step);         // JOB_FACTORY
void failInfo(JobContext& c, const PrcStep& step);        // JOB_FAIL_INFO

// polarity_jobs.cpp: kinds that work on the polarity data group.
void polarityInvert(JobContext& c, const PrcStep& step);  // JOB_POLARITY_INVERT
void polarityRead(JobContext& c, const PrcStep& step);    // JOB_POLARITY_READ

} // namespace procedure::jobs
