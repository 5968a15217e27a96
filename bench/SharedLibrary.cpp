#include "SharedLibrary.h"

#include "BenchError.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const std::string& path, const std::string& hint) : path_(path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        throw BenchError("cannot load " + path + ": " + dlerror() + " (" + hint + ")");
}

SharedLibrary::~SharedLibrary()
{
    dlclose(handle_);
}

void* SharedLibrary::symbol(const char* name) const
{
    void* address = dlsym(handle_, name);
    if (address == nullptr)
        throw BenchError(path_ + " exports no " + name);
    return address;
}
