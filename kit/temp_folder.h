#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents on destruction. Names are random, so parallel tests never meet.
// When no folder can be made (no temporary folder, nothing writable there)
// the path is empty; nothing is thrown.
#include <string>

namespace kit {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "pelaro");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace kit
