// libFuzzer entry: every input is one host session (VST 2, or VST 3 for inputs starting with 'V')
// against the in-process plug-in.
#include "Vst3HostSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RunAnyHostSession(data, size);
    return 0;
}
