#pragma once
// Brings a loaded plug-in into the state the command line asks for: program, parameters, bypass.
#include <optional>
#include <string>
#include <vector>

class LoadedPlugin;

struct ParameterSetting
{
    std::string name;
    std::string value;
    std::string asTyped; // NAME=VALUE, for messages
};

struct PluginSettings
{
    std::optional<std::string> program; // a number as --info lists it, or a name
    std::vector<ParameterSetting> parameters;
    bool bypass = false;
};

// Parameter by name, ignoring case; throws ToolError listing the plug-in's parameters.
int findParameter(LoadedPlugin& plugin, const std::string& name);
// Program by number or by name, ignoring case; throws ToolError.
int findProgram(LoadedPlugin& plugin, const std::string& numberOrName);

// Selects the program, then sets each parameter in the given order, then bypass. Returns true
// when the plug-in cannot bypass itself, so the host has to pass the audio through unprocessed.
bool applySettings(LoadedPlugin& plugin, const PluginSettings& settings);
