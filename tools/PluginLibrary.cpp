#include "PluginLibrary.h"

#include "ToolError.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

namespace {

// dlopen searches the library path for a name without a slash; a user means the file here.
std::string pathForDlopen(const std::string& path)
{
    return path.find('/') == std::string::npos ? "./" + path : path;
}

// dlerror() begins with the path we already print; keep only the reason.
std::string reasonFromDlerror(const std::string& openedAs)
{
    const char* text = dlerror();
    std::string reason = text != nullptr ? text : "unknown error";
    const std::string prefix = openedAs + ": ";
    if (reason.compare(0, prefix.size(), prefix) == 0)
        reason.erase(0, prefix.size());
    return reason;
}

} // namespace

PluginLibrary::PluginLibrary(const std::string& path) : path_(path)
{
    struct stat info{};
    if (stat(path.c_str(), &info) != 0)
    {
        if (errno == ENOENT)
            throw ToolError("plug-in not found: '" + path + "'");
        throw ToolError("cannot open plug-in '" + path + "': " + std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode))
        throw ToolError("plug-in '" + path + "' is a directory");

    const std::string openedAs = pathForDlopen(path);
    handle_ = dlopen(openedAs.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        throw ToolError("cannot load plug-in '" + path + "': " + reasonFromDlerror(openedAs));

    entry_ = findEntryPoint();
    if (entry_ == nullptr)
    {
        dlclose(handle_);
        throw ToolError("'" + path + "' is not a VST 2 plug-in: it exports neither VSTPluginMain nor main");
    }
}

PluginLibrary::~PluginLibrary()
{
    dlclose(handle_);
}

VstPluginMainProc PluginLibrary::findEntryPoint() const
{
    link_map* library = nullptr;
    if (dlinfo(handle_, RTLD_DI_LINKMAP, &library) != 0)
        return nullptr;
    for (const char* name : {"VSTPluginMain", "main"})
    {
        void* symbol = dlsym(handle_, name);
        Dl_info origin{};
        // dlsym also searches the library's dependencies; only the library's own export counts.
        if (symbol != nullptr && dladdr(symbol, &origin) != 0 && origin.dli_fname != nullptr &&
            std::strcmp(origin.dli_fname, library->l_name) == 0)
            return reinterpret_cast<VstPluginMainProc>(symbol);
    }
    return nullptr;
}

AEffect* PluginLibrary::createEffect(audioMasterCallback host) const
{
    AEffect* effect = entry_(host);
    if (effect == nullptr)
        throw ToolError("plug-in '" + path_ + "' refused to start: its entry point returned no effect");
    if (effect->magic != kEffectMagic)
        throw ToolError("'" + path_ + "' is not a VST 2 plug-in: its entry point returned no 'VstP' effect record");
    return effect;
}
