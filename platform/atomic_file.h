#pragma once
// A file replaced as a whole or not at all. Its new content goes into a
// temporary file beside the target; commit() makes it durable and renames it
// over the target. A writer that gives up, fails or dies leaves the target
// byte for byte as it was. The temporary file stays locked while its writer
// lives, so a later writer in the same folder can tell one whose writer died
// (a crash, a kill) and remove it.
//
//   platform::AtomicFile f;
//   if (!f.open(path, &error)) ...;
//   f.write(bytes, n); ...
//   if (!f.commit(&error)) ...;   // the target is unchanged on failure
#include <cstddef>
#include <string>

namespace platform {

class AtomicFile {
public:
    AtomicFile() = default;
    // Abandons a content that was not committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Starts a new content for `path` (its folder is created when missing;
    // for a symbolic link, the file it names).
    // False with *error when no temporary file can be made there.
    bool open(const std::string& path, std::string* error = nullptr);
    bool isOpen() const { return fd_ >= 0; }
    // Appends bytes; false once any write failed (commit then fails too).
    bool write(const void* data, size_t n);
    // Flushes the content to disk and renames it over the target. False with
    // *error (and the target unchanged, the temporary file removed) when any
    // step fails.
    bool commit(std::string* error = nullptr);
    // Removes the temporary file; the target stays as it was.
    void abandon();

    // The file that is replaced.
    const std::string& path() const { return path_; }
    const std::string& temporaryPath() const { return temp_; }

private:
    int fd_ = -1;
    bool failed_ = false;
    int savedErrno_ = 0;
    std::string path_;
    std::string temp_;
};

// True for the name (not the path) of an AtomicFile's temporary file.
bool isAtomicTemporaryName(const std::string& name);

// Removes the temporary files in `folder` whose writer is gone; those of
// live writers stay. Returns how many were removed.
int removeAbandonedTemporaries(const std::string& folder);

// Writes `content` to `path` as one AtomicFile.
bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error = nullptr);

} // namespace platform
