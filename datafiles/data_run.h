#pragma once
// What the save and the load of monitor data share: their named waits,
// their fixed texts, the progress rule, the list, and the closing steps.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/state/screen_context.h"
#include "core/operation_log.h"
#include "modeldb/model_data.h"

namespace datafiles {

// Named waits.
inline constexpr std::string_view kWaitSelector = "data selector";            // 3000 ms: types 1 and 2
inline constexpr std::string_view kWaitModeSelector = "data mode selector";   // types 3 and 4: 2000 ms, 1000 ms on load
inline constexpr std::string_view kWaitPower = "data power";                  // 2000 ms after power on and off
inline constexpr std::string_view kWaitCommit = "data commit";                // after a group's commit register
inline constexpr std::string_view kWaitSelectorReset = "data selector reset"; // 1000 ms: type 3 load, item 1 = 0
inline constexpr std::string_view kWaitFinish = "data finish";                // twice 100 ms at the end

constexpr uint32_t kSelectorMs = 3000;
constexpr uint32_t kPowerMs = 2000;
constexpr uint32_t kModeSelectorSaveMs = 2000;
constexpr uint32_t kModeSelectorLoadMs = 1000;
constexpr uint32_t kCommitMs = 2000;
constexpr uint32_t kModeCommitMs = 1000;
constexpr uint32_t kSelectorResetMs = 1000;
constexpr uint32_t kFinishMs = 100;

// The register written at the end of both runs.
constexpr uint16_t kFinalRegister = 1;

extern const char* const kCheckLine;        // "Check RS232C line"
extern const char* const kLabelDifferent;   // "Label data different"
extern const char* const kModeDifferent;    // "Mode data different"
// Texts of our own for what the runs also guard against.
extern const char* const kValueDifferent;   // a value field that is no number
extern const char* const kFileShort;        // the file ends within the walk
extern const char* const kFileUnreadable;   // the file to load cannot be read
extern const char* const kSaveStopped;      // the save stopped: the target is as it was
extern const char* const kSaveNotWritten;   // the file could not be written: the target is as it was

// A run that stops (the link lost, the wrong model refused, other standard
// data, a file that does not fit the model) ends at once: no write of the
// final register, no end list, no closing progress; a save leaves the file
// as it was.
enum class RunResult {
    Completed,
    Stopped,
    Failed,   // the file could not be read or written
};

// 0 at the start, 4 more per group and 1 more per mode but never beyond 80,
// then 90, 95 and 100 at the end.
class RunProgress {
public:
    static constexpr int kPerGroup = 4;
    static constexpr int kPerMode = 1;
    static constexpr int kWalkLimit = 80;

    explicit RunProgress(core::OperationLog& log) : log_(log) {}
    void start() { set(0); }
    void group() { set(std::min(kWalkLimit, value_ + kPerGroup)); }
    void mode() { set(std::min(kWalkLimit, value_ + kPerMode)); }
    void set(int percent) {
        value_ = percent;
        log_.setProgress(percent);
    }

private:
    core::OperationLog& log_;
    int value_ = 0;
};

class DataRun {
protected:
    DataRun(appstate::ScreenContext& context, core::OperationLog& log);

    // Adds a list line and lets the display catch up.
    void list(std::string line);
    // A message box that is also a list line.
    void showAndList(const std::string& text);
    // The header field of the standard data the current model uses.
    const std::string& standardName() const;
    std::string name(uint16_t code) const { return context_.registers.registerName(code); }
    // The closing steps of a completed walk, up to 90, then `close`, the
    // end list, 95 and 100.
    void finish(int32_t lastValue, const std::function<void()>& close);

    appstate::ScreenContext& context_;
    core::OperationLog& log_;
    RunProgress progress_;
};

} // namespace datafiles
