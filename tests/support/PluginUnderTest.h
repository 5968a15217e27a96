#pragma once
// Which plug-in file a test host loads: the build's own, or the one an environment variable names,
// so the same host can load a plug-in where an installer or a package put it.
#include <cstdlib>

inline const char* PluginUnderTest(const char* variable, const char* built)
{
    const char* given = std::getenv(variable);
    return given && *given ? given : built;
}
