// libFuzzer entry: every input is one host session against the in-process plug-in.
#include "HostSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RunHostSession(data, size);
    return 0;
}
