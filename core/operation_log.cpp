#include "core/operation_log.h"

#include <algorithm>

namespace core {

void OperationLog::add(std::string line) {
    if (lines_.size() >= kMaxLines) lines_.pop_front();
    lines_.push_back(std::move(line));
    changed();
}

void OperationLog::clear() {
    lines_.clear();
    changed();
}

void OperationLog::setProgress(int percent) {
    progress_ = percent < 0 ? -1 : std::min(percent, 100);
    changed();
}

} // namespace core
