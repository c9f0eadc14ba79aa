#pragma once
// A temporary folder for one test, removed with its contents afterwards.
#include <string>

namespace platform::testing {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// Sets an environment variable for a scope and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();

private:
    std::string name_;
    bool had_;
    std::string old_;
};

} // namespace platform::testing
