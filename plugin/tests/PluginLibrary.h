#pragma once
// Loads a built plug-in binary the way a host does: dlopen on Linux, LoadLibrary on Windows.
#include "VstInterface.h"
#include <string>

class PluginLibrary
{
public:
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool IsLoaded() const { return m_handle != nullptr; }
    VstPluginMainProc Entry(const char* name) const;

private:
    void* m_handle = nullptr;
};
