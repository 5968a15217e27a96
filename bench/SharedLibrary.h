#pragma once
// A plug-in binary opened with dlopen, as a host opens it; closed when the object goes.
#include <string>

class SharedLibrary
{
public:
    // BenchError with the loader's reason and the hint when the file cannot be loaded.
    SharedLibrary(const std::string& path, const std::string& hint);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    const std::string& path() const { return path_; }
    // The exported symbol; BenchError naming it when the library has none.
    void* symbol(const char* name) const;

private:
    std::string path_;
    void* handle_ = nullptr;
};
