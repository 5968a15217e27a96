#include "LadspaLibrary.h"

#include "BenchError.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

LadspaLibrary::LadspaLibrary(const std::string& path) : path_(path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        throw BenchError("cannot load " + path + ": " + dlerror());
    descriptors_ = reinterpret_cast<LADSPA_Descriptor_Function>(dlsym(handle_, "ladspa_descriptor"));
    if (descriptors_ == nullptr) {
        dlclose(handle_);
        throw BenchError(path + " is not a LADSPA library (no ladspa_descriptor)");
    }
}

LadspaLibrary::~LadspaLibrary()
{
    dlclose(handle_);
}

const LADSPA_Descriptor* LadspaLibrary::find(const std::string& labelOrName) const
{
    for (unsigned long i = 0;; ++i) {
        const LADSPA_Descriptor* descriptor = descriptors_(i);
        if (descriptor == nullptr)
            return nullptr;
        if ((descriptor->Label != nullptr && labelOrName == descriptor->Label) ||
            (descriptor->Name != nullptr && labelOrName == descriptor->Name))
            return descriptor;
    }
}

std::vector<std::string> ladspaSearchPath()
{
    std::vector<std::string> folders;
    const char* variable = std::getenv("LADSPA_PATH");
    std::istringstream list(variable != nullptr && *variable != '\0' ? variable : "/usr/local/lib/ladspa:/usr/lib/ladspa");
    for (std::string folder; std::getline(list, folder, ':');)
        if (!folder.empty())
            folders.push_back(folder);
    return folders;
}

std::unique_ptr<LadspaLibrary> openLadspaLibraryWith(const std::string& labelOrName, const std::string& package)
{
    const std::vector<std::string> folders = ladspaSearchPath();
    for (const std::string& folder : folders) {
        std::vector<std::string> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().extension() == ".so")
                files.push_back(entry.path().string());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files) {
            std::unique_ptr<LadspaLibrary> library;
            try {
                library = std::make_unique<LadspaLibrary>(file);
            } catch (const BenchError&) {
                continue; // a broken neighbour is not our peer
            }
            if (library->find(labelOrName) != nullptr)
                return library;
        }
    }
    std::string searched;
    for (const std::string& folder : folders)
        searched += (searched.empty() ? "" : ":") + folder;
    throw BenchError("LADSPA plug-in \"" + labelOrName + "\" not found in " + searched +
                     " (install the Debian package " + package + ", e.g. `make deps`)");
}
