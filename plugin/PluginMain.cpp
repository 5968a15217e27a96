// The plug-in's VST 2 entry point: the stereo chorus behind the VST 2 adapter.
#include "ProductVersion.h"
#include "StereoChorusDescription.h"
#include "VstPlugin.h"

namespace {
constexpr SVstIdentity kIdentity{0x36716E76, // '6qnv'
                                  VstVersionNumber(kProductVersionMajor, kProductVersionMinor, kProductVersionPatch)};
} // namespace

extern "C" {

#if defined(_WIN32)
#define PLUGIN_EXPORT
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

PLUGIN_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
    // Nothing may unwind into a host written in another language. Each object is owned from the
    // moment it exists, so a failed allocation anywhere leaves nothing behind.
    try {
        const SPluginDescription& plugin = StereoChorusDescription();
        std::unique_ptr<CEffect> effect = plugin.createEffect();
        std::unique_ptr<CPluginEditor> editor = plugin.createEditor();
        return CreateVstPlugin(host, std::move(effect), kIdentity, std::move(editor), plugin.outputRefreshRate,
                               nullptr);
    } catch (...) {
        return nullptr;
    }
}

#if !defined(_WIN32) && !defined(PLUGIN_IN_PROCESS)
// Older hosts look for the C symbol "main"; a C++ function cannot be called that, so the symbol
// is given by its assembler name. Windows builds alias it in the .def file. Linked into a test
// host's own process, the host's main keeps the name.
PLUGIN_EXPORT AEffect* VSTPluginMainAlias(audioMasterCallback host) asm("main");
PLUGIN_EXPORT AEffect* VSTPluginMainAlias(audioMasterCallback host) { return VSTPluginMain(host); }
#endif

} // extern "C"
