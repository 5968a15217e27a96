#include "Lv2Turtle.h"
#include "Lv2PortLayout.h"
#include "Lv2UiFeatures.h"
#include "PluginCore.h"
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

const char* const kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                              "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                              "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                              "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n\n";

std::string Quoted(const char* text)
{
    std::string quoted = "\"";
    for (const char* c = text ? text : ""; *c; ++c) {
        if (*c == '"' || *c == '\\')
            quoted += '\\';
        if (*c == '\n')
            quoted += "\\n";
        else
            quoted += *c;
    }
    return quoted + "\"";
}

std::string Uri(const std::string& uri) { return "<" + uri + ">"; }

// The LV2 units vocabulary for the units the effects use; any other unit is described in place.
std::string UnitOf(const char* unit)
{
    static const struct {
        const char* text;
        const char* term;
    } known[] = {{"dB", "units:db"}, {"%", "units:pc"}, {"ms", "units:ms"}, {"Hz", "units:hz"}, {"s", "units:s"}};
    if (!unit || !*unit)
        return "";
    for (const auto& k : known)
        if (std::strcmp(unit, k.text) == 0)
            return k.term;
    return "[ a units:Unit ; rdfs:label " + Quoted(unit) + " ; units:symbol " + Quoted(unit) + " ; units:render " +
           Quoted((std::string("%f ") + unit).c_str()) + " ]";
}

struct SScalePoint
{
    int value;
    std::string label;
};

// A choice's labels come from its description, "0: Sine, 1:Triangle, 2:Custom"; anything else
// there gives none.
std::vector<SScalePoint> ScalePointsOf(const CParameterInfo& info)
{
    std::vector<SScalePoint> points;
    const char* text = info.GetDescription();
    if (info.GetKind() != CParameterInfo::kChoice || !text)
        return points;
    std::string item;
    std::stringstream items(text);
    while (std::getline(items, item, ',')) {
        const size_t colon = item.find(':');
        if (colon == std::string::npos)
            return {};
        char* end = nullptr;
        const std::string number = item.substr(0, colon);
        const long value = std::strtol(number.c_str(), &end, 10);
        size_t first = colon + 1;
        while (first < item.size() && item[first] == ' ')
            ++first;
        if (end == number.c_str() || first == item.size())
            return {};
        points.push_back({static_cast<int>(value), item.substr(first)});
    }
    return points;
}

std::string ChannelPort(const char* direction, int channel, int count, int index)
{
    // Two channels are a stereo pair; any other count is numbered.
    static const char* const side[] = {"left", "right"};
    const std::string symbol = std::string(direction) + "_" + (count == 2 ? side[channel] : std::to_string(channel + 1));
    std::string name = count == 2 ? std::string(channel == 0 ? "Left " : "Right ") : std::string();
    name += std::strcmp(direction, "in") == 0 ? "In" : "Out";
    if (count != 2)
        name += " " + std::to_string(channel + 1);
    return std::string("[\n    a lv2:AudioPort, ") + (std::strcmp(direction, "in") == 0 ? "lv2:InputPort" : "lv2:OutputPort") +
           " ;\n    lv2:index " + std::to_string(index) + " ;\n    lv2:symbol " + Quoted(symbol.c_str()) +
           " ;\n    lv2:name " + Quoted(name.c_str()) + "\n  ]";
}

std::string ControlPort(const CParameterInfo& info, int index, bool input)
{
    std::string port = std::string("[\n    a lv2:ControlPort, ") + (input ? "lv2:InputPort" : "lv2:OutputPort") +
                       " ;\n    lv2:index " + std::to_string(index) + " ;\n    lv2:symbol " +
                       Quoted(Lv2Symbol(info.GetName()).c_str()) + " ;\n    lv2:name " + Quoted(info.GetName()) +
                       " ;\n    lv2:default " + Lv2Number(info.GetDefault()) + " ;\n    lv2:minimum " +
                       Lv2Number(info.GetMin()) + " ;\n    lv2:maximum " + Lv2Number(info.GetMax());
    const std::string unit = UnitOf(info.GetUnit());
    if (!unit.empty())
        port += " ;\n    units:unit " + unit;
    if (info.GetKind() != CParameterInfo::kContinuous) {
        const std::vector<SScalePoint> points = ScalePointsOf(info);
        port += points.empty() ? " ;\n    lv2:portProperty lv2:integer" : " ;\n    lv2:portProperty lv2:integer, lv2:enumeration";
        for (size_t p = 0; p < points.size(); ++p)
            port += std::string(p == 0 ? " ;\n    lv2:scalePoint " : " ,\n      ") + "[ rdfs:label " +
                    Quoted(points[p].label.c_str()) + " ; rdf:value " + std::to_string(points[p].value) + " ]";
    }
    return port + "\n  ]";
}

