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
    const std::size_t slash = path.rfind('/');
    return path.substr(0, slash + 1) + kDefaultPluginName;
}
