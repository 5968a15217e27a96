#include "AnyHostSession.h"
#include "ClapHostSession.h"
#include "HostSession.h"
#include "Lv2HostSession.h"
#include "Vst3HostSession.h"

SSessionReport RunAnyHostSession(const uint8_t* data, size_t size)
{
    const char format = size > 0 ? static_cast<char>(data[0]) : '\0';
    switch (format) {
    case 'V': return RunVst3HostSession(data + 1, size - 1);
    case 'C': return RunClapHostSession(data + 1, size - 1);
    case 'L': return RunLv2HostSession(data + 1, size - 1);
    default: return RunHostSession(data, size);
    }
}
