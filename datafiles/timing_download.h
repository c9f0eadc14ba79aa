#pragma once
// The timing download ("Down timing"): the model's preset timings written
// into the monitor's timing table, one display mode per timing, then the
// table's counts set and the table stored. Refused writes do not stop it;
// the list shows what was sent. A lost link stops it at once.
#include <array>
#include <cstdint>
#include <string_view>

#include "datafiles/data_run.h"
#include "modeldb/model_data.h"

namespace datafiles {

inline constexpr std::string_view kWaitTimingStore = "timing store";    // 200 ms after S_save
inline constexpr std::string_view kWaitTimingFinish = "timing finish";  // 500 ms at 100 %
constexpr uint32_t kTimingStoreMs = 200;
constexpr uint32_t kTimingFinishMs = 500;

// What goes into the five timing-table registers for one timing: sync
// kind, horizontal and vertical polarity, the horizontal frequency in
// 100 Hz and the vertical frequency in 0.01 Hz. The 0.0005 bias keeps a
// frequency stored as a float just below its value (59.94) from losing a
// digit; a frequency that is no finite number gives 0.
std::array<int32_t, 5> timingTableValues(const modeldb::ModelTiming& timing);

class TimingDownload : public DataRun {
public:
    static constexpr int kPerTiming = 5;
    static constexpr int kTimingLimit = 80;  // the progress the timings reach at most

    TimingDownload(appstate::ScreenContext& context, core::OperationLog& log) : DataRun(context, log) {}

    RunResult run();

private:
    // A write of a chassis register (none when its code is 0); false when
    // the link is lost.
    bool chassisWrite(int16_t code, int32_t value, int flags);
};

} // namespace datafiles
