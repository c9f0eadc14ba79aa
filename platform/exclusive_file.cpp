#include "platform/exclusive_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::FILE* openExclusiveForWriting(const std::string& path, std::string* error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error) *error = path + ": " + strerror(errno);
        return nullptr;
    }
    // Lock before truncating, so a refused open leaves the other writer's file intact.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (error) *error = path + ": in use by another writer";
        ::close(fd);
        return nullptr;
    }
    if (ftruncate(fd, 0) != 0) {
        if (error) *error = path + ": " + strerror(errno);
        ::close(fd);
        return nullptr;
    }
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        if (error) *error = path + ": " + strerror(errno);
        ::close(fd);
    }
    return f;
}

} // namespace platform
