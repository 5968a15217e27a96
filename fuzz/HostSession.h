#pragma once
#include "FuzzInput.h"
#include <cstddef>
#include <cstdint>

// Plays one fuzz input as a host session against the plug-in linked into this process: every
// byte decides the next host request (dispatcher opcodes known and unknown, parameter calls with
// hostile floats, program changes, audio blocks of any size and buffer layout, sample-rate and
// block-size changes, close and reopen). A broken promise of the plug-in (text written past its
// limit, a non-finite rendered sample, a changed record, a lost parameter value) prints what
// broke and aborts; memory faults are left to the sanitizers.
SSessionReport RunHostSession(const uint8_t* data, size_t size);
