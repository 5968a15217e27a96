#include "HostCallback.h"

#include <cstring>

namespace {

// Answers for calls made before the record is linked to its context (during the entry point).
const HostContext kDefaultContext;

const HostContext& contextOf(const AEffect* effect)
{
    if (effect != nullptr && effect->resvd1 != 0)
        return *reinterpret_cast<const HostContext*>(effect->resvd1);
    return kDefaultContext;
}

VstIntPtr copyString(void* ptr, const char* text, std::size_t capacity)
{
    if (ptr == nullptr)
        return 0;
    std::strncpy(static_cast<char*>(ptr), text, capacity - 1);
    static_cast<char*>(ptr)[capacity - 1] = '\0';
    return 1;
}

} // namespace

void attachHostContext(AEffect* effect, HostContext* context)
{
    effect->resvd1 = reinterpret_cast<VstIntPtr>(context);
}

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return kHostVstVersion;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(contextOf(effect).sampleRate);
    case audioMasterGetBlockSize:
        return contextOf(effect).blockSize;
    case audioMasterGetVendorString:
        return copyString(ptr, kHostName, kVstMaxVendorStrLen);
    case audioMasterGetProductString:
        return copyString(ptr, kHostName, kVstMaxProductStrLen);
    case audioMasterGetVendorVersion:
        return kHostVendorVersion;
    case audioMasterGetLanguage:
        return 1; // English
    default:
        // Automation, edit gestures, idle, time info, capabilities: a file renderer has nothing to say.
        return 0;
    }
}
