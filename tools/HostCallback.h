#pragma once
// The host side of the VST 2 conversation: the callback every plug-in receives, answering the few
// questions a renderer can answer (version, sample rate, block size, who we are).
#include "VstInterface.h"

// What the callback reports about the host. One instance per loaded plug-in, linked to its
// AEffect record through the host-reserved field resvd1.
struct HostContext
{
    double sampleRate = 44100.0;
    VstInt32 blockSize = 1024;
};

constexpr VstIntPtr kHostVstVersion = 2400;
constexpr VstIntPtr kHostVendorVersion = 1000;
constexpr const char* kHostName = "vstrender";

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

void attachHostContext(AEffect* effect, HostContext* context);
