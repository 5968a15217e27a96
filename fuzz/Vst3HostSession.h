#pragma once
#include "FuzzInput.h"
#include <cstddef>
#include <cstdint>

// Plays one fuzz input as a VST 3 host session against the bundle's code linked into this
// process: parameter values and texts by any id, program changes, process calls with any block
// size, bus layout and automation points, setup and activation in any order, state streams saved
// and restored, mutated, cut, extended or pure garbage. A broken promise (a non-finite sample, a
// value outside 0..1, a text without its terminator, a refused stream that changed the state, a
// saved state that does not restore) prints what broke and aborts.
SSessionReport RunVst3HostSession(const uint8_t* data, size_t size);
