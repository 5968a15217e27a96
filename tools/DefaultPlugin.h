#pragma once
// The plug-in vstrender loads when no --plugin is given: the project's StereoChorus.so, delivered
// into the same directory as the tool, or, for an installed tool (<prefix>/bin/vstrender), the
// one in <prefix>/lib/vst/, where the Debian package and Linux VST hosts keep it.
#include <string>

constexpr const char* kDefaultPluginName = "StereoChorus.so";

// The first of the two that exists; the one beside the tool when neither does, for the message.
std::string defaultPluginPath();
