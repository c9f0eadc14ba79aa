#include "datafiles/download_screens.h"

#include <algorithm>

#include "core/ui.h"
#include "datafiles/mpu_download.h"
#include "datafiles/timing_download.h"
#include "datafiles/umt_init.h"

namespace datafiles {

DownloadScreen::DownloadScreen(appstate::ScreenContext& context, ServiceMode service, std::string title,
                               const char* listHeader)
    : context_(context), title_(std::move(title)), listHeader_(listHeader) {
    if (service == ServiceMode::Own) session_.emplace(context_);
    log_.setListener([this] { changed(); });
}

void DownloadScreen::startList() {
    log_.clear();
    if (listHeader_) log_.add(listHeader_);
}

void DownloadScreen::open() {
    if (session_ && !session_->open()) {
        close(0);
        return;
    }
    startList();
    changed();
}

void DownloadScreen::start() {
    if (!canStart()) return;
    running_ = true;
    progressShown_ = true;
    log_.setProgress(0);
    changed();
    result_ = runOnce();
    running_ = false;
    ran(*result_);
    changed();
}

void DownloadScreen::finish() {
    if (closed()) return;
    if (session_) session_->close();
    close(result_ == RunResult::Completed ? 1 : 0);
}

bool DownloadScreen::handle(const core::InputEvent& e) {
    if (closed() || running_) return false;
    if (e.is(core::Key::Enter) || e.isClick(kStart)) {
        if (!canStart()) return false;
        start();
        return true;
    }
    if (e.is(core::Key::Escape) || e.isClick(kClose)) {
        finish();
        return true;
    }
    if (e.isClick(kList) && listButton_) {
        listShown_ = !listShown_;
        changed();
        return true;
    }
    return false;
}

core::ScreenView DownloadScreen::view() const {
    core::ScreenView v;
    v.title = title_;
    if (listShown()) v.lists.push_back({"list", {log_.lines().begin(), log_.lines().end()}, -1});
    if (startShown_) v.buttons.push_back({kStart, canStart()});
    if (listButton_) v.buttons.push_back({kList, !running_});
    v.buttons.push_back({kClose, !running_});
    if (progressShown_) v.progress = std::max(0, log_.progress());
    v.keys = {"Escape"};
    if (canStart()) v.keys.insert(v.keys.begin(), "Enter");
    return v;
}

MpuScreen::MpuScreen(appstate::ScreenContext& context)
    : DownloadScreen(context, ServiceMode::Own, "MPU", " === Mpu Data List ===") {
    listShown_ = false;
}

RunResult MpuScreen::runOnce() {
    listShown_ = false;
    MpuDownload download(context_, log_);
    return download.run();
}

void MpuScreen::ran(RunResult result) {
    if (result != RunResult::Completed) return;
    progressShown_ = false;
    startShown_ = false;
    listButton_ = context_.flags.debug;
}

TimingDownloadScreen::TimingDownloadScreen(appstate::ScreenContext& context, ServiceMode service)
    : DownloadScreen(context, service, "Down timing", " === Down Timing Data List ===") {}

RunResult TimingDownloadScreen::runOnce() {
    startList();
    TimingDownload download(context_, log_);
    return download.run();
}

UmtInitScreen::UmtInitScreen(appstate::ScreenContext& context)
    : DownloadScreen(context, ServiceMode::Own, "UMT INIT", nullptr) {}

RunResult UmtInitScreen::runOnce() {
    UmtInit init(context_, log_);
    return init.run();
}

void UmtInitScreen::ran(RunResult result) {
    if (result == RunResult::Completed) progressShown_ = false;
}

namespace {
void runModal(appstate::ScreenContext& context, DownloadScreen& screen) {
    screen.open();
    if (!screen.closed()) context.ui.runModal(screen);
    screen.finish();  // service mode ends on every way out
}
} // namespace

void runMpu(appstate::ScreenContext& context) {
    MpuScreen screen(context);
    runModal(context, screen);
}

void runUmtInit(appstate::ScreenContext& context) {
    UmtInitScreen screen(context);
    runModal(context, screen);
}

void runTimingDownload(appstate::ScreenContext& context, ServiceMode service) {
    TimingDownloadScreen screen(context, service);
    runModal(context, screen);
}

} // namespace datafiles
