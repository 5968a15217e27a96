#pragma once
// The plug-in vstrender loads when no --plugin is given: the project's StereoChorus.so, which is
// delivered into the same directory as the tool.
#include <string>

constexpr const char* kDefaultPluginName = "StereoChorus.so";

std::string defaultPluginPath();
