// The plug-in's entry point: a stereo chorus behind the VST 2 adapter.
#include "PluginEditorFactory.h"
#include "StereoChorus.h"
#include "VstPlugin.h"
#include <new>

namespace {
constexpr VstInt32 kUniqueId = 0x36716E76; // '6qnv'
constexpr double kOutputRefreshRate = 20.0; // output parameters reach the host 20 times a second
} // namespace

extern "C" {

#if defined(_WIN32)
#define PLUGIN_EXPORT
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

PLUGIN_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
    // Nothing may unwind into a host written in another language.
    try {
        return CreateVstPlugin(host, new CStereoChorus(), kUniqueId, CreatePluginEditor(), kOutputRefreshRate,
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
