#pragma once
#include "ClapInterface.h"
#include "PluginDescription.h"

// What a CLAP entry point publishes: one plug-in, the product it is made of, and the provider
// that lists its factory programs.
struct SClapProduct
{
    const clap::PluginDescriptor* descriptor;
    const SPluginDescription* description;
    const clap::PresetProviderDescriptor* presetProvider;
};

// The factories clap_entry.get_factory hands out: the plug-in factory and the preset-discovery
// factory (under its published and its draft id). Every call is thread-safe, and nothing throws
// out of them.
class CClapFactories
{
public:
    explicit CClapFactories(const SClapProduct& product);
    CClapFactories(const CClapFactories&) = delete;
    CClapFactories& operator=(const CClapFactories&) = delete;

    const void* Get(const char* factoryId) const;

    // The C tables, each followed by what its calls need.
    struct SPluginFactory
    {
        clap::PluginFactory table;
        const SClapProduct* product;
    };
    struct SPresetFactory
    {
        clap::PresetDiscoveryFactory table;
        const SClapProduct* product;
    };

private:
    SClapProduct m_product;
    SPluginFactory m_plugins;
    SPresetFactory m_presets;
};
