#pragma once
// The MPU download: the model's default register values written into the
// monitor from its MPU tables, walking the data groups as the load does.
// Groups stored once and special groups of type 2 take MPU_DATA records in
// turn; groups stored per mode and special groups of types 3 and 4 take
// MPU_MODE records in turn. Every register is listed. A lost link stops
// the run at once, without the end list; refused writes are listed and the
// run goes on.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "datafiles/data_groups.h"
#include "datafiles/data_run.h"
#include "modeldb/mpu_tables.h"

namespace datafiles {

// Named waits besides the shared ones (power, commit, selector reset, finish).
inline constexpr std::string_view kWaitMpuSettle = "mpu settle";  // 1000 ms after a type-3 commit
constexpr uint32_t kMpuSettleMs = 1000;
constexpr uint32_t kMpuSelectorResetMs = 2000;  // after item 1 of a type-3 group is set to 0

// A mode-limit register that reads 0 sets no limit.
constexpr int32_t kNoModeLimit = 255;

// The list's tail for an item the model's MPU tables have no value for
// (a record, mode or item beyond them): nothing is written.
extern const char* const kNoMpuData;  // "No MPU data"

class MpuDownload : public DataRun {
public:
    MpuDownload(appstate::ScreenContext& context, core::OperationLog& log);

    RunResult run();

    // The records the next groups take (for tests of the walk).
    size_t dataRecord() const { return k_; }
    size_t modeRecord() const { return m_; }

private:
    // Each step is false when the run has to stop.
    bool group(const modeldb::DataGroup& group);
    bool once(const modeldb::DataGroup& group);
    bool perMode(const modeldb::DataGroup& group);
    bool modeLimit(const modeldb::DataGroup& group, int32_t& limit);
    bool special2(const modeldb::DataGroup& group);
    bool special3(const modeldb::DataGroup& group);
    bool special4(const modeldb::DataGroup& group);
    // Writes one table value with flags 0 and lists it: "NNN:" with the
    // item number when `number` is nonzero.
    bool value(int number, uint16_t code, std::optional<int16_t> value);
    // A register the chassis record names, 0 for none.
    bool chassisRegister(int16_t code, int32_t value);

    modeldb::MpuTables tables_;
    size_t k_ = 0;
    size_t m_ = 0;
    int32_t last_ = 0;
};

} // namespace datafiles
