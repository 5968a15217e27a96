#include "Lv2Descriptor.h"
#include "Lv2Plugin.h"
#include <type_traits>

namespace {

CLv2Plugin* PluginOf(LV2_Handle instance) { return static_cast<CLv2Plugin*>(instance); }

void ConnectPort(LV2_Handle instance, uint32_t port, void* location)
{
    if (instance)
        PluginOf(instance)->ConnectPort(port, location);
}

void Activate(LV2_Handle instance)
{
    // Nothing may unwind into the host.
    try {
        if (instance)
            PluginOf(instance)->Activate();
    } catch (...) {
    }
}

void Run(LV2_Handle instance, uint32_t frames)
{
    if (instance)
        PluginOf(instance)->Run(frames);
}

void Deactivate(LV2_Handle) {}

void Cleanup(LV2_Handle instance) { delete PluginOf(instance); }

const void* ExtensionData(const char*) { return nullptr; }

} // namespace

CLv2Descriptor::CLv2Descriptor(const char* uri, const SPluginDescription& (*product)())
    : m_descriptor{uri, Instantiate, ConnectPort, Activate, Run, Deactivate, Cleanup, ExtensionData},
      m_product(product)
{
}

LV2_Handle CLv2Descriptor::Instantiate(const LV2_Descriptor* descriptor, double rate, const char*,
                                       const LV2_Feature* const*)
{
    static_assert(std::is_standard_layout<CLv2Descriptor>::value, "the host's pointer must be the object's");
    if (!descriptor)
        return nullptr;
    const auto* self = reinterpret_cast<const CLv2Descriptor*>(descriptor);
    // Each object is owned from the moment it exists, so a throw anywhere leaves nothing behind,
    // and nothing unwinds into the host.
    try {
        const SPluginDescription& product = self->m_product();
        return CLv2Plugin::Create(product.createEffect(), rate, product.outputRefreshRate).release();
    } catch (...) {
        return nullptr;
    }
}