// The host's own bypass, which LV2 calls "enabled": 1 plays, 0 bypasses.
std::string EnabledPort(int index)
{
    return "[\n    a lv2:ControlPort, lv2:InputPort ;\n    lv2:index " + std::to_string(index) +
           " ;\n    lv2:symbol \"enabled\" ;\n    lv2:name \"Enabled\" ;\n    lv2:default 1 ;\n"
           "    lv2:minimum 0 ;\n    lv2:maximum 1 ;\n    lv2:designation lv2:enabled ;\n"
           "    lv2:portProperty lv2:toggled\n  ]";
}

std::string LatencyPort(int index)
{
    return "[\n    a lv2:ControlPort, lv2:OutputPort ;\n    lv2:index " + std::to_string(index) +
           " ;\n    lv2:symbol \"latency\" ;\n    lv2:name \"Latency\" ;\n    lv2:minimum 0 ;\n"
           "    lv2:designation lv2:latency ;\n    lv2:portProperty lv2:reportsLatency, lv2:integer ;\n"
           "    units:unit units:frame\n  ]";
}

struct SPresetEntry
{
    const CPreset* preset;
    std::string uri;
};

// The effect's presets, as the core makes them its programs 1, 2, ..., each under a URI made
// from its name (a repeated name gets a number).
std::vector<SPresetEntry> PresetsOf(const CPluginCore& core, const SLv2Identity& identity)
{
    std::vector<SPresetEntry> entries;
    const CPresetList* presets = core.GetEffect().GetPresets();
    for (int e = 0; presets && e < presets->GetCount(); ++e) {
        const CPreset* preset = presets->GetItem(e);
        if (!preset || preset->GetKind() != CPreset::kValues)
            continue;
        std::string uri = std::string(identity.uri) + "#preset-" + Lv2Symbol(preset->GetName());
        for (const SPresetEntry& other : entries)
            if (other.uri == uri)
                uri += "-" + std::to_string(entries.size() + 1);
        entries.push_back({preset, uri});
    }
    return entries;
}

int VersionPart(const char* version, int part)
{
    const char* text = version ? version : "";
    for (int p = 0; p < part && text; ++p) {
        text = std::strchr(text, '.');
        text = text ? text + 1 : nullptr;
    }
    return text ? std::atoi(text) : 0;
}

// "major.minor.micro" as LV2 declares it: the minor and micro parts (LV2 has no major version).
std::string VersionLines(const SLv2Identity& identity)
{
    return "  lv2:minorVersion " + std::to_string(VersionPart(identity.version, 1)) + " ;\n  lv2:microVersion " +
           std::to_string(VersionPart(identity.version, 2)) + " ;\n";
}

} // namespace

std::string Lv2Symbol(const char* name)
{
    std::string symbol;
    for (const char* c = name ? name : ""; *c; ++c)
        symbol += std::isalnum(static_cast<unsigned char>(*c)) ? static_cast<char>(std::tolower(static_cast<unsigned char>(*c))) : '_';
    if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0])))
        symbol = "_" + symbol;
    return symbol;
}

