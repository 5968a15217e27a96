#pragma once
#include "ClapInterface.h"
#include "GestureOutbox.h"

// How the editor's gestures and values reach a CLAP host: as gesture begin, value (in the
// parameter's real unit) and end events on the output list of a block or a flush, the one
// consumer (the host never overlaps them). Hands every waiting item to the list, in order; stops
// at the first one the list refuses, keeping it and the rest for a later call.
void DrainToHost(CGestureOutbox& outbox, const clap::OutputEvents* out);
