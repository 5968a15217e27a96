#pragma once
#include "FuzzInput.h"
#include <cstddef>
#include <cstdint>

// Plays one fuzz input as a CLAP host session against the .clap's code linked into this process:
// activate at any rate and deactivate, start and stop processing, reset, blocks of any size (far
// beyond what activate announced) with parameter values, gestures and unknown events inside them,
// ports with too few channels or no data, in place; value texts both ways, flush, state streams
// saved and restored in pieces, failing part way, mutated, cut or garbage; factory presets by key
// and keys no preset has; destroy and create again. A broken promise (a non-finite sample from
// finite input, bypass that is not a pass-through, a refused stream or preset that changed the
// state, a saved state that does not restore, a text past its capacity) prints what broke and
// aborts.
SSessionReport RunClapHostSession(const uint8_t* data, size_t size);
