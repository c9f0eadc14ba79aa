#pragma once
// A shared library loaded at run time.
#include <memory>
#include <string>

namespace platform {

class DynamicLibrary {
public:
    static std::unique_ptr<DynamicLibrary> open(const std::string& path, std::string* error = nullptr);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The address of an exported symbol, or null.
    void* symbol(const std::string& name) const;
    template <typename Fn> Fn function(const std::string& name) const {
        return reinterpret_cast<Fn>(symbol(name));
    }

private:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// The folder of the loaded executable or shared library that holds `address`
// (a function or object of it), or empty when the system cannot tell.
std::string folderOfLoadedObject(const void* address);

} // namespace platform
