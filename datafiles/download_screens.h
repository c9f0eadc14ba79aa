#pragma once
// The screens of the three downloads into the monitor: "&MPU" (the MPU
// tables), "Down timing" (the timing table) and "UMT INIT" (the user-mode
// timings). Each has a progress bar, a Start button that runs its download
// and a Close button; MPU and Down timing list every register handled.
// MPU and UMT INIT hold the monitor's service mode while open; Down timing
// does when opened as a command of its own, and runs within the service
// mode of the screen that opens it otherwise.
#include <optional>
#include <string>

#include "app/state/screen_context.h"
#include "app/state/service_session.h"
#include "core/operation_log.h"
#include "core/screen.h"
#include "datafiles/data_run.h"

namespace datafiles {

enum class ServiceMode {
    Held,  // the opening screen holds service mode
    Own,   // the screen enters and leaves it
};

class DownloadScreen : public core::Screen {
public:
    static constexpr const char* kStart = "Start";
    static constexpr const char* kList = "List";
    static constexpr const char* kClose = "Close";

    // Enters service mode (when the screen owns it) and starts its list. The
    // screen closes at once when the monitor is not connected.
    void open();
    // Runs the download (again, where the screen offers Start again).
    void start();
    // Leaves service mode (when the screen owns it) and closes.
    void finish();

    // Enter or "Start" starts, Escape or "Close" closes, "List" shows or
    // hides the list where the screen has that button. Nothing is taken
    // while the download runs.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

    const std::string& title() const { return title_; }
    const core::OperationLog& log() const { return log_; }
    bool running() const { return running_; }
    bool hasList() const { return listHeader_ != nullptr; }
    bool listShown() const { return hasList() && listShown_; }
    bool listButtonShown() const { return listButton_; }
    bool progressShown() const { return progressShown_; }
    bool startShown() const { return startShown_; }
    bool canStart() const { return startShown_ && !running_ && !closed(); }
    std::optional<RunResult> lastResult() const { return result_; }

protected:
    DownloadScreen(appstate::ScreenContext& context, ServiceMode service, std::string title, const char* listHeader);
    virtual RunResult runOnce() = 0;
    // What a completed or stopped run leaves on view.
    virtual void ran(RunResult result) = 0;
    void startList();

    appstate::ScreenContext& context_;
    core::OperationLog log_;
    bool listShown_ = true;
    bool listButton_ = false;
    bool progressShown_ = true;
    bool startShown_ = true;

private:
    std::string title_;
    const char* listHeader_;  // null: the screen has no list
    std::optional<appstate::ServiceSession> session_;
    bool running_ = false;
    std::optional<RunResult> result_;
};

// "&MPU": the list stays hidden; after a completed download the progress
// bar and Start go, and in debug mode the List button shows the list.
class MpuScreen : public DownloadScreen {
public:
    static constexpr const char* kKind = "Mpu";
    explicit MpuScreen(appstate::ScreenContext& context);
    std::string kind() const override { return kKind; }

protected:
    RunResult runOnce() override;
    void ran(RunResult result) override;
};

class TimingDownloadScreen : public DownloadScreen {
public:
    static constexpr const char* kKind = "TimingDownload";
    TimingDownloadScreen(appstate::ScreenContext& context, ServiceMode service);
    std::string kind() const override { return kKind; }

protected:
    RunResult runOnce() override;
    void ran(RunResult) override {}
};

// "UMT INIT": no list; a completed initialisation hides the progress bar.
class UmtInitScreen : public DownloadScreen {
public:
    static constexpr const char* kKind = "UmtInit";
    explicit UmtInitScreen(appstate::ScreenContext& context);
    std::string kind() const override { return kKind; }

protected:
    RunResult runOnce() override;
    void ran(RunResult result) override;
};

// Open the screens modally through the context's Ui, with service mode
// ended on every way out.
void runMpu(appstate::ScreenContext& context);
void runUmtInit(appstate::ScreenContext& context);
// The timing download as a nested screen within the service mode of the
// screen that opens it (the expert screen), or as a command of its own.
void runTimingDownload(appstate::ScreenContext& context, ServiceMode service = ServiceMode::Held);

} // namespace datafiles
