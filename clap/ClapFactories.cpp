// The plug-in factory and the preset-discovery factory over one product.
#include "ClapFactories.h"
#include "ClapPlugin.h"
#include <algorithm>
#include <cstring>
#include <string>

namespace {

const SClapProduct* ProductOf(const clap::PluginFactory* factory)
{
    return factory ? reinterpret_cast<const CClapFactories::SPluginFactory*>(factory)->product : nullptr;
}

const SClapProduct* ProductOf(const clap::PresetDiscoveryFactory* factory)
{
    return factory ? reinterpret_cast<const CClapFactories::SPresetFactory*>(factory)->product : nullptr;
}

bool Same(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

uint32_t CLAP_CALL PluginCount(const clap::PluginFactory* factory) { return ProductOf(factory) ? 1 : 0; }

const clap::PluginDescriptor* CLAP_CALL PluginDescriptorAt(const clap::PluginFactory* factory, uint32_t index)
{
    const SClapProduct* product = ProductOf(factory);
    return product && index == 0 ? product->descriptor : nullptr;
}

const clap::Plugin* CLAP_CALL CreatePlugin(const clap::PluginFactory* factory, const clap::Host* host,
                                           const char* pluginId)
{
    // Nothing may unwind into the host; each object is owned from the moment it exists.
    const SClapProduct* product = ProductOf(factory);
    if (!product || !host || host->clapVersion.major < 1 || !Same(pluginId, product->descriptor->id))
        return nullptr;
    try {
        std::unique_ptr<CEffect> effect = product->description->createEffect();
        std::unique_ptr<CPluginEditor> editor =
            product->description->createEditor ? product->description->createEditor() : nullptr;
        return CreateClapPlugin(host, product->descriptor, std::move(effect), std::move(editor),
                                product->description->outputRefreshRate);
    } catch (...) {
        return nullptr;
    }
}

// A provider: one location, the plug-in itself, holding the factory programs; each program's
// load key is its index.
struct SPresetProvider
{
    clap::PresetProvider record;
    const clap::PresetIndexer* indexer;
    const SClapProduct* product;
};

SPresetProvider* ProviderOf(const clap::PresetProvider* provider)
{
    return provider ? static_cast<SPresetProvider*>(provider->providerData) : nullptr;
}

bool CLAP_CALL ProviderInit(const clap::PresetProvider* provider)
{
    SPresetProvider* self = ProviderOf(provider);
    if (!self || !self->indexer || !self->indexer->declareLocation)
        return false;
    const clap::PresetLocation location{clap::kPresetIsFactoryContent, "Factory programs", clap::kPresetLocationPlugin,
                                        nullptr};
    return self->indexer->declareLocation(self->indexer, &location);
}

void CLAP_CALL ProviderDestroy(const clap::PresetProvider* provider) { delete ProviderOf(provider); }

// The programs made from the effect's presets, after the core's "Default" program 0.
int FactoryProgramCount(const CPluginCore& core)
{
    const CPresetList* presets = core.GetEffect().GetPresets();
    int count = 0;
    for (int e = 0; presets && e < presets->GetCount(); ++e)
        if (presets->GetItem(e) && presets->GetItem(e)->GetKind() == CPreset::kValues)
            ++count;
    return std::min(count, core.GetProgramCount() - 1);
}

bool CLAP_CALL ProviderGetMetadata(const clap::PresetProvider* provider, uint32_t kind, const char* location,
                                   const clap::PresetMetadataReceiver* receiver)
{
    SPresetProvider* self = ProviderOf(provider);
    if (!self || !receiver || !receiver->beginPreset || kind != clap::kPresetLocationPlugin || location)
        return false;
    try {
        const SPluginDescription& description = *self->product->description;
        const CPluginCore core(description.createEffect(), nullptr, 0.0);
        const clap::UniversalPluginId pluginId{"clap", self->product->descriptor->id};
        for (int program = 1; program <= FactoryProgramCount(core); ++program) {
            char name[CProgramSlot::kNameChars + 1] = {};
            core.GetProgramNameAt(program, name);
            const std::string key = std::to_string(program);
            if (!receiver->beginPreset(receiver, name, key.c_str()))
                break;
            if (receiver->addPluginId)
                receiver->addPluginId(receiver, &pluginId);
            if (receiver->setFlags)
                receiver->setFlags(receiver, clap::kPresetIsFactoryContent);
            if (receiver->addCreator)
                receiver->addCreator(receiver, description.vendor);
        }
        return true;
    } catch (...) {
        if (receiver->onError)
            receiver->onError(receiver, 0, "the factory programs could not be listed");
        return false;
    }
}

const void* CLAP_CALL ProviderGetExtension(const clap::PresetProvider*, const char*) { return nullptr; }

uint32_t CLAP_CALL ProviderCount(const clap::PresetDiscoveryFactory* factory) { return ProductOf(factory) ? 1 : 0; }

const clap::PresetProviderDescriptor* CLAP_CALL ProviderDescriptorAt(const clap::PresetDiscoveryFactory* factory,
                                                                     uint32_t index)
{
    const SClapProduct* product = ProductOf(factory);
    return product && index == 0 ? product->presetProvider : nullptr;
}

const clap::PresetProvider* CLAP_CALL CreateProvider(const clap::PresetDiscoveryFactory* factory,
                                                     const clap::PresetIndexer* indexer, const char* providerId)
{
    const SClapProduct* product = ProductOf(factory);
    if (!product || !indexer || !Same(providerId, product->presetProvider->id))
        return nullptr;
    try {
        auto* provider = new SPresetProvider{};
        provider->record = {product->presetProvider, provider, ProviderInit, ProviderDestroy, ProviderGetMetadata,
                            ProviderGetExtension};
        provider->indexer = indexer;
        provider->product = product;
        return &provider->record;
    } catch (...) {
        return nullptr;
    }
}

} // namespace

CClapFactories::CClapFactories(const SClapProduct& product)
    : m_product(product),
      m_plugins{{PluginCount, PluginDescriptorAt, CreatePlugin}, &m_product},
      m_presets{{ProviderCount, ProviderDescriptorAt, CreateProvider}, &m_product}
{
}

const void* CClapFactories::Get(const char* factoryId) const
{
    if (Same(factoryId, clap::kPluginFactoryId))
        return &m_plugins.table;
    if (Same(factoryId, clap::kPresetDiscoveryFactoryId) || Same(factoryId, clap::kPresetDiscoveryFactoryDraftId))
        return &m_presets.table;
    return nullptr;
}
