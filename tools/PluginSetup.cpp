#include "PluginSetup.h"

#include "LoadedPlugin.h"
#include "ParameterValue.h"
#include "Text.h"
#include "ToolError.h"

namespace {

int findParameterIndex(LoadedPlugin& plugin, const std::string& name)
{
    const std::string wanted = trim(name);
    for (int i = 0; i < plugin.parameterCount(); ++i)
        if (equalsIgnoringCase(trim(plugin.parameterName(i)), wanted))
            return i;
    return -1;
}

} // namespace

int findParameter(LoadedPlugin& plugin, const std::string& name)
{
    const int index = findParameterIndex(plugin, name);
    if (index >= 0)
        return index;
    if (plugin.parameterCount() == 0)
        throw ToolError("unknown parameter '" + name + "': the plug-in has no parameters");
    std::string list;
    for (int i = 0; i < plugin.parameterCount(); ++i)
        list += (i == 0 ? "" : ", ") + trim(plugin.parameterName(i));
    throw ToolError("unknown parameter '" + name + "'; the plug-in has: " + list);
}

int findProgram(LoadedPlugin& plugin, const std::string& numberOrName)
{
    const int count = plugin.programCount();
    if (count == 0)
        throw ToolError("the plug-in has no programs");
    if (const auto number = parseInteger(numberOrName))
    {
        if (*number < 0 || *number >= count)
            throw ToolError("program " + std::to_string(*number) + " does not exist (programs are numbered 0 to " +
                            std::to_string(count - 1) + ")");
        return static_cast<int>(*number);
    }
    const std::string wanted = trim(numberOrName);
    for (int i = 0; i < count; ++i)
        if (equalsIgnoringCase(trim(plugin.programName(i)), wanted))
            return i;
    throw ToolError("unknown program '" + numberOrName + "' (vstrender --info lists them)");
}

bool applySettings(LoadedPlugin& plugin, const PluginSettings& settings)
{
    if (settings.program)
        plugin.setProgram(findProgram(plugin, *settings.program));

    for (const ParameterSetting& setting : settings.parameters)
    {
        const int index = findParameter(plugin, setting.name);
        plugin.setParameter(index, resolveParameterValue(plugin, index, setting.value, setting.asTyped));
    }

    if (!settings.bypass)
        return false;
    // A plug-in's own bypass keeps its latency and behaviour; the host copy is the last resort.
    const int bypassParameter = findParameterIndex(plugin, "Bypass");
    if (bypassParameter >= 0)
    {
        plugin.setParameter(bypassParameter, 1.0f);
        return false;
    }
    if (plugin.canDo("bypass") && plugin.setBypass(true))
        return false;
    return true;
}