std::string Lv2Number(float value)
{
    // Plain decimals where a few places suffice (Turtle reads "20" as an integer and "0.4" as a
    // decimal, both numbers to every host); the exponent form for the rest.
    char text[48];
    for (int places = 0; places <= 12; ++places) {
        std::snprintf(text, sizeof text, "%.*f", places, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            return text;
    }
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}

std::string Lv2ManifestTurtle(const CPluginCore& core, const SLv2Identity& identity)
{
    // The version is in the manifest too: hosts compare bundles of one plug-in by it without
    // loading the plug-in's data.
    std::string text = kPrefixes;
    text += Uri(identity.uri) + "\n  a lv2:Plugin ;\n  lv2:binary " + Uri(identity.binary) + " ;\n" +
            VersionLines(identity) + "  rdfs:seeAlso " + Uri(kLv2PluginFile) + " .\n";
    for (const SPresetEntry& entry : PresetsOf(core, identity))
        text += "\n" + Uri(entry.uri) + "\n  a pset:Preset ;\n  lv2:appliesTo " + Uri(identity.uri) +
                " ;\n  rdfs:label " + Quoted(entry.preset->GetName()) + " ;\n  rdfs:seeAlso " + Uri(kLv2PresetsFile) +
                " .\n";
    return text;
}

std::string Lv2PluginTurtle(const CPluginCore& core, const SLv2Identity& identity)
{
    const CLv2PortLayout layout(core);
    const CEffectInfo* info = core.GetEffect().GetInfo();
    std::string text = kPrefixes;
    text += Uri(identity.uri) + "\n  a lv2:Plugin, " + identity.pluginClass + ", doap:Project ;\n  doap:name " + Quoted(core.GetEffectName()) +
            " ;\n";
    if (info && info->GetDescription() && *info->GetDescription())
        text += "  rdfs:comment " + Quoted(info->GetDescription()) + " ;\n";
    text += "  doap:maintainer [\n    foaf:name " + Quoted(identity.vendor) + " ;\n    foaf:homepage " +
            Uri(identity.vendorUrl) + "\n  ] ;\n";
    text += VersionLines(identity);
    text += "  lv2:optionalFeature lv2:hardRTCapable ;\n  lv2:port ";

    std::vector<std::string> ports;
    for (int c = 0; c < layout.AudioInputs(); ++c)
        ports.push_back(ChannelPort("in", c, layout.AudioInputs(), c));
    for (int c = 0; c < layout.AudioOutputs(); ++c)
        ports.push_back(ChannelPort("out", c, layout.AudioOutputs(), layout.FirstAudioOutput() + c));
    ports.push_back(EnabledPort(layout.ControlInput(0)));
    for (int k = 1; k < layout.ControlInputs(); ++k)
        ports.push_back(ControlPort(*core.GetParameterInfo(k), layout.ControlInput(k), true));
    for (int j = 0; j < layout.ControlOutputs(); ++j)
        ports.push_back(ControlPort(*core.GetParameterInfo(layout.ControlInputs() + j), layout.ControlOutput(j), false));
    ports.push_back(LatencyPort(layout.Latency()));
    for (size_t p = 0; p < ports.size(); ++p)
        text += (p == 0 ? "" : " , ") + ports[p];
    return text + " .\n";
}

std::string Lv2PresetsTurtle(const CPluginCore& core, const SLv2Identity& identity)
{
    std::string text = kPrefixes;
    for (const SPresetEntry& entry : PresetsOf(core, identity)) {
        text += Uri(entry.uri) + "\n  a pset:Preset ;\n  lv2:appliesTo " + Uri(identity.uri) + " ;\n  rdfs:label " +
                Quoted(entry.preset->GetName()) + " ;\n  lv2:port ";
        const CValueArray& values = entry.preset->GetValues();
        for (int i = 0; i < core.GetInputParameterCount(); ++i)
            text += std::string(i == 0 ? "" : " , ") + "[\n    lv2:symbol " +
                    Quoted(Lv2Symbol(core.GetParameterInfo(1 + i)->GetName()).c_str()) + " ;\n    pset:value " +
                    Lv2Number(values.GetValue(i)) + "\n  ]";
        text += " .\n\n";
    }
    return text;
}

std::string Lv2UiTurtle(const SLv2Identity& identity, const SLv2UiIdentity& ui)
{
    auto list = [](const char* const* uris, size_t count) {
        std::string text;
        for (size_t i = 0; i < count; ++i)
            text += (i ? ", " : "") + Uri(uris[i]);
        return text;
    };
    const size_t required = sizeof lv2ui::kRequiredFeatures / sizeof *lv2ui::kRequiredFeatures;
    const size_t optional = sizeof lv2ui::kOptionalFeatures / sizeof *lv2ui::kOptionalFeatures;
    const size_t extensions = sizeof lv2ui::kExtensionData / sizeof *lv2ui::kExtensionData;
    const size_t options = sizeof lv2ui::kSupportedOptions / sizeof *lv2ui::kSupportedOptions;
    return "@prefix ui: <" LV2_UI_PREFIX "> .\n\n" + Uri(identity.uri) + "\n  ui:ui " + Uri(ui.uri) + " .\n\n" +
           Uri(ui.uri) + "\n  a ui:X11UI ;\n  ui:binary " + Uri(ui.binary) + " ;\n  lv2:requiredFeature " +
           list(lv2ui::kRequiredFeatures, required) + " ;\n  lv2:optionalFeature " +
           list(lv2ui::kOptionalFeatures, optional) + " ;\n  <" LV2_OPTIONS__supportedOption "> " +
           list(lv2ui::kSupportedOptions, options) + " ;\n  lv2:extensionData " +
           list(lv2ui::kExtensionData, extensions) + " .\n";
}

void WriteLv2Turtle(const std::string& folder, const CPluginCore& core, const SLv2Identity& identity,
                    const SLv2UiIdentity* ui)
{
    const struct {
        const char* name;
        std::string text;
    } files[] = {{"manifest.ttl", Lv2ManifestTurtle(core, identity) + (ui ? "\n" + Lv2UiTurtle(identity, *ui) : "")},
                 {kLv2PluginFile, Lv2PluginTurtle(core, identity)},
                 {kLv2PresetsFile, Lv2PresetsTurtle(core, identity)}};
    for (const auto& file : files) {
        const std::string path = folder + "/" + file.name;
        errno = 0;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << file.text;
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + path + (errno ? std::string(": ") + std::strerror(errno) : ""));
    }
}
