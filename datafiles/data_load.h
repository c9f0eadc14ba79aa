#pragma once
// The load of a data file into the monitor: the file is checked against the
// current model (a file of another model only after the technician's Yes, a
// file of other standard data never), then every stored value is written
// back in the order it was saved, special groups with their selectors,
// power cycles and commits, and every register is listed. A value the save
// could not read ("=err=") is passed over. Values go out with flags 0, so the
// link may keep the last block back; the load sends it before it ends or
// stops, so what the list shows as written is in the monitor.
#include <optional>
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
    bool selector(uint16_t code, int32_t value);
    bool remember(uint16_t code, bool& have, int32_t& value);
    bool commit(const modeldb::DataGroup& group, uint32_t waitMs);
    // The stored value, or null after telling why the file has none there.
    const DatValue* stored(size_t g, size_t b, size_t v);
    bool fault();
    bool linkLost();
    // Every access goes through write and read. A value written with
    // flags 0 stays in a block the link keeps back until an access
    // elsewhere sends it, and a monitor that refuses that block fails the
    // access that sent it, again and again while the block stays. When an
    // access fails, the block is sent on its own: when the monitor refuses
    // it, the value kept back is listed as not written (`failLine`, its own
    // error line), the block is dropped so the rest of the load can go on,
    // and the access is tried once more.
    uint32_t write(uint16_t code, int32_t value, int flags, std::string failLine = {});
    uint32_t read(uint16_t code, int32_t& value, int flags);
    // Sends the block kept back (false when the link is lost).
    bool sendPending();
    // Sends the block kept back alone; lists and drops it when refused.
    uint32_t sendKeptBack();
    // True when `result` failed because the block kept back was refused.
    bool pendingRefused(uint32_t result);

    struct Pending {
        uint16_t code;
        std::string failLine;
    };
    DatContents contents_;
    int32_t last_ = 0;
    std::optional<Pending> pending_;
};

} // namespace datafiles
