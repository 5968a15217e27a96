#include "ClapLibrary.h"
#if defined(_WIN32)
#include <windows.h>

CClapLibrary::CClapLibrary(const std::string& path)
{
    // Build paths are Unix paths; Wine shows the root file system as drive Z:.
    std::string windowsPath = !path.empty() && path[0] == '/' ? "Z:" + path : path;
    for (char& c : windowsPath)
        if (c == '/')
            c = '\\';
    m_handle = reinterpret_cast<void*>(LoadLibraryA(windowsPath.c_str()));
}

CClapLibrary::~CClapLibrary()
{
    if (m_handle)
        FreeLibrary(static_cast<HMODULE>(m_handle));
}

void* CClapLibrary::Symbol(const char* name) const
{
    return m_handle ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name)) : nullptr;
}
#else
#include <dlfcn.h>

CClapLibrary::CClapLibrary(const std::string& path) { m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

CClapLibrary::~CClapLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}

void* CClapLibrary::Symbol(const char* name) const { return m_handle ? dlsym(m_handle, name) : nullptr; }
#endif
