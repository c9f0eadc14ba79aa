#pragma once
// The user-mode timing initialisation: the per-mode values of the model's
// UMT group (the e-th group stored per mode, e the model's UMT number)
// written from MPU_MODE record e - 1 for each of the model's preset modes,
// then the monitor's counts of factory and user timings reset to the number
// of presets. Nothing is listed; a lost link stops it at once.
#include <cstdint>
#include <optional>

#include "datafiles/data_run.h"
#include "modeldb/model_data.h"

namespace datafiles {

// The UMT numbers for which a model offers the initialisation.
constexpr int kFirstUmtNumber = 1;
constexpr int kLastUmtNumber = 30;
bool umtInitAvailable(const modeldb::ModelImage& image);

// Told when the model's MPU tables lack values of the UMT group (those are
// not written).
extern const char* const kUmtValuesMissing;

// The index of the e-th group (from 1) among those stored per mode, if any.
std::optional<size_t> umtGroup(const modeldb::StandardBlock& standard, int umtNumber);

class UmtInit : public DataRun {
public:
    UmtInit(appstate::ScreenContext& context, core::OperationLog& log) : DataRun(context, log) {}

    RunResult run();

private:
    bool chassisRegister(int16_t code, int32_t value);
    // The group's values for each preset mode; false when the link is lost.
    bool writeGroup(const modeldb::DataGroup& group, size_t record, int presets);

    int32_t last_ = 0;
};

} // namespace datafiles
