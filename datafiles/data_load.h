#pragma once
// The load of a data file into the monitor: the file is checked against the
// current model (a file of another model only after the technician's Yes, a
// file of other standard data never), then every stored value is written
// back in the order it was saved, special groups with their selectors,
// power cycles and commits, and every register is listed. A value the save
// could not read ("=err=") is passed over. Values go out with flags 0, so the
// link may keep the last block back; the load sends it before it ends or
// stops, so what the list shows as written is in the monitor.
#include <string>

#include "datafiles/dat_reader.h"
#include "datafiles/data_groups.h"
#include "datafiles/data_run.h"

namespace datafiles {

class DataLoad : public DataRun {
public:
    DataLoad(appstate::ScreenContext& context, core::OperationLog& log) : DataRun(context, log) {}

    RunResult run(const std::string& path);

private:
    // Each step is false when the run has to stop.
    bool headerAccepted();
    bool group(size_t g, const modeldb::DataGroup& group);
    bool ordinary(size_t g, const modeldb::DataGroup& group);
    bool special(size_t g, const modeldb::DataGroup& group, GroupKind kind);
    // Writes the stored values of block `b` with `flags`, items from `first`.
    bool items(size_t g, size_t b, const modeldb::DataGroup& group, size_t first, int flags);
    // The stored value, or null after telling why the file has none there.
    const DatValue* stored(size_t g, size_t b, size_t v);
    bool fault();
    DatContents contents_;
    int32_t last_ = 0;
};

} // namespace datafiles
