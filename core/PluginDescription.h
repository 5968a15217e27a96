#pragma once
#include "Effect.h"
#include "PluginEditor.h"
#include <memory>

// What a plug-in's entry points tell any format adapter about the product: who makes it, how to
// build its effect and its editor window. Each format adds its own identifiers beside it.
struct SPluginDescription
{
    const char* vendor;       // "Orvane's Music Software"
    const char* vendorUrl;    // the vendor's site, for formats that publish one
    const char* version;      // "1.0.0"
    double outputRefreshRate; // how often a second output parameters reach the host
    std::unique_ptr<CEffect> (*createEffect)();
    // nullptr where this build has no editor window.
    std::unique_ptr<CPluginEditor> (*createEditor)();
};
