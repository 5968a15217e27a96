#include "PluginLibrary.h"
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#if defined(_WIN32)
PluginLibrary::PluginLibrary(const std::string& path)
{
    // Build paths are Unix paths; Wine shows the root file system as drive Z:.
    std::string windowsPath = path[0] == '/' ? "Z:" + path : path;
    for (char& c : windowsPath)
        if (c == '/')
            c = '\\';
    m_handle = reinterpret_cast<void*>(LoadLibraryA(windowsPath.c_str()));
}

PluginLibrary::~PluginLibrary()
{
    if (m_handle)
        FreeLibrary(static_cast<HMODULE>(m_handle));
}

VstPluginMainProc PluginLibrary::Entry(const char* name) const
{
    return reinterpret_cast<VstPluginMainProc>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name)));
}
#else
PluginLibrary::PluginLibrary(const std::string& path) { m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

PluginLibrary::~PluginLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}

VstPluginMainProc PluginLibrary::Entry(const char* name) const
{
    return reinterpret_cast<VstPluginMainProc>(dlsym(m_handle, name));
}
#endif
