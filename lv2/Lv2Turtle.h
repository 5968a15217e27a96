#pragma once
#include <string>

class CPluginCore;

// What the Turtle says about the product beyond the core's own descriptors.
struct SLv2Identity
{
    const char* uri;       // the plug-in's URI, stable once published
    const char* binary;    // the shared object's file name inside the bundle
    const char* vendor;
    const char* vendorUrl;
    const char* version;   // "major.minor.micro"
    const char* pluginClass; // the LV2 class hosts file it under beside lv2:Plugin, e.g. "lv2:DelayPlugin"
};

// The bundle's UI, where it has one.
struct SLv2UiIdentity
{
    const char* uri;    // the UI's URI
    const char* binary; // its shared object's file name inside the bundle
};

// The bundle's three Turtle files, written from the core's parameter descriptors, the effect's
// presets and the identity: manifest.ttl, the plug-in's description and its presets.
std::string Lv2ManifestTurtle(const CPluginCore& core, const SLv2Identity& identity);
std::string Lv2PluginTurtle(const CPluginCore& core, const SLv2Identity& identity);
std::string Lv2PresetsTurtle(const CPluginCore& core, const SLv2Identity& identity);
// The manifest's lines that give the plug-in its X11 UI, with the features the UI's code requires
// and offers.
std::string Lv2UiTurtle(const SLv2Identity& identity, const SLv2UiIdentity& ui);

// The file names the manifest points to.
constexpr const char* kLv2PluginFile = "plugin.ttl";
constexpr const char* kLv2PresetsFile = "presets.ttl";

// A port symbol from a parameter name: lower case, anything but letters and digits as '_'.
std::string Lv2Symbol(const char* name);
// The shortest decimal text that reads back as exactly this float.
std::string Lv2Number(float value);

// Writes the three files into an existing folder; throws std::runtime_error naming the file.
// With a UI, the manifest names it too.
void WriteLv2Turtle(const std::string& folder, const CPluginCore& core, const SLv2Identity& identity,
                    const SLv2UiIdentity* ui = nullptr);
