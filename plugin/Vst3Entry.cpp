// The plug-in's VST 3 entry points: the stereo chorus behind the VST 3 adapter.
#include "StereoChorusDescription.h"
#include "Vst3Factory.h"

namespace {

// The audio effect class id, published with the first VST 3 release: never change it, or hosts
// lose every project and preset that uses the plug-in.
constexpr Vst3::Uid kStereoChorusClassId = Vst3::MakeUid(0x4F6D7653, 0x43686F72, 0x75733376, 0x36716E76);

const SVst3ClassDescription& ClassDescription()
{
    static const SVst3ClassDescription description{kStereoChorusClassId, "Stereo Chorus", "Fx|Modulation",
                                                   &StereoChorusDescription()};
    return description;
}

} // namespace

extern "C" {

#if defined(_WIN32)
#define VST3_EXPORT
#else
#define VST3_EXPORT __attribute__((visibility("default")))
#endif

// Takes no arguments, so the published __stdcall and the plain C convention are the same call on
// 32-bit Windows; the plain one keeps the exported name undecorated.
VST3_EXPORT Vst3::IPluginFactory* GetPluginFactory()
{
    try {
        static CVst3Factory factory(ClassDescription());
        return &factory;
    } catch (...) {
        return nullptr;
    }
}

// Hosts bracket their use of the module with these; the module keeps no global state to set up.
#if defined(_WIN32)
VST3_EXPORT bool InitDll() { return true; }
VST3_EXPORT bool ExitDll() { return true; }
#else
VST3_EXPORT bool ModuleEntry(void*) { return true; }
VST3_EXPORT bool ModuleExit() { return true; }
#endif

} // extern "C"
