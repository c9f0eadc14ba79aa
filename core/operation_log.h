#pragma once
// What a long operation shows while it runs: its log lines, its progress
// (0..100) and whether the technician asked it to stop. A screen owns one and
// fills it; the front ends render it (a list box and a progress bar, or lines
// and a bar on the terminal). The log keeps its newest kMaxLines lines.
#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace core {

class OperationLog {
public:
    static constexpr size_t kMaxLines = 100000;

    void add(std::string line);
    void clear();
    const std::deque<std::string>& lines() const { return lines_; }

    // -1 while the operation shows no progress.
    int progress() const { return progress_; }
    // Kept within 0..100; -1 hides the progress again.
    void setProgress(int percent);

    bool cancelRequested() const { return cancel_; }
    void requestCancel() { cancel_ = true; }
    void clearCancel() { cancel_ = false; }

    // Called after every change of lines or progress.
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void changed() { if (listener_) listener_(); }
    std::deque<std::string> lines_;
    int progress_ = -1;
    bool cancel_ = false;
    std::function<void()> listener_;
};

} // namespace core
