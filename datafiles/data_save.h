#pragma once
// The save of a monitor's adjustment data into a data file: every register
// of the model's data groups is read and stored, special groups in the order
// of their type, and every register is listed.
//
// The file is written into a temporary file beside the target, flushed to
// disk and renamed over the target only when the run completed: a save that
// stops (a silent monitor) or fails, and a process that is killed, leave an
// existing file byte for byte as it was. The next save to the folder removes
// a temporary file that a killed process left.
#include <string>

#include "datafiles/data_groups.h"
#include "datafiles/data_run.h"
#include "kit/dat_file.h"
#include "platform/atomic_file.h"

namespace datafiles {

class DataSave : public DataRun {
public:
    DataSave(appstate::ScreenContext& context, core::OperationLog& log) : DataRun(context, log) {}

    RunResult run(const std::string& path);

private:
    // Each step is false when the run has to stop.
    bool group(const modeldb::DataGroup& group);
    bool ordinary(const modeldb::DataGroup& group);
    bool special(const modeldb::DataGroup& group, GroupKind kind);
    bool items(const modeldb::DataGroup& group, size_t first, int flags);
    bool selector(uint16_t code, int32_t value);
    bool remember(uint16_t code, bool& have, int32_t& value);
    bool emit();
    bool linkLost();

    platform::AtomicFile file_;
    kit::DatWriter writer_;
    int32_t last_ = 0;
    bool writeFailed_ = false;
};

} // namespace datafiles
