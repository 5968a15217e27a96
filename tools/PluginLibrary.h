#pragma once
// A VST 2 plug-in library opened with dlopen: finds its entry point and asks it for an effect.
#include "VstInterface.h"

#include <string>

class PluginLibrary
{
public:
    // Throws ToolError with a user-facing message when the file is missing, cannot be loaded, or
    // exports no VST 2 entry point.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Calls the entry point; throws unless it returns a record carrying the 'VstP' magic.
    AEffect* createEffect(audioMasterCallback host) const;

    const std::string& path() const { return path_; }

private:
    VstPluginMainProc findEntryPoint() const;

    std::string path_;
    void* handle_ = nullptr;
    VstPluginMainProc entry_ = nullptr;
};
