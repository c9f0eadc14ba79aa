#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/xdg_paths.h"

namespace platform {

namespace {

// ".<target name>.<pid>-<sequence>.pelaro-tmp": hidden beside the target,
// unique per writer, and recognisable by its suffix.
constexpr const char* kSuffix = ".pelaro-tmp";
constexpr int kOpenAttempts = 8;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFile(int fd, const std::string& path) {
    struct stat a {}, b {};
    return fstat(fd, &a) == 0 && lstat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool writeAll(int fd, const char* p, size_t left) {
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return;
    fsync(dirFd);
    ::close(dirFd);
}

} // namespace

AtomicFile::~AtomicFile() { abandon(); }

bool AtomicFile::open(const std::string& path, std::string* error) {
    abandon();
    failed_ = false;
    savedErrno_ = 0;
    path_ = path;
    // A link is followed: the file it names is replaced, the link stays.
    struct stat link {};
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            path_ = real;
            free(real);
        }
    }
    const std::string folder = folderOf(path_);
    if (!makeFolders(folder)) {
        if (error) *error = folder + ": " + strerror(errno);
        return false;
    }
    static std::atomic<unsigned> sequence{0};
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        const std::string temp = folder + "/." + nameOf(path_) + "." + std::to_string(getpid()) + "-" +
                                 std::to_string(sequence++) + kSuffix;
        const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            if (error) *error = temp + ": " + strerror(errno);
            return false;
        }
        // Locked for as long as this writer lives. A cleaner that found it
        // unlocked in the moment before may have removed it: then start over.
        if (flock(fd, LOCK_EX) != 0 || !sameFile(fd, temp)) {
            ::close(fd);
            continue;
        }
        // A replaced file keeps its permissions.
        struct stat old {};
        if (stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
        fd_ = fd;
        temp_ = temp;
        return true;
    }
    if (error) *error = path_ + ": no temporary file could be made";
    return false;
}

bool AtomicFile::write(const void* data, size_t n) {
    if (fd_ < 0 || failed_) return false;
    if (!writeAll(fd_, static_cast<const char*>(data), n)) {
        failed_ = true;
        savedErrno_ = errno;
    }
    return !failed_;
}

bool AtomicFile::commit(std::string* error) {
    auto fail = [&](const std::string& what, int err) {
        if (error) *error = what + ": " + strerror(err);
        abandon();
        return false;
    };
    if (fd_ < 0) {
        if (error) *error = path_ + ": not open";
        return false;
    }
    if (failed_) return fail(temp_, savedErrno_);
    if (fsync(fd_) != 0) return fail(temp_, errno);
    if (rename(temp_.c_str(), path_.c_str()) != 0) return fail(path_, errno);
    ::close(fd_);  // the lock goes with it; the name is the target's now
    fd_ = -1;
    temp_.clear();
    syncFolder(folderOf(path_));
    return true;
}

void AtomicFile::abandon() {
    if (fd_ < 0) return;
    unlink(temp_.c_str());
    ::close(fd_);
    fd_ = -1;
    temp_.clear();
}

bool isAtomicTemporaryName(const std::string& name) {
    const size_t suffix = strlen(kSuffix);
    return name.size() > suffix + 1 && name[0] == '.' && name.compare(name.size() - suffix, suffix, kSuffix) == 0;
}

int removeAbandonedTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isAtomicTemporaryName(name)) continue;
        const std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat st {};
        // Only a regular file nobody holds: its writer is gone.
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, path) &&
            unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    closedir(dir);
    return removed;
}

bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error) {
    AtomicFile file;
    if (!file.open(path, error)) return false;
    if (!file.write(content.data(), content.size())) {
        file.commit(error);  // reports the write's failure and removes the file
        return false;
    }
    return file.commit(error);
}

} // namespace platform
