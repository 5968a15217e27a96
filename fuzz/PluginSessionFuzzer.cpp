// libFuzzer entry: every input is one host session in one of the four formats (AnyHostSession.h)
// against the in-process plug-in.
#include "AnyHostSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RunAnyHostSession(data, size);
    return 0;
}
