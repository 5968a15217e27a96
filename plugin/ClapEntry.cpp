// The plug-in's CLAP entry point: the stereo chorus behind the CLAP adapter.
#include "ClapFactories.h"
#include "StereoChorusDescription.h"

namespace {

constexpr char kPluginId[] = "com.orvane-music.stereo-chorus";
constexpr char kPresetProviderId[] = "com.orvane-music.stereo-chorus.programs";
const char* const kFeatures[] = {"audio-effect", "chorus", "stereo", nullptr};

const CClapFactories& Factories()
{
    // Who makes it and which version it is come from the product's one description.
    static const SPluginDescription& product = StereoChorusDescription();
    static const clap::PluginDescriptor descriptor{clap::kVersion, kPluginId, "Stereo Chorus", product.vendor,
                                                   product.vendorUrl, "", "", product.version,
                                                   "A classic stereo chorus", kFeatures};
    static const clap::PresetProviderDescriptor presetProvider{clap::kVersion, kPresetProviderId,
                                                               "Stereo Chorus factory programs", product.vendor};
    static const CClapFactories factories({&descriptor, &product, &presetProvider});
    return factories;
}

bool CLAP_CALL EntryInit(const char*) { return true; }
void CLAP_CALL EntryDeinit() {}

const void* CLAP_CALL EntryGetFactory(const char* factoryId)
{
    try {
        return Factories().Get(factoryId);
    } catch (...) {
        return nullptr;
    }
}

} // namespace

extern "C" {
#if defined(_WIN32)
extern const clap::Entry clap_entry; // exported by the .def file
#else
__attribute__((visibility("default"))) extern const clap::Entry clap_entry;
#endif
const clap::Entry clap_entry{clap::kVersion, EntryInit, EntryDeinit, EntryGetFactory};
}
