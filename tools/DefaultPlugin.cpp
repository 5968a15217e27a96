#include "DefaultPlugin.h"

#include <climits>
#include <unistd.h>

std::string defaultPluginPath()
{
    char executable[PATH_MAX + 1];
    const ssize_t length = readlink("/proc/self/exe", executable, PATH_MAX);
    if (length <= 0)
        return kDefaultPluginName;
    std::string path(executable, static_cast<std::size_t>(length));
    const std::string directory = path.substr(0, path.rfind('/') + 1);
    const std::string beside = directory + kDefaultPluginName;
    const std::string installed = directory + "../lib/vst/" + kDefaultPluginName;
    if (access(beside.c_str(), F_OK) != 0 && access(installed.c_str(), F_OK) == 0)
        return installed;
    return beside;
}
