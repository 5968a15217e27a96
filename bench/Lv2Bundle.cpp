#include "Lv2Bundle.h"

#include "BenchError.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string lv2(const char* name)
{
    return std::string(lv2ns::kLv2) + name;
}

bool hasType(const TurtleGraph& graph, const std::string& node, const std::string& type)
{
    for (const TurtleTerm& term : graph.objects(node, lv2ns::kRdfType))
        if (term.kind == TurtleTerm::Kind::Iri && term.value == type)
            return true;
    return false;
}

bool hasProperty(const TurtleGraph& graph, const std::string& node, const std::string& property)
{
    for (const TurtleTerm& term : graph.objects(node, lv2("portProperty")))
        if (term.kind == TurtleTerm::Kind::Iri && term.value == property)
            return true;
    return false;
}

bool parseFloat(const std::string& text, float& value)
{
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw BenchError("cannot read " + path + " (build the bundle with `cmake --build --preset linux --target "
                         "StereoChorus.lv2`)");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

Lv2BundleInfo describeLv2Plugin(const TurtleGraph& graph, const std::string& uri)
{
    if (!hasType(graph, uri, lv2("Plugin")))
        throw BenchError("the bundle describes no lv2:Plugin <" + uri + ">");
    Lv2BundleInfo info;
    const std::vector<TurtleTerm> binaries = graph.objects(uri, lv2("binary"));
    if (binaries.size() != 1 || binaries[0].kind != TurtleTerm::Kind::Iri)
        throw BenchError("<" + uri + "> needs exactly one lv2:binary");
    info.binaryPath = binaries[0].value;
    for (const TurtleTerm& feature : graph.objects(uri, lv2("requiredFeature")))
        info.requiredFeatures.push_back(feature.value);

    for (const TurtleTerm& port : graph.objects(uri, lv2("port"))) {
        const std::string& node = port.value;
        Lv2PortInfo p{};
        p.symbol = graph.literal(node, lv2("symbol"));
        p.name = graph.literal(node, lv2("name"));
        const std::string where = "port \"" + (p.symbol.empty() ? node : p.symbol) + "\"";
        float index = -1.0f;
        if (!parseFloat(graph.literal(node, lv2("index")), index) || index < 0.0f || index != static_cast<uint32_t>(index))
            throw BenchError(where + " has no lv2:index");
        p.index = static_cast<uint32_t>(index);
        p.audio = hasType(graph, node, lv2("AudioPort"));
        if (!p.audio && !hasType(graph, node, lv2("ControlPort"))) {
            p.optional = hasProperty(graph, node, lv2("connectionOptional"));
            if (!p.optional)
                throw BenchError(where + " is neither an audio nor a control port");
        }
        p.input = hasType(graph, node, lv2("InputPort"));
        if (p.input == hasType(graph, node, lv2("OutputPort")))
            throw BenchError(where + " must be either an input or an output");
        if (!parseFloat(graph.literal(node, lv2("minimum")), p.minimum))
            p.minimum = 0.0f;
        if (!parseFloat(graph.literal(node, lv2("maximum")), p.maximum))
            p.maximum = 1.0f;
        const std::string defaultText = graph.literal(node, lv2("default"));
        p.hasDefault = !defaultText.empty();
        if (p.hasDefault && !parseFloat(defaultText, p.defaultValue))
            throw BenchError(where + " has a default that is no number: " + defaultText);
        info.ports.push_back(p);
    }
    std::sort(info.ports.begin(), info.ports.end(),
              [](const Lv2PortInfo& a, const Lv2PortInfo& b) { return a.index < b.index; });
    for (size_t i = 0; i < info.ports.size(); ++i)
        if (info.ports[i].index != i)
            throw BenchError("the ports of <" + uri + "> are not indexed 0 .. " + std::to_string(info.ports.size() - 1) +
                             " once each (index " + std::to_string(info.ports[i].index) + ")");
    return info;
}

Lv2BundleInfo readLv2Bundle(const std::string& bundle, const std::string& uri)
{
    TurtleGraph graph;
    const std::string manifest = bundle + "/manifest.ttl";
    graph.parse(readFile(manifest), bundle, manifest);
    for (const TurtleTerm& file : graph.objects(uri, lv2ns::kRdfsSeeAlso))
        graph.parse(readFile(file.value), bundle, file.value);
    return describeLv2Plugin(graph, uri);
}
