#pragma once
#include "FuzzInput.h"
#include <cstddef>
#include <cstdint>

// The fuzzer's and the replays' entry: the first byte picks the format, the rest is the session.
// 'V' plays a VST 3 session, 'C' a CLAP one and 'L' an LV2 one (of the bytes after it); any other
// input is a VST 2 session, whole. One fuzzer over every format shares one time budget.
SSessionReport RunAnyHostSession(const uint8_t* data, size_t size);
