#pragma once
#include "FuzzInput.h"
#include <cstddef>
#include <cstdint>

// Plays one fuzz input as an LV2 host session against the bundle's plug-in code linked into this
// process: instantiation at any rate, ports connected, disconnected, shared and in place (and
// indexes no port has), activate and deactivate in any order, runs of any size, hostile control
// values, and factory presets written to the control ports as hosts apply presets.ttl. A broken
// promise (a usable rate refused or a wild one taken, a non-finite sample from finite input,
// bypass that is not a pass-through, sound without every audio port, a latency other than 0)
// prints what broke and aborts.
SSessionReport RunLv2HostSession(const uint8_t* data, size_t size);
