#pragma once
// What a host learns about one LV2 plug-in from its bundle's Turtle before loading it: the binary,
// the features it cannot run without, and its ports with their defaults. manifest.ttl is read
// first, then every file it points to with rdfs:seeAlso.
#include "TurtleGraph.h"

#include <cstdint>
#include <string>
#include <vector>

struct Lv2PortInfo
{
    uint32_t index;
    std::string symbol;
    std::string name;
    bool audio;       // else a control port, or an optional one
    bool optional;    // neither audio nor control (an event port), lv2:connectionOptional: left unconnected
    bool input;       // else an output
    bool hasDefault;  // lv2:default given
    float defaultValue;
    float minimum;    // lv2:minimum and lv2:maximum, 0 and 1 when not given
    float maximum;
};

struct Lv2BundleInfo
{
    std::string binaryPath;
    std::vector<std::string> requiredFeatures;
    std::vector<Lv2PortInfo> ports; // by index, 0 .. N-1 without gaps
};

// From Turtle already read into a graph; base is the bundle's folder. BenchError when the plug-in
// is not described, or a port is described incompletely or twice.
Lv2BundleInfo describeLv2Plugin(const TurtleGraph& graph, const std::string& uri);

// Reads bundle/manifest.ttl and its rdfs:seeAlso files. BenchError on a missing file too.
Lv2BundleInfo readLv2Bundle(const std::string& bundle, const std::string& uri);
