#include "link/comm_log.h"

#include "platform/exclusive_file.h"

namespace ecs {

bool CommLog::open(const std::string& path) {
    close();
    file_ = platform::openExclusiveForWriting(path);
    return file_ != nullptr;
}

void CommLog::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void CommLog::byte(uint8_t value) {
    if (file_) std::fprintf(file_, "%02x,", value);
}

void CommLog::endFrame() {
    if (file_) std::fputs("=> ", file_);
}

void CommLog::endAnswer() {
    if (!file_) return;
    std::fputs("\r\n", file_);
    std::fflush(file_);
}

} // namespace ecs
